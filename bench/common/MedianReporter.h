#pragma once
// Google Benchmark's console report, keeping the median time of each benchmark that ran with repetitions (in the
// benchmark's own time unit), so that a program can end with its summary line.
#include <benchmark/benchmark.h>

#include <map>
#include <string>
#include <vector>

namespace nv::bench {

class MedianReporter : public benchmark::ConsoleReporter {
public:
  std::map<std::string, double> medians;  // by benchmark name
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs)
      if (run.aggregate_name == "median") medians[run.run_name.function_name] = run.GetAdjustedRealTime();
    ConsoleReporter::ReportRuns(runs);
  }
};

}  // namespace nv::bench
