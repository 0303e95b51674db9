// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "sites/kit/SiteFamily.h"

// The communities: Moko (site type 12), Babytree (13), PConline (14) and Hupu (15).
const SiteFamily& CommunitiesFamily();
