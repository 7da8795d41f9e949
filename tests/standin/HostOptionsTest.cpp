#include <gtest/gtest.h>

#include "HostOptions.h"

namespace {

bool parse(const std::vector<std::string>& arguments, HostOptions& options, std::string& error) {
  options = HostOptions{};
  error.clear();
  return parseHostOptions(arguments, options, error);
}

TEST(HostOptions, NoArgumentsMeanThePromptWithTheModuleBesideTheHost) {
  HostOptions options;
  std::string error;
  ASSERT_TRUE(parse({}, options, error));
  EXPECT_TRUE(options.scriptPath.empty());
  EXPECT_TRUE(options.modulePath.empty());
  EXPECT_TRUE(options.searchFolders.empty());
  EXPECT_EQ(options.failingRequest, 0);
  EXPECT_FALSE(options.reportAllocations);
}

TEST(HostOptions, ReadsEveryOption) {
  HostOptions options;
  std::string error;
  ASSERT_TRUE(parse({"--search-path", "a;b", "--script", "run.script", "--report-allocations",
                     "--report-requests", "--report-timings", "--fail-allocation", "12",
                     "--report-file-operations", "--fail-file-operation", "7", "other.arx"},
                    options, error))
      << error;
  EXPECT_EQ(options.searchFolders, (std::vector<std::string>{"a", "b"}));
  EXPECT_EQ(options.scriptPath, "run.script");
  EXPECT_TRUE(options.reportAllocations);
  EXPECT_TRUE(options.reportRequests);
  EXPECT_TRUE(options.reportTimings);
  EXPECT_EQ(options.failingRequest, 12);
  EXPECT_TRUE(options.reportFileOperations);
  EXPECT_EQ(options.failingFileOperation, 7);
  EXPECT_EQ(options.modulePath, "other.arx");
}

TEST(HostOptions, SearchPathsSplitAtSemicolonsAndAddUp) {
  EXPECT_EQ(splitSearchPath(";a;;b c;"), (std::vector<std::string>{"a", "b c"}));
  EXPECT_TRUE(splitSearchPath("").empty());
  HostOptions options;
  std::string error;
  ASSERT_TRUE(parse({"--search-path", "a", "--search-path", "Z:\\data;c"}, options, error));
  EXPECT_EQ(options.searchFolders, (std::vector<std::string>{"a", "Z:\\data", "c"}));
}

TEST(HostOptions, FailingRequestIsAPositiveWholeNumber) {
  HostOptions options;
  std::string error;
  for (const char* option : {"--fail-allocation", "--fail-file-operation"}) {
    for (const char* bad : {"0", "-1", "+3", "3x", "", "x", "99999999999999999999"}) {
      EXPECT_FALSE(parse({option, bad}, options, error)) << bad;
      EXPECT_NE(error.find(option), std::string::npos) << bad;
    }
    EXPECT_TRUE(parse({option, "1"}, options, error));
  }
}

TEST(HostOptions, RefusesWhatCannotBeRun) {
  HostOptions options;
  std::string error;
  EXPECT_FALSE(parse({"--script"}, options, error));
  EXPECT_EQ(error, "--script needs a value");
  EXPECT_FALSE(parse({"--fail"}, options, error));
  EXPECT_EQ(error, "unknown option \"--fail\"");
  EXPECT_FALSE(parse({"one.arx", "two.arx"}, options, error));
  EXPECT_TRUE(parse({"--help"}, options, error));
  EXPECT_TRUE(options.helpWanted);
}

}  // namespace
