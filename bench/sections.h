// The benchmark's sections; each prints its own figures.
#pragma once
#include "bench_host.h"

struct BenchOptions {
    bool quick;      // fewer rounds and cycles: a smoke run, not figures
    HWND hostWindow; // the benchmark's own window, in the foreground
};

// Each returns false when a figure misses its target or cannot be taken.
bool CheckImage(const BenchOptions &options);
bool MeasureLoadCycles(const BenchOptions &options);
bool MeasureExecCost(const BenchOptions &options);
bool MeasureParamThroughput(const BenchOptions &options);
