#pragma once

#include <functional>
#include <vector>

// Side-by-side timing for the benchmark exes.
namespace benchmark_timing {

// Seconds from the performance counter.
double Now();

// Median seconds of one call of each body over `rounds` rounds. The bodies take turns in every
// round, so that a change in the machine's load falls on all of them alike; each is repeated
// often enough to run for at least `sampleSeconds` per round.
std::vector<double> TimePerCall(const std::vector<std::function<void()>>& bodies, int rounds = 9,
                                double sampleSeconds = 0.02);

}  // namespace benchmark_timing
