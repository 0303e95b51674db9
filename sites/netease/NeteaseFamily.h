// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "sites/kit/SiteFamily.h"

// Site type 2: NetEase photo albums and pp.
const SiteFamily& NeteaseFamily();
