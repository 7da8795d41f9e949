#include "HostSession.h"

#include <algorithm>
#include <cstdlib>
#include <ios>

#include "TestFiles.h"
#include "WindowsPath.h"

namespace fs = std::filesystem;

void HostSession::SetUp() {
  const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
  root = fs::path(windowsPath(WORK_ROOT)) / test->test_suite_name() / test->name();
  fs::remove_all(root);
  fs::create_directories(root / "work");
}

HostOutcome HostSession::run(std::vector<std::string> arguments, const std::string& input) {
  HostInvocation invocation{host(), std::move(arguments), work(), input};
  HostOutcome outcome = runHost(invocation);
  EXPECT_TRUE(outcome.started);
  EXPECT_FALSE(outcome.timedOut);
  return outcome;
}

std::string HostSession::host() {
  return windowsPath(hostFromAnotherTree() ? std::getenv("PRALVIK_PAIR_HOST") : STANDIN_HOST_PATH);
}

bool HostSession::hostFromAnotherTree() {
  const char* pairHost = std::getenv("PRALVIK_PAIR_HOST");
  return pairHost != nullptr && *pairHost != '\0';
}

std::string HostSession::script(const char* name) {
  return (fs::path(windowsPath(SCRIPT_FOLDER)) / name).string();
}

std::string HostSession::expected(const char* name) { return fileBytes(script(name)); }

std::string HostSession::sampleBytes() { return fileBytes(windowsPath(SAMPLE_FILE)); }

std::string HostSession::sampleAsSaved() { return withPlatformLineEnds(sampleBytes()); }

std::string HostSession::folder(const char* name) const {
  fs::create_directories(root / name);
  return (root / name).string();
}

void HostSession::seedSample(const std::string& folder) const {
  writeFileBytes((fs::path(folder) / "zodo.mat").string(), sampleBytes());
}

namespace {

std::vector<std::string> sortedEntries(const std::string& folder) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder))
    names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

}  // namespace

std::vector<std::string> HostSession::entries(const std::string& folder) {
  return sortedEntries(folder);
}

void expectEverythingReleased(const HostOutcome& outcome) {
  AllocationReport report = allocationReport(outcome.errors);
  ASSERT_TRUE(report.present) << outcome.errors;
  EXPECT_GT(report.allocations, 0) << "the runtime's own start allocates through the host";
  EXPECT_EQ(report.releases, report.allocations);
  EXPECT_EQ(report.outstanding, 0);
  EXPECT_EQ(outcome.errors.find("invalid releases"), std::string::npos) << outcome.errors;
}

void expectNothingLeaked(const SweepRun& run) {
  ASSERT_FALSE(run.outcome.timedOut);
  // A host that said nothing at all either never started or died at once.
  ASSERT_TRUE(run.report.present) << "started " << run.outcome.started << ", exit code 0x"
                                  << std::hex << run.outcome.exitCode << ": "
                                  << run.outcome.errors;
  EXPECT_EQ(run.report.outstanding, 0);
  EXPECT_EQ(run.outcome.errors.find("invalid releases"), std::string::npos) << run.outcome.errors;
}

std::string expectOldOrNewFileAlone(const SweepRun& run, const std::string& before,
                                    const std::string& after) {
  expectNothingLeaked(run);
  // 1: a window came that the script did not expect; anything else is a crash.
  EXPECT_LE(run.outcome.exitCode, 1u) << run.outcome.errors;
  // However the command ended, its windows were owned and the host's window
  // took input again.
  EXPECT_EQ(run.outcome.errors.find("standin-host: "), std::string::npos) << run.outcome.errors;
  std::string file = fileBytes((std::filesystem::path(run.workingFolder) / "zodo.mat").string());
  EXPECT_TRUE(file == before || file == after) << file;
  EXPECT_EQ(sortedEntries(run.workingFolder), std::vector<std::string>{"zodo.mat"});
  return file;
}

HeldFile::HeldFile(const std::string& path, DWORD sharing)
    : handle_(CreateFileA(path.c_str(), GENERIC_READ, sharing, nullptr, OPEN_EXISTING,
                          FILE_ATTRIBUTE_NORMAL, nullptr)) {}

HeldFile::~HeldFile() {
  if (held()) CloseHandle(handle_);
}
