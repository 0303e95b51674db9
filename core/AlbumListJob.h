#pragma once

#include <functional>

struct AdapterTable;
struct JobContext;

// The album-list job's thread body: normalises the input for the site type, calls the adapter,
// reports an empty result and updates the window and the input history. pressDownload starts the
// download exactly as the download button does (used when a single-album site found one album).
// Returns 0.
int GetListFunc(JobContext& job, const AdapterTable& adapters, const std::function<void()>& pressDownload);
