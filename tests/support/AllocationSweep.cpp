#include "AllocationSweep.h"

#include <filesystem>
#include <memory>

namespace {

namespace fs = std::filesystem;

// Each parallel slot reuses its folder, emptied before every run.
std::string slotFolder(const SweepPlan& plan, int slot) {
  return (fs::path(plan.folderRoot) / ("slot-" + std::to_string(slot))).string();
}

HostInvocation invocationFor(const SweepPlan& plan, long failingRequest,
                             const std::string& folder) {
  HostInvocation invocation;
  invocation.program = plan.program;
  invocation.arguments = plan.arguments;
  bool files = plan.target == SweepTarget::FileOperations;
  invocation.arguments.insert(
      invocation.arguments.end(),
      {"--report-allocations", files ? "--report-file-operations" : "--report-requests",
       files ? "--fail-file-operation" : "--fail-allocation", std::to_string(failingRequest)});
  invocation.workingFolder = folder;
  return invocation;
}

}  // namespace

SweepSummary sweepAllocations(const SweepPlan& plan,
                              const std::function<void(const SweepRun&)>& check) {
  SweepSummary summary;
  int slots = plan.parallelRuns > 0 ? plan.parallelRuns : 1;
  for (long first = 1; first <= plan.runLimit; first += slots) {
    std::vector<SweepRun> runs(static_cast<std::size_t>(slots));
    std::vector<std::unique_ptr<HostProcess>> processes;
    for (int slot = 0; slot < slots; ++slot) {
      SweepRun& run = runs[static_cast<std::size_t>(slot)];
      run.failingRequest = first + slot;
      run.workingFolder = slotFolder(plan, slot);
      std::error_code ignored;
      fs::remove_all(run.workingFolder, ignored);
      fs::create_directories(run.workingFolder);
      if (plan.prepare) plan.prepare(run.workingFolder);
      processes.push_back(std::make_unique<HostProcess>());
      processes.back()->start(invocationFor(plan, run.failingRequest, run.workingFolder));
    }
    bool sessionCovered = false;
    for (int slot = 0; slot < slots; ++slot) {
      SweepRun& run = runs[static_cast<std::size_t>(slot)];
      run.outcome = processes[static_cast<std::size_t>(slot)]->finish();
      run.report = allocationReport(run.outcome.errors);
      if (plan.target == SweepTarget::FileOperations)
        run.report.requests = fileOperationCount(run.outcome.errors);
      ++summary.runs;
      check(run);
      if (!run.report.present || run.report.requests < 0) return summary;
      // This run's failure never came: the session makes fewer requests.
      if (run.report.requests < run.failingRequest && !sessionCovered) {
        sessionCovered = true;
        summary.requests = run.report.requests;
      }
    }
    if (sessionCovered) return summary;
  }
  return summary;
}
