#pragma once

#include <benchmark/benchmark.h>

#include <filesystem>

// Benchmarks run on the full reference data. Every figure a user would notice is
// a benchmark named after the figure ("food_move"); the same work done with the
// raw SQLite C API is registered as "<figure>.baseline". The summary at the end
// prints one line per figure: figure <name> <ms> baseline <ms> ratio <x>.

// The working directory holding the full data/ folder, built once per build tree.
// It is made current before the benchmarks run, so modules open "data" as the program does.
const std::filesystem::path& benchDirectory();

#define SAPORIA_FIGURE(name, function) \
    BENCHMARK(function)->Name(name)->Unit(benchmark::kMillisecond)->Repetitions(7)->ReportAggregatesOnly(true)
#define SAPORIA_BASELINE(name, function)                                                                    \
    BENCHMARK(function)->Name(name ".baseline")->Unit(benchmark::kMillisecond)->Repetitions(7)->ReportAggregatesOnly(true)
