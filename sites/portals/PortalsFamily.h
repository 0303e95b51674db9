// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "sites/kit/SiteFamily.h"

// The portals: 51 (site type 8), ZOL (9) and PCHome (10).
const SiteFamily& PortalsFamily();
