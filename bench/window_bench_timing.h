// Clocks and the summaries of repeated runs for the whole-process benchmark.
#pragma once
#include <cstdint>
#include <vector>

std::int64_t Clock_ns();
double Ms(std::int64_t ns);

// The least of the runs: other load on the machine only ever adds time, so
// the fastest run is the closest to what the work itself costs.
double Best(const std::vector<double>& values);
double Median(std::vector<double> values);
void Append(std::vector<double>& to, const std::vector<double>& from);
