// Every file operation of a save and of a load fails in turn, as a full disk
// or a dropped network drive makes it fail. A save either succeeds or reports
// failure and leaves the folder exactly as it was: the old file byte for byte
// and with its permissions, no temporary file. A load either reads the whole
// list or reports failure and holds nothing. Neither leaves memory or a file
// descriptor behind (the allocator shim counts blocks in the native tree,
// LeakSanitizer checks the sanitize tree). On Windows the same sweeps run
// against the Win32 file layer, counting the process's handles; permissions,
// links and Unix pipes are the POSIX layer's alone.
#include <gtest/gtest.h>

#include <sys/stat.h>
#ifdef _WIN32
#include <windows.h>
#endif

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "FileFaultInjection.h"
#include "MaterialFile.h"
#include "TestFiles.h"
#include "TestMaterials.h"

#ifdef PRALVIK_COUNT_ALLOCATIONS
#include "AllocationFaults.h"
#endif

namespace {

using Names = std::vector<std::string>;

#ifdef _WIN32
constexpr bool kPermissionBits = false;

long openDescriptors() {
  DWORD count = 0;
  GetProcessHandleCount(GetCurrentProcess(), &count);
  return static_cast<long>(count);
}

unsigned permissionsOf(const std::string&) { return 0; }
#else
constexpr bool kPermissionBits = true;

long openDescriptors() {
  long count = 0;
  for (auto it = std::filesystem::directory_iterator("/proc/self/fd");
       it != std::filesystem::directory_iterator(); ++it) {
    ++count;
  }
  return count;
}

unsigned permissionsOf(const std::string& path) {
  struct stat status;
  return stat(path.c_str(), &status) == 0 ? status.st_mode & 07777 : 0;
}
#endif

// Runs `attempt` with its 1st, 2nd, ... file operation failing until a run
// makes no failing one; `judge` checks each run. Returns the operations of
// that last, whole run.
template <typename Attempt, typename Judge>
long sweep(Attempt attempt, Judge judge) {
  for (long failing = 1; failing < 10000; ++failing) {
    long descriptors = openDescriptors();
#ifdef PRALVIK_COUNT_ALLOCATIONS
    beginAllocationWindow(0, FaultMode::Once);
#endif
    FileFaultInjection::arm(failing);
    auto result = attempt();
    long performed = 0;
    bool injected = FileFaultInjection::disarm(&performed);
#ifdef PRALVIK_COUNT_ALLOCATIONS
    endAllocationWindow();
#endif
    judge(result, injected, failing);
#ifdef PRALVIK_COUNT_ALLOCATIONS
    EXPECT_EQ(outstandingBlocks(), 0) << "operation " << failing;
#endif
    EXPECT_EQ(openDescriptors(), descriptors) << "operation " << failing;
    if (!injected || ::testing::Test::HasFatalFailure()) return performed;
  }
  ADD_FAILURE() << "the sweep did not end";
  return 0;
}

MaterialList threeMaterials() {
  MaterialList head = createNode();
  append(head, makeMaterial("Steel", 7.85));
  append(head, makeMaterial("Brass", 8.5));
  append(head, makeMaterial("Oak", 0.7));
  return head;
}

class MaterialFileOperationFaults : public ::testing::Test {
 protected:
  std::string target() const { return folder.file("zodo.mat"); }

  // `previous`: the file that the save replaces, absent for a new one.
  long sweepSave(const char* previous);

  // Runs whose failed operation the save may rightly pass over: the first
  // asking whether the target is a regular file (asked again before the
  // rename, or answered by another way of asking); on POSIX a change of owner
  // that only root can make and the folder's sync after the rename; on
  // Windows the close of the handle that asked what the target leads to.
  long passedOver = 0;

  TemporaryFolder folder;
};

long MaterialFileOperationFaults::sweepSave(const char* previous) {
  ListGuard list;
  list.head = threeMaterials();
  std::string path = target();
  EXPECT_EQ(saveMaterialFile(list.head, path.c_str()), 1);
  std::string expected = fileBytes(path);
  unsigned newFilePermissions = permissionsOf(path);
  // Unlike any that a new file gets, so that a replacement that loses them shows.
  const unsigned kept = kPermissionBits ? 0604 : 0;
  auto restore = [&] {
    std::filesystem::remove(path);
    if (previous == nullptr) return;
    writeFileBytes(path, previous);
    if (kPermissionBits) chmod(path.c_str(), kept);
  };
  restore();
  return sweep([&] { return saveMaterialFile(list.head, path.c_str()); },
               [&](int saved, bool injected, long failing) {
                 if (saved == 1 && injected) ++passedOver;
                 if (saved == 1) {
                   EXPECT_EQ(fileBytes(path), expected) << "operation " << failing;
                   EXPECT_EQ(permissionsOf(path), previous ? kept : newFilePermissions)
                       << "operation " << failing;
                 } else {
                   EXPECT_TRUE(injected) << "operation " << failing;
                 }
                 if (saved == 1 || previous != nullptr) {
                   EXPECT_EQ(folder.entries(), Names{"zodo.mat"}) << "operation " << failing;
                 } else {
                   EXPECT_EQ(folder.entries(), Names{}) << "operation " << failing;
                 }
                 if (saved != 1 && previous != nullptr) {
                   EXPECT_EQ(fileBytes(path), previous) << "operation " << failing;
                   EXPECT_EQ(permissionsOf(path), kept) << "operation " << failing;
                 }
                 restore();
               });
}

// Open, writes, flush, sync, close and rename at the least.
TEST_F(MaterialFileOperationFaults, SaveSucceedsOrLeavesTheOldFileAsItWas) {
  long operations = sweepSave("; the previous file\n*Kept\n 1 1 1 1 1 1 1 1\n");
  // Any other failed write, flush, sync or close fails the save.
  EXPECT_EQ(passedOver, kPermissionBits ? 1 + 1 + 3 : 1 + 1);
  EXPECT_GE(operations, 6 + 2 + 3 * 3);
  RecordProperty("operations", static_cast<int>(operations));
}

TEST_F(MaterialFileOperationFaults, SaveOfANewFileSucceedsOrLeavesNoFile) {
  long operations = sweepSave(nullptr);
  EXPECT_EQ(passedOver, kPermissionBits ? 1 + 3 : 1);
  EXPECT_GE(operations, 6 + 2 + 3 * 3);
  RecordProperty("operations", static_cast<int>(operations));
}

#ifndef _WIN32
TEST_F(MaterialFileOperationFaults, SaveThroughALinkReplacesTheFileItNamesOrNothing) {
  const std::string previous = "; the previous file\n";
  std::string named = folder.file("named.mat");
  writeFileBytes(named, previous);
  std::filesystem::create_symlink("named.mat", target());
  ListGuard list;
  list.head = threeMaterials();
  MemorySink sink;
  ASSERT_EQ(writeMaterialText(list.head, sink), 1);
  sweep([&] { return saveMaterialFile(list.head, target().c_str()); },
        [&](int saved, bool, long failing) {
          EXPECT_TRUE(std::filesystem::is_symlink(target())) << "operation " << failing;
          EXPECT_EQ(folder.entries(), (Names{"named.mat", "zodo.mat"})) << "operation " << failing;
          EXPECT_EQ(fileBytes(named), saved == 1 ? sink.text : previous) << "operation " << failing;
          std::filesystem::remove(target());
          std::filesystem::create_symlink("named.mat", target());
          writeFileBytes(named, previous);
        });
}

// A rename would put a regular file where the pipe was.
TEST_F(MaterialFileOperationFaults, SaveOverAPipeFailsWhicheverOperationFails) {
  ASSERT_EQ(mkfifo(target().c_str(), 0600), 0);
  sweep([&] { return saveMaterialFile(nullptr, target().c_str()); },
        [&](int saved, bool, long failing) {
          EXPECT_EQ(saved, 0) << "operation " << failing;
          EXPECT_TRUE(std::filesystem::is_fifo(target())) << "operation " << failing;
          EXPECT_EQ(folder.entries(), Names{"zodo.mat"}) << "operation " << failing;
          if (!std::filesystem::is_fifo(target())) {
            std::filesystem::remove(target());
            mkfifo(target().c_str(), 0600);
          }
        });
}
#else
// Under Wine a pipe of the Unix side shows as a file on drive Z: (the build
// makes one); Windows' own devices are told by name, with no operation.
TEST_F(MaterialFileOperationFaults, SaveOverAPipeFailsWhicheverOperationFails) {
  const char* pipe = std::getenv("PRALVIK_TEST_FIFO");
  if (pipe == nullptr) GTEST_SKIP() << "no pipe given (PRALVIK_TEST_FIFO)";
  std::string folderOfPipe = std::filesystem::path(pipe).parent_path().string();
  auto before = [&] {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folderOfPipe))
      names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
  };
  Names entries = before();
  sweep([&] { return saveMaterialFile(nullptr, pipe); },
        [&](int saved, bool, long failing) {
          EXPECT_EQ(saved, 0) << "operation " << failing;
          EXPECT_EQ(before(), entries) << "operation " << failing;
        });
}
#endif

// Several reads' worth, so that a read fails with materials already taken.
std::string longFileText() {
  std::string text = "; header\n";
  for (int i = 0; i < 300; ++i) {
    text += "*Material " + std::to_string(i) + "\n 7.85 210 0.3 235 360 50 1.2 460\n";
  }
  return text;
}

TEST_F(MaterialFileOperationFaults, LoadReadsTheWholeListOrReportsFailureHoldingNothing) {
  writeFileBytes(target(), longFileText());
  ListGuard reference;
  ASSERT_EQ(readMaterialFile(target().c_str(), reference.head), MaterialFileStatus::Read);
  std::string expected = describeList(reference.head);
  struct Result {
    MaterialFileStatus status;
    MaterialList head;
  };
  long operations = sweep(
      [&] {
        Result result{MaterialFileStatus::Read, nullptr};
        result.status = readMaterialFile(target().c_str(), result.head);
        return result;
      },
      [&](Result result, bool injected, long failing) {
        if (result.status == MaterialFileStatus::Read) {
          EXPECT_EQ(describeList(result.head), expected) << "operation " << failing;
        } else {
          EXPECT_TRUE(injected) << "operation " << failing;
          EXPECT_TRUE(result.status == MaterialFileStatus::CannotOpen ||
                      result.status == MaterialFileStatus::ReadFailed)
              << "operation " << failing;
          EXPECT_EQ(result.head, nullptr) << "operation " << failing;
        }
        releaseList(result.head);
      });
  // Open, the reads to the end of the text, close.
  EXPECT_GE(operations, 4);
  RecordProperty("operations", static_cast<int>(operations));
  long failures = 0;
  sweep([&] { return loadMaterialFile(target().c_str()); },
        [&](MaterialNode* head, bool, long failing) {
          if (head != nullptr) {
            EXPECT_EQ(describeList(head), expected) << "operation " << failing;
          }
          failures += head == nullptr;
          MaterialList list = head;
          releaseList(list);
        });
  // All but the closing operation of the file read.
  EXPECT_EQ(failures, operations - 1);
}

}  // namespace
