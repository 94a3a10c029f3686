#include "BenchmarkTiming.h"

#include <windows.h>

#include <algorithm>

namespace benchmark_timing {

double Now()
{
    LARGE_INTEGER frequency, now;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&now);
    return double(now.QuadPart) / double(frequency.QuadPart);
}

std::vector<double> TimePerCall(const std::vector<std::function<void()>>& bodies, int rounds, double sampleSeconds)
{
    std::vector<int> repeats;
    for (const auto& body : bodies) {
        int repeat = 1;
        for (;;) {
            const double start = Now();
            for (int i = 0; i < repeat; ++i)
                body();
            if (Now() - start >= sampleSeconds)
                break;
            repeat *= 2;
        }
        repeats.push_back(repeat);
    }
    std::vector<std::vector<double>> samples(bodies.size());
    for (int round = 0; round < rounds; ++round) {
        for (size_t b = 0; b < bodies.size(); ++b) {
            const double start = Now();
            for (int i = 0; i < repeats[b]; ++i)
                bodies[b]();
            samples[b].push_back((Now() - start) / repeats[b]);
        }
    }
    std::vector<double> medians;
    for (auto& times : samples) {
        std::sort(times.begin(), times.end());
        medians.push_back(times[times.size() / 2]);
    }
    return medians;
}

}  // namespace benchmark_timing
