#pragma once

struct AdapterTable;
struct JobContext;

// The download job's thread body: for each selected album, lists its pictures through the
// adapter, downloads them with the worker pool (or writes a download list) and runs the passes.
// Returns 0.
int DownloadJobFunc(JobContext& job, const AdapterTable& adapters);
