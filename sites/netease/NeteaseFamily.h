#pragma once

#include "sites/kit/SiteFamily.h"

// Site type 2: NetEase photo albums and pp.
const SiteFamily& NeteaseFamily();
