// Every allocation of a load and of a save fails in turn. Each run must either
// succeed with the right result, or fail cleanly: the right status, nothing
// left allocated, and after a failed save the target exactly as it was.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "AllocationFaults.h"
#include "MaterialFile.h"
#include "MaterialFileObserver.h"
#include "TestFiles.h"

namespace {

using Names = std::vector<std::string>;

// Long enough that the line buffer must grow and a name needs a copy of its
// own; with a rejected name and value, so message texts are copied too.
std::string testFileText() {
  std::string longName(9000, 'L');
  return "; header\n*Steel\n 7.85 210 0.3 235 360 50 1.2 460\n*" + longName +
         "\r\n 1 2 3 4 5 6 7 8\n*\n 0 1 2 3 4 5 -6 7\n*dropped\n 1 2\n*Last";
}

// Counts without allocating: a load that succeeds despite a failed request
// must have reported everything, not lost a report to that failure.
class CountingObserver : public MaterialFileObserver {
 public:
  void lineDropped(long, DroppedLine) override { ++reports; }
  void valueRejected(long, const char*) override { ++reports; }
  long reports = 0;
};

// Runs `attempt` with the 1st, 2nd, ... allocation failing until a run needs
// no failure; `judge` checks each run. Returns the number of runs.
template <typename Attempt, typename Judge>
long sweep(FaultMode mode, Attempt attempt, Judge judge) {
  for (long failing = 1;; ++failing) {
    beginAllocationWindow(failing, mode);
    auto result = attempt();
    endAllocationWindow();
    bool injected = allocationFailed();
    judge(result, injected, failing);
    if (!injected || ::testing::Test::HasFatalFailure() || failing > 10000) return failing;
  }
}

class MaterialFileAllocationFaults : public ::testing::TestWithParam<FaultMode> {
 protected:
  TemporaryFolder folder;
};

TEST_P(MaterialFileAllocationFaults, LoadSucceedsOrReportsOutOfMemoryWithoutLeaking) {
  std::string path = folder.file("zodo.mat");
  writeFileBytes(path, testFileText());
  ListGuard reference;
  ASSERT_EQ(readMaterialFile(path.c_str(), reference.head), MaterialFileStatus::Read);
  std::string expected = describeList(reference.head);
  CountingObserver observer;
  ListGuard counted;
  ASSERT_EQ(readMaterialFile(path.c_str(), counted.head, &observer), MaterialFileStatus::Read);
  const long expectedReports = observer.reports;
  struct Result {
    MaterialFileStatus status;
    MaterialList head;
  };
  long runs = sweep(
      GetParam(),
      [&] {
        Result result{MaterialFileStatus::Read, nullptr};
        observer.reports = 0;
        result.status = readMaterialFile(path.c_str(), result.head, &observer);
        return result;
      },
      [&](Result result, bool injected, long failing) {
        if (result.status == MaterialFileStatus::Read) {
          EXPECT_EQ(describeList(result.head), expected) << "allocation " << failing;
          EXPECT_EQ(observer.reports, expectedReports) << "allocation " << failing;
          releaseList(result.head);
        } else {
          EXPECT_TRUE(injected) << "allocation " << failing;
          EXPECT_EQ(result.status, MaterialFileStatus::OutOfMemory) << "allocation " << failing;
          EXPECT_EQ(result.head, nullptr) << "allocation " << failing;
        }
        EXPECT_EQ(outstandingBlocks(), 0) << "allocation " << failing;
      });
  EXPECT_GT(runs, 5);
}

TEST_P(MaterialFileAllocationFaults, LoadMaterialFileGivesNothingWhenMemoryRunsOut) {
  std::string path = folder.file("zodo.mat");
  writeFileBytes(path, testFileText());
  sweep(
      GetParam(), [&] { return loadMaterialFile(path.c_str()); },
      [&](MaterialNode* head, bool injected, long failing) {
        if (head == nullptr) {
          EXPECT_TRUE(injected) << "allocation " << failing;
        }
        MaterialList list = head;
        releaseList(list);
        EXPECT_EQ(outstandingBlocks(), 0) << "allocation " << failing;
      });
}

// Once for a file that exists, once for a new one.
void sweepSave(FaultMode mode, const TemporaryFolder& folder, const char* previous) {
  std::string path = folder.file("zodo.mat");
  ListGuard list;
  ASSERT_EQ(readText(testFileText(), list.head), MaterialFileStatus::Read);
  ASSERT_EQ(saveMaterialFile(list.head, path.c_str()), 1);
  std::string expected = fileBytes(path);
  auto restore = [&] {
    std::filesystem::remove(path);
    if (previous != nullptr) writeFileBytes(path, previous);
  };
  restore();
  long runs = sweep(
      mode, [&] { return saveMaterialFile(list.head, path.c_str()); },
      [&](int saved, bool injected, long failing) {
        if (saved == 1) {
          EXPECT_EQ(fileBytes(path), expected) << "allocation " << failing;
          EXPECT_EQ(folder.entries(), Names{"zodo.mat"}) << "allocation " << failing;
        } else {
          EXPECT_TRUE(injected) << "allocation " << failing;
          if (previous != nullptr) {
            EXPECT_EQ(fileBytes(path), previous) << "allocation " << failing;
            EXPECT_EQ(folder.entries(), Names{"zodo.mat"}) << "allocation " << failing;
          } else {
            EXPECT_EQ(folder.entries(), Names{}) << "allocation " << failing;
          }
        }
        EXPECT_EQ(outstandingBlocks(), 0) << "allocation " << failing;
        restore();
      });
  EXPECT_GT(runs, 1);
}

TEST_P(MaterialFileAllocationFaults, SaveSucceedsOrLeavesTheTargetAsItWas) {
  sweepSave(GetParam(), folder, "; the previous file\n*Kept\n 1 1 1 1 1 1 1 1\n");
}

TEST_P(MaterialFileAllocationFaults, SaveOfANewFileSucceedsOrLeavesNoFile) {
  sweepSave(GetParam(), folder, nullptr);
}

INSTANTIATE_TEST_SUITE_P(Modes, MaterialFileAllocationFaults,
                         ::testing::Values(FaultMode::Once, FaultMode::FromThenOn),
                         [](const auto& info) {
                           return info.param == FaultMode::Once ? "FailOnce" : "FailFromThenOn";
                         });

}  // namespace
