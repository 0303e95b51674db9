// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "sites/kit/SiteFamily.h"

// Site type 4: the Sina blog (photo albums and articles) and Sina Weibo.
const SiteFamily& SinaFamily();
