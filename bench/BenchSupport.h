#pragma once

#include <benchmark/benchmark.h>

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>

// Benchmarks run on the full reference data. Every figure a user would notice is
// a benchmark named after the figure ("food_move"); the same work done with the
// raw SQLite C API is registered as "<figure>.baseline". The summary at the end
// prints one line per figure: figure <name> <ms> baseline <ms> ratio <x>.

// The working directory holding the full data/ folder, built once per build tree.
// It is made current before the benchmarks run, so modules open "data" as the program does.
const std::filesystem::path& benchDirectory();

// The working directory holding the tenfold data/ folder: every food copied nine
// more times under new numbers, with its values, measures and group.
const std::filesystem::path& tenfoldDirectory();

// The working directory holding the full data/ folder with 10,000 recipes more:
// synthetic, each with 8-15 linked lines (some kept as written), one to three types,
// a cuisine, times, serves, a procedure of 300-1,500 characters, and its totals.
const std::filesystem::path& tenThousandRecipesDirectory();
inline constexpr std::int64_t kFirstSyntheticRecipe = 1000;
inline constexpr int kSyntheticRecipes = 10000;

// Builds what is missing of the data folders; the tenfold and recipe ones from the full one.
void prepareBenchData();

// A figure that is not a time (a share, a count): printed in the summary as
// "figure <name> <value>" beside the timed ones.
void recordFigure(const std::string& name, double value);

// The application object (offscreen), made once for every benchmark that needs windows.
void ensureApplication();

#define SAPORIA_FIGURE(name, function) \
    BENCHMARK(function)->Name(name)->Unit(benchmark::kMillisecond)->Repetitions(7)->ReportAggregatesOnly(true)
#define SAPORIA_BASELINE(name, function)                                                                    \
    BENCHMARK(function)->Name(name ".baseline")->Unit(benchmark::kMillisecond)->Repetitions(7)->ReportAggregatesOnly(true)

// A figure that grows with the food table is measured twice: as "<name>" on the
// full data and as "<name>_x10" with the tenfold data as the working directory.
// Both registrations are returned, for figures that set options of their own.
using BenchmarkFunction = void (*)(benchmark::State&);
enum class Measure { Figure, Baseline };
std::array<benchmark::internal::Benchmark*, 2> registerOnBothDataSets(const std::string& name, Measure measure,
                                                                      BenchmarkFunction function);

// A figure measured only with the 10,000 recipes as the working directory, as "<name>_10k".
benchmark::internal::Benchmark* registerOnRecipeData(const std::string& name, Measure measure, BenchmarkFunction function);

#define SAPORIA_SCALE_FIGURE(name, function)                                    \
    [[maybe_unused]] static const auto BENCHMARK_PRIVATE_NAME(scale_figure) = \
        registerOnBothDataSets(name, Measure::Figure, function)
#define SAPORIA_SCALE_BASELINE(name, function)                                    \
    [[maybe_unused]] static const auto BENCHMARK_PRIVATE_NAME(scale_baseline) = \
        registerOnBothDataSets(name, Measure::Baseline, function)
