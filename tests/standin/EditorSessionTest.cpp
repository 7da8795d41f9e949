// The whole editor end to end: the real PRALVIK.arx in the stand-in host,
// driven by the scripts of scripts/ as a user drives it, with the material
// file on disk checked afterwards byte for byte.
#include <gtest/gtest.h>

#include <windows.h>

#include <filesystem>
#include <sstream>
#include <tuple>

#include "HostSession.h"
#include "TestFiles.h"

namespace {

namespace fs = std::filesystem;

const std::string kFileName = "zodo.mat";

// The text with `from` replaced; `from` must be in it.
std::string replaced(const std::string& text, const std::string& from, const std::string& to) {
  std::string::size_type at = text.find(from);
  EXPECT_NE(at, std::string::npos) << from;
  if (at == std::string::npos) return text;
  return text.substr(0, at) + to + text.substr(at + from.size());
}

// The file text without the material's name line and the numbers line after it.
std::string withoutMaterial(const std::string& text, const std::string& name) {
  std::string::size_type at = text.find("*" + name + "\n");
  EXPECT_NE(at, std::string::npos) << name;
  if (at == std::string::npos) return text;
  std::string::size_type numbersEnd = text.find('\n', text.find('\n', at) + 1);
  return text.substr(0, at) + text.substr(numbersEnd + 1);
}

const std::string kHeader =
    "; zodo.mat - created with KVO Material Editor\n"
    "; -------------------------------------------\n";

class EditorSession : public HostSession {
 protected:
  HostOutcome runScript(const char* name, std::vector<std::string> options = {}) {
    options.insert(options.end(), {"--script", script(name), "--report-allocations"});
    HostOutcome outcome = run(options);
    EXPECT_EQ(outcome.exitCode, 0u) << outcome.errors;
    expectEverythingReleased(outcome);
    return outcome;
  }

  std::string workFile() const { return (fs::path(work()) / kFileName).string(); }
};

TEST_F(EditorSession, FoundFileShowsItsMaterialsInNameOrder) {
  seedSample(work());
  HostOutcome outcome = runScript("list-sample.script");
  EXPECT_EQ(outcome.output, expected("list-sample.rows"));
  EXPECT_EQ(fileBytes(workFile()), sampleBytes()) << "Cancel writes nothing";
}

// Read to its end without a complete material: the editor opens, empty.
TEST_F(EditorSession, FoundFileWithoutMaterialsOpensTheDialogEmpty) {
  writeFileBytes(workFile(), kHeader + "; no materials yet\n*name without numbers\n");
  HostOutcome outcome = runScript("list-sample.script");
  EXPECT_EQ(outcome.output, "");
}

TEST_F(EditorSession, NotFoundAndNoCreatesNoFile) {
  std::string elsewhere = folder("elsewhere");
  runScript("answer-no.script", {"--search-path", elsewhere});
  EXPECT_TRUE(entries(work()).empty());
  EXPECT_TRUE(entries(elsewhere).empty());
}

TEST_F(EditorSession, NotFoundAndYesWritesTheNewFileIntoTheWorkingFolder) {
  std::string elsewhere = folder("elsewhere");
  HostOutcome outcome = runScript("new-file.script", {"--search-path", elsewhere});
  EXPECT_EQ(outcome.output, "Structural steel S235JR\t7.85\t210\t0.3\t235\t360\t50\t1.2\t460\n");
  EXPECT_EQ(fileBytes(workFile()),
            withPlatformLineEnds(kHeader + "*Structural steel S235JR\n"
                                           " 7.85 210 0.3 235 360 50 1.2 460\n"));
  EXPECT_EQ(entries(work()), std::vector<std::string>{kFileName});
  EXPECT_TRUE(entries(elsewhere).empty());
}

TEST_F(EditorSession, EditAndDeleteAreWrittenOnOkInFileOrder) {
  seedSample(work());
  HostOutcome outcome = runScript("edit-delete.script");
  EXPECT_EQ(outcome.output, expected("edit-delete.rows"));
  std::string edited = replaced(sampleBytes(), "*PTFE\n 2.17 0.5 0.46 10 25 0.25 12 1000\n",
                                "*PTFE\n 2.2 0.5 0.46 10 25 0.25 12 1050\n");
  edited = withoutMaterial(withoutMaterial(edited, "Brass CuZn39Pb3"), "Polyacetal POM-C");
  EXPECT_EQ(fileBytes(workFile()), withPlatformLineEnds(edited));
  EXPECT_EQ(entries(work()), std::vector<std::string>{kFileName});
}

// OK after a confirmed Delete All writes a file without materials, as
// deleting them one by one does; it never leaves the old materials behind.
TEST_F(EditorSession, DeleteAllThenOkLeavesOnlyTheHeader) {
  seedSample(work());
  HostOutcome outcome = runScript("delete-all.script");
  EXPECT_EQ(outcome.output, "");
  EXPECT_EQ(fileBytes(workFile()), withPlatformLineEnds(kHeader));
}

TEST_F(EditorSession, CancelAfterChangesWritesNothing) {
  seedSample(work());
  runScript("cancel-changes.script");
  EXPECT_EQ(fileBytes(workFile()), sampleBytes());
  EXPECT_EQ(entries(work()), std::vector<std::string>{kFileName});
}

TEST_F(EditorSession, DataDialogReportsTheFirstRejectedFieldAndFocusesIt) {
  seedSample(work());
  HostOutcome outcome = runScript("validation.script");
  EXPECT_EQ(outcome.output, expected("list-sample.rows")) << "neither Cancel changed the list";
  EXPECT_EQ(fileBytes(workFile()), sampleBytes());
}

// The new file must go where a directory stands: OK says so and leaves the
// dialog open with the inserted material; the directory stays as it was.
TEST_F(EditorSession, FailedSaveOfANewFileKeepsTheDialogOpen) {
  fs::create_directories(root / "work" / kFileName);
  writeFileBytes((root / "work" / kFileName / "inside.txt").string(), "kept\n");
  HostOutcome outcome = runScript("save-fails-new.script");
  EXPECT_EQ(outcome.output, "Zinc\t7.14\t0\t0\t0\t0\t0\t0\t0\n");
  EXPECT_TRUE(fs::is_directory(workFile()));
  EXPECT_EQ(entries(workFile()), std::vector<std::string>{"inside.txt"});
  EXPECT_EQ(entries(work()), std::vector<std::string>{kFileName}) << "no temporary file is left";
}

// Another program holds the found file open without letting it be replaced:
// the save fails, the file keeps every byte, and no temporary file is left.
TEST_F(EditorSession, FailedSaveOfTheFoundFileLeavesItAsItWas) {
  seedSample(work());
  HostOutcome outcome;
  {
    HeldFile holder(workFile(), FILE_SHARE_READ);
    ASSERT_TRUE(holder.held());
    outcome = runScript("save-fails-found.script");
  }
  std::string rows = expected("list-sample.rows");
  EXPECT_EQ(outcome.output, replaced(rows, "PTFE\t2.17\t0.5\t0.46\t10\t25\t0.25\t12\t1000\n", ""))
      << "the dialog kept the deletion";
  EXPECT_EQ(fileBytes(workFile()), sampleBytes());
  EXPECT_EQ(entries(work()), std::vector<std::string>{kFileName});
}

// A found file that cannot be read must not open an empty editor, whose OK
// would replace the file and lose every material in it.
TEST_F(EditorSession, UnreadableFoundFileIsReportedAndLeftAlone) {
  seedSample(work());
  {
    HeldFile holder(workFile(), 0);
    ASSERT_TRUE(holder.held());
    runScript("read-fails.script");
  }
  EXPECT_EQ(fileBytes(workFile()), sampleBytes());
}

// The working folder comes first, then each folder of the search path; OK
// writes back to the file that the search found.
TEST_F(EditorSession, SearchPathFindsTheFileInItsSecondFolder) {
  std::string first = folder("first");
  std::string second = folder("second");
  seedSample(second);
  runScript("edit-one.script", {"--search-path", first + ";" + second});
  EXPECT_EQ(fileBytes((fs::path(second) / kFileName).string()),
            withPlatformLineEnds(replaced(sampleBytes(), "*PTFE\n 2.17 ", "*PTFE\n 2.2 ")));
  EXPECT_TRUE(entries(first).empty());
  EXPECT_TRUE(entries(work()).empty());
}

// The search ignores letter case and answers the name as stored; the dialog
// shows that path, and OK writes back to that very file.
TEST_F(EditorSession, DialogShowsThePathThatTheSearchFound) {
  std::string shared = folder("shared");
  std::string found = (fs::path(shared) / "ZODO.MAT").string();
  writeFileBytes(found, sampleBytes());
  std::string script = (root / "path.script").string();
  writeFileBytes(script, "command me\nexpect-window KVO Material Editor\nexpect-text 1004 " +
                             found + "\npress OK\n");
  HostOutcome outcome = run({"--search-path", shared, "--script", script, "--report-allocations"});
  EXPECT_EQ(outcome.exitCode, 0u) << outcome.errors;
  expectEverythingReleased(outcome);
  EXPECT_EQ(entries(shared), std::vector<std::string>{"ZODO.MAT"});
  EXPECT_EQ(fileBytes(found), sampleAsSaved()) << "the unchanged list, saved";
}

// Each step of the session, dialogs opened, closed and lists refilled, is seen
// to end once its windows are painted; only the last may be overtaken by the
// end of the script.
TEST_F(EditorSession, TimingsSeeEveryStepSettle) {
  seedSample(work());
  HostOutcome outcome = runScript("edit-delete.script", {"--report-timings"});
  std::vector<std::string> timings;
  std::istringstream errors(outcome.errors);
  for (std::string line; std::getline(errors, line);)
    if (line.rfind("timing: ", 0) == 0) timings.push_back(line);
  ASSERT_EQ(timings.size(), 16u) << outcome.errors;  // the script's acting lines
  for (std::size_t i = 0; i + 1 < timings.size(); ++i)
    EXPECT_NE(timings[i].find(": settled after "), std::string::npos) << timings[i];
}

TEST_F(EditorSession, SecondMeWhileTheEditorIsOpenOpensNothing) {
  seedSample(work());
  HostOutcome outcome = runScript("second-editor.script");
  std::string edited = replaced(sampleBytes(), "*PTFE\n 2.17 ", "*PTFE\n 2.2 ");
  EXPECT_EQ(outcome.output,
            replaced(expected("list-sample.rows"), "PTFE\t2.17\t", "PTFE\t2.2\t"));
  EXPECT_EQ(fileBytes(workFile()), withPlatformLineEnds(edited));
}

TEST_F(EditorSession, DrawingCloseAndUnloadAreRefusedWhileTheEditorIsOpen) {
  seedSample(work());
  runScript("host-requests.script");
  EXPECT_EQ(fileBytes(workFile()), sampleBytes());
}

// Another program changes, creates or deletes the file while the editor is
// open. OK asks first (Yes and No, No the default, owned by the list
// dialog): Yes saves the list, No keeps the dialog open with every change,
// and Cancel then leaves the other program's file alone.
struct BehindTheEditor {
  const char* name;
  bool fileAtStart;
  const char* otherProgram;  // script line
};

void PrintTo(const BehindTheEditor& change, std::ostream* out) { *out << change.name; }

const BehindTheEditor kBehindTheEditor[] = {
    {"Changed", true, "copy-file colleague.mat zodo.mat"},
    {"Created", false, "copy-file colleague.mat zodo.mat"},
    {"Deleted", true, "delete-file zodo.mat"},
};

class FileChangedBehindTheEditor
    : public EditorSession,
      public ::testing::WithParamInterface<std::tuple<BehindTheEditor, bool>> {};

TEST_P(FileChangedBehindTheEditor, OkAsksAndYesSavesNoKeepsTheDialogOpen) {
  const BehindTheEditor& change = std::get<0>(GetParam());
  bool yes = std::get<1>(GetParam());
  const std::string colleague = kHeader + "*Zinc\n 7.14 108 0.25 0 0 116 3.02 388\n";
  writeFileBytes((fs::path(work()) / "colleague.mat").string(), colleague);
  if (change.fileAtStart) seedSample(work());
  std::string script =
      "command me\n" +
      std::string(change.fileAtStart ? "" : "expect-window Create new file\npress Yes\n") +
      "expect-window KVO Material Editor\npress Insert...\nexpect-window Create new material\n"
      "set 1003 Copper\nset 1004 8.96\npress OK\nexpect-window KVO Material Editor\n" +
      change.otherProgram +
      "\npress OK\nexpect-window File changed\nexpect-text 65535 The material file was changed "
      "by another program after it was opened. Replace it with this list?\nexpect-style 0x124\n"
      "expect-focus 7\nexpect-owner KVO Material Editor\n" +
      (yes ? "press Yes\n" : "press No\nexpect-window KVO Material Editor\nrows\npress Cancel\n") +
      "quit\n";
  std::string scriptPath = (root / "behind.script").string();
  writeFileBytes(scriptPath, script);
  HostOutcome outcome =
      run({"--script", scriptPath, "--report-allocations", "--search-path", folder("elsewhere")});
  EXPECT_EQ(outcome.exitCode, 0u) << outcome.errors;
  expectEverythingReleased(outcome);
  const std::string copper = "*Copper\n 8.96 0 0 0 0 0 0 0\n";
  std::string expectedFile;
  if (yes) {
    expectedFile = withPlatformLineEnds((change.fileAtStart ? sampleBytes() : kHeader) + copper);
  } else {
    EXPECT_NE(outcome.output.find("Copper\t8.96\t"), std::string::npos) << outcome.output;
    if (change.otherProgram != std::string("delete-file zodo.mat")) expectedFile = colleague;
  }
  if (expectedFile.empty())
    EXPECT_FALSE(fs::exists(workFile()));
  else
    EXPECT_EQ(fileBytes(workFile()), expectedFile);
}

INSTANTIATE_TEST_SUITE_P(
    AnswerYesAndNo, FileChangedBehindTheEditor,
    ::testing::Combine(::testing::ValuesIn(kBehindTheEditor), ::testing::Bool()),
    [](const ::testing::TestParamInfo<FileChangedBehindTheEditor::ParamType>& info) {
      return std::string(std::get<0>(info.param).name) + (std::get<1>(info.param) ? "Yes" : "No");
    });

TEST_F(EditorSession, FileInTheWorkingFolderComesBeforeTheSearchPath) {
  std::string other = folder("other");
  seedSample(other);
  writeFileBytes(workFile(), kHeader + "*Zinc\n 7.14 108 0.25 0 0 116 3.02 388\n");
  HostOutcome outcome = runScript("list-sample.script", {"--search-path", other});
  EXPECT_EQ(outcome.output, "Zinc\t7.14\t108\t0.25\t0\t0\t116\t3.02\t388\n");
}

}  // namespace
