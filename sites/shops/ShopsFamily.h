// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "sites/kit/SiteFamily.h"

// The shops: Taobao, Tmall and 1688 (site type 11) and JD (16).
const SiteFamily& ShopsFamily();
