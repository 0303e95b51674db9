// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "sites/kit/SiteFamily.h"

// Site type 1: the Baidu photo album service and Tieba.
const SiteFamily& BaiduFamily();
