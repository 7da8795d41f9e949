#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/stat.h>
#include <unistd.h>
#endif

#include <cstdlib>
#include <cstring>

#include "MaterialFile.h"
#include "ReplacingFile.h"
#include "TestFiles.h"

namespace {

using Names = std::vector<std::string>;

Material* material(const char* name, std::initializer_list<double> numbers) {
  Material* record = createMaterial();
  if (name != nullptr) record->setName(name);
  double values[8] = {};
  std::copy(numbers.begin(), numbers.end(), values);
  record->setDensity(values[0]);
  record->setYoungModulus(values[1]);
  record->setPoissonRatio(values[2]);
  record->setYieldStrength(values[3]);
  record->setTensileStrength(values[4]);
  record->setThermalConductivity(values[5]);
  record->setLinearExpansion(values[6]);
  record->setSpecificHeat(values[7]);
  return record;
}

// Steel, an empty node, a name with "%", an unnamed material: the list behind
// files/written.mat.
MaterialList sampleList() {
  MaterialList head = createNode();
  append(head, material("Steel", {7.85, 210, 0.3, 235, 360, 50, 1.2, 460}));
  append(head, material("gone", {1, 1, 1, 1, 1, 1, 1, 1}));
  removeAt(head, 1);  // the last node stays behind empty
  append(head, material("100% PTFE %s %d", {2.2, 0.5, 0.46, 1e-5, 123456789, 0.25, 12, 1000}));
  append(head, material(nullptr, {0, 0, 0, 0, 0, 0, 0, -0.0}));
  return head;
}

const std::string kHeader =
    "; zodo.mat - created with KVO Material Editor\n"
    "; -------------------------------------------\n";

struct LongTargets {
  std::filesystem::path folder;
  std::vector<std::string> names;
};

class MaterialFileSave : public ::testing::Test {
 protected:
  void SetUp() override { list.head = sampleList(); }
  void TearDown() override;
  std::string target() const { return folder.file("zodo.mat"); }
  std::string expectedBytes() const {
    return withPlatformLineEnds(fileBytes(testDataPath("material/files/written.mat")));
  }
  // Folders, devices and pipes, made for the test; and what the folder then
  // holds beside zodo.mat.
  std::vector<std::string> nonRegularNodes();
  Names expectedEntries() const;
  static bool stillThere(const std::string& node);
  // Names of files as long as the system allows them, in a folder of their own.
  LongTargets longestTargets() const;

  TemporaryFolder folder;
  ListGuard list;
#ifdef _WIN32
  HANDLE pipe_ = INVALID_HANDLE_VALUE;
#endif
};

#ifdef _WIN32
void MaterialFileSave::TearDown() {
  if (pipe_ != INVALID_HANDLE_VALUE) CloseHandle(pipe_);
}

// Under Wine the test run adds a named pipe of the Unix side, which a disk
// shows as a file (PRALVIK_TEST_FIFO).
std::vector<std::string> MaterialFileSave::nonRegularNodes() {
  std::string pipeName = "\\\\.\\pipe\\" + folder.path().filename().string();
  pipe_ = CreateNamedPipeA(pipeName.c_str(), PIPE_ACCESS_INBOUND, 0, 1, 64, 64, 0, nullptr);
  EXPECT_NE(pipe_, INVALID_HANDLE_VALUE);
  std::filesystem::create_directory(folder.file("sub"));
  std::vector<std::string> nodes{folder.file("sub"), folder.file("NUL"), "NUL", pipeName};
  if (const char* unixPipe = std::getenv("PRALVIK_TEST_FIFO")) nodes.push_back(unixPipe);
  return nodes;
}

Names MaterialFileSave::expectedEntries() const { return {"sub", "zodo.mat"}; }

bool MaterialFileSave::stillThere(const std::string& node) {
  return isNonRegularFile(node.c_str());
}

// The ANSI functions take paths of up to MAX_PATH - 1 characters, and Windows
// makes a folder only where an 8.3 name still fits in it (Wine goes further):
// the deepest folder that can be made where "zodo.mat" still fits, the
// longest name in it, and a short one.
LongTargets MaterialFileSave::longestTargets() const {
  std::size_t base = folder.path().string().size() + 1;
  for (std::size_t length = MAX_PATH - 1 - std::strlen("\\zodo.mat"); length > base; --length) {
    std::string deep = folder.file(std::string(length - base, 'd'));
    if (CreateDirectoryA(deep.c_str(), nullptr)) {
      return {deep, {std::string(MAX_PATH - 1 - length - 1, 'n'), "a.mat"}};
    }
  }
  ADD_FAILURE() << "no folder can be made";
  return {};
}
#else
void MaterialFileSave::TearDown() {}

std::vector<std::string> MaterialFileSave::nonRegularNodes() {
  std::filesystem::create_directory(folder.file("sub"));
  EXPECT_EQ(mkfifo(folder.file("pipe").c_str(), 0600), 0);
  std::filesystem::create_symlink("pipe", folder.file("link"));
  return {folder.file("sub"), folder.file("pipe"), folder.file("link")};
}

Names MaterialFileSave::expectedEntries() const { return {"link", "pipe", "sub", "zodo.mat"}; }

bool MaterialFileSave::stillThere(const std::string& node) {
  std::filesystem::file_type type = std::filesystem::symlink_status(node).type();
  return type == std::filesystem::file_type::directory ||
         type == std::filesystem::file_type::fifo || type == std::filesystem::file_type::symlink;
}

// A name has at most 255 bytes.
LongTargets MaterialFileSave::longestTargets() const {
  LongTargets targets{folder.file("long"), {}};
  std::filesystem::create_directory(targets.folder);
  for (std::size_t length = 249; length <= 255; ++length) {
    targets.names.push_back(std::string(length, 'n'));
  }
  return targets;
}
#endif

TEST_F(MaterialFileSave, WritesHeaderThenEachMaterialInListOrderExactly) {
  ASSERT_EQ(saveMaterialFile(list.head, target().c_str()), 1);
  EXPECT_EQ(fileBytes(target()), expectedBytes());
  EXPECT_EQ(folder.entries(), Names{"zodo.mat"});
}

TEST_F(MaterialFileSave, LineEndsAreThoseOfThePlatformsTextMode) {
  ASSERT_EQ(saveMaterialFile(nullptr, target().c_str()), 1);
  std::string bytes = fileBytes(target());
#ifdef _WIN32
  EXPECT_EQ(bytes.substr(bytes.size() - 2), "\r\n");
  EXPECT_EQ(std::count(bytes.begin(), bytes.end(), '\r'), 2);
#else
  EXPECT_EQ(bytes.back(), '\n');
  EXPECT_EQ(bytes.find('\r'), std::string::npos);
#endif
}

TEST_F(MaterialFileSave, FileAsWrittenKeepsEveryByteOnEveryPlatform) {
  std::string path = target();
  ReplacingFile file;
  ASSERT_EQ(file.open(path.c_str(), ReplacingFile::LineEnds::AsWritten), 1);
  const std::string bytes = "a,b\r\nc\nd\r";
  ASSERT_EQ(file.write(bytes.data(), bytes.size()), 1);
  ASSERT_EQ(file.close(), 1);
  EXPECT_EQ(fileBytes(target()), bytes);
  EXPECT_EQ(folder.entries(), Names{"zodo.mat"});
}

TEST_F(MaterialFileSave, SinkReceivesLineFeedsWhateverThePlatform) {
  MemorySink sink;
  ASSERT_EQ(writeMaterialText(list.head, sink), 1);
  EXPECT_EQ(sink.text, fileBytes(testDataPath("material/files/written.mat")));
  EXPECT_TRUE(sink.closed);
}

TEST_F(MaterialFileSave, AbsentOrEmptyListWritesOnlyTheHeader) {
  ASSERT_EQ(saveMaterialFile(nullptr, target().c_str()), 1);
  EXPECT_EQ(fileBytes(target()), withPlatformLineEnds(kHeader));
  MaterialList empty = createNode();
  MemorySink sink;
  EXPECT_EQ(writeMaterialText(empty, sink), 1);
  EXPECT_EQ(sink.text, kHeader);
  releaseList(empty);
}

TEST_F(MaterialFileSave, SavedFileReadsBackAsTheListWithoutEmptyNodes) {
  ASSERT_EQ(saveMaterialFile(list.head, target().c_str()), 1);
  MaterialList loaded = loadMaterialFile(target().c_str());
  EXPECT_EQ(describeList(loaded),
            "Steel|7.85 210 0.3 235 360 50 1.2 460\n"
            "100% PTFE %s %d|2.2 0.5 0.46 1e-005 1.23457e+008 0.25 12 1000\n"
            "(null)|0 0 0 0 0 0 0 -0\n");
  releaseList(loaded);
}

TEST_F(MaterialFileSave, ReplacesAnExistingFileInOneStep) {
  writeFileBytes(target(), "old content\n");
  ASSERT_EQ(saveMaterialFile(list.head, target().c_str()), 1);
  EXPECT_EQ(fileBytes(target()), expectedBytes());
  ASSERT_EQ(saveMaterialFile(nullptr, target().c_str()), 1);
  EXPECT_EQ(fileBytes(target()), withPlatformLineEnds(kHeader));
  EXPECT_EQ(folder.entries(), Names{"zodo.mat"});
}

// Writes: two header lines, then three per material (asterisk, name, numbers).
TEST_F(MaterialFileSave, FailedWriteLeavesTheTargetAsItWasAndNoTemporaryFile) {
  const int writes = 2 + 3 * 3;
  writeFileBytes(target(), "old content\n");
  for (int failing = 1; failing <= writes; ++failing) {
    {
      ReplacingFile file;
      ASSERT_EQ(file.open(target().c_str()), 1);
      FailingSink sink(file, failing, false);
      EXPECT_EQ(writeMaterialText(list.head, sink), 0) << "write " << failing;
    }
    EXPECT_EQ(fileBytes(target()), "old content\n") << "write " << failing;
    EXPECT_EQ(folder.entries(), Names{"zodo.mat"}) << "write " << failing;
  }
}

TEST_F(MaterialFileSave, FailedCloseLeavesNoFileWhereThereWasNone) {
  {
    ReplacingFile file;
    ASSERT_EQ(file.open(target().c_str()), 1);
    FailingSink sink(file, 0, true);
    EXPECT_EQ(writeMaterialText(list.head, sink), 0);
  }
  EXPECT_EQ(folder.entries(), Names{});
}

TEST_F(MaterialFileSave, FolderWhereTheFileMustGoFailsAndStays) {
  std::filesystem::create_directory(target());
  writeFileBytes(folder.file("zodo.mat/inside"), "kept");
  EXPECT_EQ(saveMaterialFile(list.head, target().c_str()), 0);
  EXPECT_TRUE(std::filesystem::is_directory(target()));
  EXPECT_EQ(fileBytes(folder.file("zodo.mat/inside")), "kept");
  EXPECT_EQ(folder.entries(), Names{"zodo.mat"});
}

// A rename would put a regular file where the folder, device or pipe was.
TEST_F(MaterialFileSave, TargetThatIsNoRegularFileIsRefusedAndStays) {
  EXPECT_TRUE(isNonRegularFile(folder.path().string().c_str()));
  writeFileBytes(target(), "old\n");
  EXPECT_FALSE(isNonRegularFile(target().c_str()));
  EXPECT_FALSE(isNonRegularFile(folder.file("missing.mat").c_str()));
  EXPECT_FALSE(isNonRegularFile(folder.file("missing/zodo.mat").c_str()));
  for (const std::string& node : nonRegularNodes()) {
    EXPECT_TRUE(isNonRegularFile(node.c_str())) << node;
    EXPECT_EQ(saveMaterialFile(list.head, node.c_str()), 0) << node;
    EXPECT_TRUE(stillThere(node)) << node;
  }
  EXPECT_EQ(fileBytes(target()), "old\n");
  EXPECT_EQ(folder.entries(), expectedEntries());
}

// The temporary file beside the target must fit wherever the target does.
TEST_F(MaterialFileSave, LongestNamesAndPathsTheSystemAllowsCanBeSaved) {
  LongTargets targets = longestTargets();
  for (const std::string& name : targets.names) {
    std::string path = (targets.folder / name).string();
    writeFileBytes(path, "old\n");
    ASSERT_EQ(fileBytes(path), "old\n") << path.size() << " characters";
    EXPECT_EQ(saveMaterialFile(list.head, path.c_str()), 1) << path.size() << " characters";
    EXPECT_EQ(fileBytes(path), expectedBytes()) << path.size() << " characters";
  }
  std::vector<std::string> entries;
  for (const auto& entry : std::filesystem::directory_iterator(targets.folder)) {
    entries.push_back(entry.path().filename().string());
  }
  std::sort(entries.begin(), entries.end());
  std::sort(targets.names.begin(), targets.names.end());
  EXPECT_EQ(entries, targets.names);
}

// A temporary name cut to the target's length would be the target's own
// name ("~"), one that another file holds ("~" beside "a"), or one of only
// 36 ("~0" to "~z" beside "ab").
TEST_F(MaterialFileSave, ShortNamesAreSavedWhateverStandsBesideThem) {
  std::vector<std::string> others;
  for (char c : std::string("0123456789abcdefghijklmnopqrstuvwxyz")) others.push_back({'~', c});
  for (const std::string& other : others) writeFileBytes(folder.file(other), "other\n");
  for (const char* name : {"~", "a", "ab"}) {
    ASSERT_EQ(saveMaterialFile(list.head, folder.file(name).c_str()), 1) << name;
    EXPECT_EQ(fileBytes(folder.file(name)), expectedBytes()) << name;
  }
  EXPECT_EQ(fileBytes(folder.file("~")), expectedBytes());
  for (const std::string& other : others) EXPECT_EQ(fileBytes(folder.file(other)), "other\n");
  EXPECT_EQ(folder.entries().size(), others.size() + 3);
}

#ifndef _WIN32
// A path has at most 4095 bytes: where the full temporary name passes that,
// a short one beside the target's own name still fits.
TEST_F(MaterialFileSave, ShortNameAtTheLongestPathIsSaved) {
  const std::size_t longestPath = 4095;
  const std::string name = "ab";
  // Folders of 200 bytes while one more and a last one of at least a byte fit.
  std::filesystem::path deep = folder.path();
  while (deep.string().size() + 201 + 2 + 1 + name.size() <= longestPath)
    deep /= std::string(200, 'd');
  deep /= std::string(longestPath - deep.string().size() - 2 - name.size(), 'd');
  std::filesystem::create_directories(deep);
  std::string path = (deep / name).string();
  ASSERT_EQ(path.size(), longestPath);
  writeFileBytes(path, "old\n");
  ASSERT_EQ(saveMaterialFile(list.head, path.c_str()), 1);
  EXPECT_EQ(fileBytes(path), expectedBytes());
  std::vector<std::string> entries;
  for (const auto& entry : std::filesystem::directory_iterator(deep))
    entries.push_back(entry.path().filename().string());
  EXPECT_EQ(entries, Names{name});
}
#endif

TEST_F(MaterialFileSave, MissingFolderAbsentOrEmptyPathFailWithoutWriting) {
  EXPECT_EQ(saveMaterialFile(list.head, folder.file("missing/zodo.mat").c_str()), 0);
  EXPECT_EQ(saveMaterialFile(list.head, nullptr), 0);
  EXPECT_EQ(saveMaterialFile(list.head, ""), 0);
  EXPECT_EQ(folder.entries(), Names{});
}

#ifdef _WIN32
TEST_F(MaterialFileSave, ReadOnlyTargetIsNotReplaced) {
  writeFileBytes(target(), "old\n");
  ASSERT_NE(SetFileAttributesA(target().c_str(), FILE_ATTRIBUTE_READONLY), 0);
  EXPECT_EQ(saveMaterialFile(list.head, target().c_str()), 0);
  SetFileAttributesA(target().c_str(), FILE_ATTRIBUTE_NORMAL);
  EXPECT_EQ(fileBytes(target()), "old\n");
  EXPECT_EQ(folder.entries(), Names{"zodo.mat"});
}
#else
// Root may write any file, so only an ordinary user sees the refusal.
TEST_F(MaterialFileSave, ReadOnlyTargetIsNotReplaced) {
  if (geteuid() == 0) GTEST_SKIP() << "root may write a read-only file";
  writeFileBytes(target(), "old\n");
  chmod(target().c_str(), 0444);
  EXPECT_EQ(saveMaterialFile(list.head, target().c_str()), 0);
  EXPECT_EQ(fileBytes(target()), "old\n");
  EXPECT_EQ(folder.entries(), Names{"zodo.mat"});
}

mode_t permissionsOf(const std::string& path) {
  struct stat status;
  return stat(path.c_str(), &status) == 0 ? status.st_mode & 07777 : 0;
}

// The set-group-id bit too, which a shared folder's files may carry.
TEST_F(MaterialFileSave, ReplacedFileKeepsItsPermissions) {
  for (mode_t mode : {0640u, 02640u}) {
    writeFileBytes(target(), "old\n");
    chmod(target().c_str(), mode);
    ASSERT_EQ(saveMaterialFile(list.head, target().c_str()), 1);
    EXPECT_EQ(permissionsOf(target()), mode);
  }
}

TEST_F(MaterialFileSave, NewFileGetsThePermissionsOfAnyNewFile) {
  mode_t previous = umask(027);
  int saved = saveMaterialFile(list.head, target().c_str());
  umask(previous);
  ASSERT_EQ(saved, 1);
  EXPECT_EQ(permissionsOf(target()), 0640u);
}

TEST_F(MaterialFileSave, SaveThroughLinkReplacesTheLinkedFileAndKeepsTheLink) {
  std::filesystem::create_directory(folder.file("data"));
  writeFileBytes(folder.file("data/real.mat"), "old\n");
  std::filesystem::create_symlink("data/real.mat", target());
  ASSERT_EQ(saveMaterialFile(list.head, target().c_str()), 1);
  EXPECT_TRUE(std::filesystem::is_symlink(target()));
  EXPECT_EQ(fileBytes(folder.file("data/real.mat")), expectedBytes());
  EXPECT_EQ(folder.entries(), (Names{"data", "zodo.mat"}));
}

TEST_F(MaterialFileSave, LinkLeadingNowhereCannotBeSavedThrough) {
  std::filesystem::create_symlink("nowhere/real.mat", target());
  EXPECT_EQ(saveMaterialFile(list.head, target().c_str()), 0);
  EXPECT_TRUE(std::filesystem::is_symlink(target()));
  EXPECT_EQ(folder.entries(), Names{"zodo.mat"});
}
#endif

}  // namespace
