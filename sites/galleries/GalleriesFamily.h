// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "sites/kit/SiteFamily.h"

// The picture galleries: 56 (site type 5), POCO (6) and Yupoo (7).
const SiteFamily& GalleriesFamily();
