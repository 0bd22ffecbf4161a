// Timing with the performance counter, and the statistics the figures use.
#pragma once
#include <windows.h>

#include <vector>

// Seconds on the performance counter.
double Now();

double Median(std::vector<double> values);
double Best(const std::vector<double> &values);

// How many calls of `body` take about `seconds`: the batch size for a
// measurement, found by doubling.
template <typename Body> int CalibrateBatch(Body body, double seconds)
{
    for (int count = 1;; count *= 2) {
        double start = Now();
        for (int i = 0; i < count; i++)
            body();
        if (Now() - start >= seconds || count >= (1 << 24))
            return count;
    }
}

// Seconds per call of `body`, over one batch of `count` calls.
template <typename Body> double TimePerCall(Body body, int count)
{
    double start = Now();
    for (int i = 0; i < count; i++)
        body();
    return (Now() - start) / count;
}
