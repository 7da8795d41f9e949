// The command's memory of the material file against the file on disk: what
// another program may have done to it between the read and OK.
#include <gtest/gtest.h>

#ifdef _WIN32
#include <windows.h>
#endif

#include <filesystem>
#include <string>

#include "FileAsRead.h"
#include "MaterialFile.h"
#include "TestFiles.h"

namespace {

namespace fs = std::filesystem;

// Bytes the reader treats specially (a byte order mark, carriage returns,
// 0x1A), over more than one read buffer.
std::string awkwardFile() {
  std::string text = "\xEF\xBB\xBF; zodo.mat\r\n";
  for (int i = 0; i < 300; ++i)
    text += "*Steel \x1A" + std::to_string(i) + "\r\n 7.85 210 0.3 235 360 50 1.2 460\r\n";
  return text;
}

class FileAsReadTest : public ::testing::Test {
 protected:
  FileAsRead readNow() {
    ListGuard list;
    FileDigest digest;
    EXPECT_EQ(readMaterialFile(path.c_str(), list.head, nullptr, &digest),
              MaterialFileStatus::Read);
    return FileAsRead::read(path.c_str(), digest);
  }

  TemporaryFolder folder;
  std::string path = folder.file("zodo.mat");
};

TEST_F(FileAsReadTest, ChangedBytesAndAVanishedFileCountAsChangedTheSameBytesDoNot) {
  const std::string original = awkwardFile();
  writeFileBytes(path, original);
  FileAsRead asRead = readNow();
  EXPECT_FALSE(asRead.changedSinceRead()) << "the digest is of exactly the bytes read";
  std::string oneByte = original;
  oneByte[oneByte.size() / 2] ^= 1;
  writeFileBytes(path, oneByte);
  EXPECT_TRUE(asRead.changedSinceRead());
  writeFileBytes(path, original + "\n");
  EXPECT_TRUE(asRead.changedSinceRead());
  writeFileBytes(path, original);
  EXPECT_FALSE(asRead.changedSinceRead()) << "written back as it was: nothing to lose";
  fs::remove(path);
  EXPECT_TRUE(asRead.changedSinceRead());
  fs::create_directory(path);
  EXPECT_TRUE(asRead.changedSinceRead()) << "a folder where the file was";
}

// A folder where a new file must go stays what it was; the save refuses it.
TEST_F(FileAsReadTest, WithoutAFileOnlyOneThatAppearsCountsAsChanged) {
  FileAsRead asRead = FileAsRead::noFile(path.c_str());
  EXPECT_FALSE(asRead.changedSinceRead());
  fs::create_directory(path);
  EXPECT_FALSE(asRead.changedSinceRead());
  fs::remove(path);
  writeFileBytes(path, "");
  EXPECT_TRUE(asRead.changedSinceRead()) << "even an empty file is one a save would replace";
}

#ifdef _WIN32
// Another program holds the file without sharing it: what it holds cannot be
// told, and replacing it unasked could lose it.
TEST_F(FileAsReadTest, AFileThatCannotBeReadCountsAsChanged) {
  writeFileBytes(path, awkwardFile());
  FileAsRead asRead = readNow();
  HANDLE held = CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  EXPECT_TRUE(asRead.changedSinceRead());
  EXPECT_TRUE(FileAsRead::noFile(path.c_str()).changedSinceRead());
  CloseHandle(held);
  EXPECT_FALSE(asRead.changedSinceRead());
}
#endif

}  // namespace
