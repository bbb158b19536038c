// Timing helpers for the benchmarks: wall-clock runs and their median.
#pragma once

#include <algorithm>
#include <chrono>
#include <iostream>
#include <string_view>
#include <vector>

template <typename Work>
double MedianMilliseconds(int runs, Work&& work)
{
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        const auto start = std::chrono::steady_clock::now();
        work(i);
        times.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

inline void Report(std::string_view what, double milliseconds)
{
    std::cout << what << ": median " << static_cast<long long>(milliseconds + 0.5) << " ms" << std::endl;
}
