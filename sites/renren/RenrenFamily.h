// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "sites/kit/SiteFamily.h"

// Site type 3: Renren photo albums and zhan pages.
const SiteFamily& RenrenFamily();
