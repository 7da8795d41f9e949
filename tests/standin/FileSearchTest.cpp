// The stand-in host's file search on real folders.
#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <fstream>

#include "FileSearch.h"
#include "WindowsPath.h"

namespace {

namespace fs = std::filesystem;

class FileSearchTest : public ::testing::Test {
 protected:
  void SetUp() override {
    root = fs::path(windowsPath(WORK_ROOT)) / "file-search" /
           ::testing::UnitTest::GetInstance()->current_test_info()->name();
    fs::remove_all(root);
    fs::create_directories(root / "work");
    fs::create_directories(root / "first");
    fs::create_directories(root / "second");
    GetCurrentDirectoryA(sizeof previousFolder, previousFolder);
    SetCurrentDirectoryA((root / "work").string().c_str());
  }
  void TearDown() override { SetCurrentDirectoryA(previousFolder); }

  static void createFile(const fs::path& path) { std::ofstream(path) << "x\n"; }
  std::string folder(const char* name) const { return (root / name).string(); }

  // The path found, or "" for not found.
  std::string found(const FileSearch& search, const char* name, std::size_t size = 260) {
    char result[260];
    return search.find(name, result, size) ? std::string(result) : std::string();
  }

  fs::path root;
  char previousFolder[MAX_PATH] = {};
};

bool endsWith(const std::string& text, const std::string& end) {
  return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

TEST_F(FileSearchTest, WorkingDirectoryComesFirst) {
  createFile(root / "work" / "zodo.mat");
  createFile(root / "first" / "zodo.mat");
  EXPECT_TRUE(endsWith(found(FileSearch({folder("first")}), "zodo.mat"), "\\work\\zodo.mat"));
}

TEST_F(FileSearchTest, LaterFolderWhenTheEarlierOnesLackTheFile) {
  createFile(root / "second" / "zodo.mat");
  std::string path = found(FileSearch({folder("first"), folder("second")}), "zodo.mat");
  EXPECT_EQ(path, (root / "second" / "zodo.mat").string());
}

TEST_F(FileSearchTest, AnswersWithTheNameAsStored) {
  createFile(root / "first" / "zodo.mat");
  EXPECT_TRUE(endsWith(found(FileSearch({folder("first")}), "Zodo.mat"), "\\first\\zodo.mat"));
}

TEST_F(FileSearchTest, FolderOfThatNameIsNoFile) {
  fs::create_directories(root / "work" / "zodo.mat");
  createFile(root / "first" / "zodo.mat");
  EXPECT_TRUE(endsWith(found(FileSearch({folder("first")}), "zodo.mat"), "\\first\\zodo.mat"));
  EXPECT_EQ(found(FileSearch({}), "zodo.mat"), "");
}

TEST_F(FileSearchTest, PathThatWouldNotFitIsNotFound) {
  createFile(root / "work" / "zodo.mat");
  std::string path = found(FileSearch({}), "zodo.mat");
  ASSERT_FALSE(path.empty());
  EXPECT_EQ(found(FileSearch({}), "zodo.mat", path.size()), "");
  EXPECT_EQ(found(FileSearch({}), "zodo.mat", path.size() + 1), path);
}

TEST_F(FileSearchTest, NameWithAFolderIsLookedUpAsGivenOnly) {
  createFile(root / "second" / "zodo.mat");
  FileSearch search({folder("second")});
  EXPECT_EQ(found(search, (root / "second" / "zodo.mat").string().c_str()),
            (root / "second" / "zodo.mat").string());
  EXPECT_EQ(found(search, "first\\zodo.mat"), "");
}

TEST_F(FileSearchTest, EmptyOrWildcardNamesFindNothing) {
  createFile(root / "work" / "zodo.mat");
  FileSearch search({});
  EXPECT_EQ(found(search, ""), "");
  EXPECT_EQ(found(search, nullptr), "");
  EXPECT_EQ(found(search, "*.mat"), "");
  EXPECT_EQ(found(search, "zodo.ma?"), "");
}

}  // namespace
