// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "sites/kit/SiteFamily.h"

// Site type 0: Qzone, QQ group albums and Tencent Weibo.
const SiteFamily& TencentFamily();
