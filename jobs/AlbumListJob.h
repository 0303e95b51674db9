// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/JobEvents.h"
#include "core/ListRequest.h"

struct AdapterTable;
struct JobContext;

// The album-list job's thread body: normalises the request's input for its site type, calls the
// adapter, reports an empty result and remembers the input, telling events as it goes. It ends
// with ListEnded, whose downloadAtOnce asks the front end to download the single album of an item
// page at once, as the download button would. The list result is the context's. Returns 0.
int GetListFunc(const ListRequest& request, JobContext& context, const AdapterTable& adapters,
                JobEvents& events);
