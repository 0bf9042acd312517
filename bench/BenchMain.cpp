#include "bench/BenchSupport.h"

#include <cstdio>
#include <map>
#include <string>

namespace {

std::map<std::string, double>& recordedFigures()
{
    static std::map<std::string, double> figures;
    return figures;
}

// Keeps the median of every benchmark and prints the summary lines.
class SummaryReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            // A share (of lines read right, say) is a figure of its own, no timing.
            if (const auto share = run.counters.find("share"); share != run.counters.end())
                shares_[run.run_name.function_name] = share->second.value;
            if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "median")
                medians_[run.run_name.function_name] = run.GetAdjustedRealTime();
        }
    }

    void printSummary() const
    {
        std::printf("\nSummary (medians, ms):\n");
        for (const auto& [name, value] : shares_)
            std::printf("figure %s %.4f\n", name.c_str(), value);
        for (const auto& [name, ms] : medians_) {
            if (name.ends_with(".baseline") || shares_.count(name))
                continue;
            const auto baseline = medians_.find(name + ".baseline");
            if (baseline == medians_.end())
                std::printf("figure %s %.4f\n", name.c_str(), ms);
            else
                std::printf("figure %s %.4f baseline %.4f ratio %.2f\n", name.c_str(), ms, baseline->second,
                            baseline->second > 0 ? ms / baseline->second : 0.0);
        }
        for (const auto& [name, value] : recordedFigures())
            std::printf("figure %s %.4f\n", name.c_str(), value);
    }

private:
    std::map<std::string, double> medians_;
    std::map<std::string, double> shares_;
};

} // namespace

void recordFigure(const std::string& name, double value)
{
    recordedFigures()[name] = value;
}

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    prepareBenchData();
    std::filesystem::current_path(benchDirectory());
    SummaryReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.printSummary();
    benchmark::Shutdown();
    return 0;
}
