#include <gtest/gtest.h>

#include "ScriptParser.h"

namespace {

Script parsed(const std::string& content) {
  Script script;
  ScriptFailure failure;
  EXPECT_TRUE(parseScript(content, script, failure)) << describeFailure(failure);
  return script;
}

ScriptFailure rejected(const std::string& content) {
  Script script;
  ScriptFailure failure;
  EXPECT_FALSE(parseScript(content, script, failure)) << content;
  return failure;
}

TEST(ScriptParser, SkipsCommentsAndBlankLinesButKeepsLineNumbers) {
  Script script = parsed("# a session\n\n   # indented comment\ncommand me\r\n\t\nquit\n");
  ASSERT_EQ(script.lines.size(), 2u);
  EXPECT_EQ(script.lines[0].number, 4);
  EXPECT_EQ(script.lines[0].text, "command me");
  EXPECT_EQ(script.lines[0].verb, ScriptVerb::Command);
  EXPECT_EQ(script.lines[0].argument, "me");
  EXPECT_EQ(script.lines[1].number, 6);
  EXPECT_EQ(script.endLineNumber, 7);
  EXPECT_EQ(parsed("command me").endLineNumber, 2);
  EXPECT_TRUE(parsed("").lines.empty());
}

TEST(ScriptParser, TitlesLabelsAndNamesAreTheRestOfTheLine) {
  Script script = parsed(
      "expect-window Create new file \npress Delete All\npress Insert...\nselect Stainless "
      "steel\n");
  EXPECT_EQ(script.lines[0].argument, "Create new file");
  EXPECT_EQ(script.lines[1].argument, "Delete All");
  EXPECT_EQ(script.lines[2].argument, "Insert...");
  EXPECT_EQ(script.lines[3].verb, ScriptVerb::Select);
  EXPECT_EQ(script.lines[3].argument, "Stainless steel");
}

// A field's text is kept as written after the one blank that ends the id,
// blanks included, so a test can type what a user might.
TEST(ScriptParser, SetAndExpectTextKeepTheirTextAsWritten) {
  Script script = parsed(
      "set 1003  7.85 \nset 1002\nexpect-text 1001 \nexpect-text 1001 Density must be > 0\n");
  EXPECT_EQ(script.lines[0].controlId, 1003);
  EXPECT_EQ(script.lines[0].argument, " 7.85 ");
  EXPECT_EQ(script.lines[1].controlId, 1002);
  EXPECT_EQ(script.lines[1].argument, "");
  EXPECT_EQ(script.lines[2].verb, ScriptVerb::ExpectText);
  EXPECT_EQ(script.lines[2].argument, "");
  EXPECT_EQ(script.lines[3].argument, "Density must be > 0");
}

TEST(ScriptParser, ReadsKeysFocusRowsPictureAndQuit) {
  Script script =
      parsed("key Enter\nkey Escape\nkey Insert\nkey Delete\nexpect-focus 1004\nrows\n"
             "picture docs shot.bmp\nquit\n");
  EXPECT_EQ(script.lines[0].key, ScriptKey::Enter);
  EXPECT_EQ(script.lines[1].key, ScriptKey::Escape);
  EXPECT_EQ(script.lines[2].key, ScriptKey::Insert);
  EXPECT_EQ(script.lines[3].key, ScriptKey::Delete);
  EXPECT_EQ(script.lines[4].verb, ScriptVerb::ExpectFocus);
  EXPECT_EQ(script.lines[4].controlId, 1004);
  EXPECT_EQ(script.lines[5].verb, ScriptVerb::Rows);
  EXPECT_EQ(script.lines[6].verb, ScriptVerb::Picture);
  EXPECT_EQ(script.lines[6].argument, "docs shot.bmp");
  EXPECT_EQ(script.lines[7].verb, ScriptVerb::Quit);
}

TEST(ScriptParser, ReadsTheHostsSideOfASession) {
  Script script = parsed(
      "send-command me\nexpect-style 0x124\nexpect-style 36\nexpect-host disabled\n"
      "expect-host enabled\nexpect-owner PRALVIK stand-in host\ncopy-file  new.mat  zodo.mat \n"
      "delete-file zodo.mat\nexpect-find-file Zodo.mat\nclose-drawing\nunload\nexpect-refused\n");
  EXPECT_EQ(script.lines[0].verb, ScriptVerb::SendCommand);
  EXPECT_EQ(script.lines[1].style, 0x124u);
  EXPECT_EQ(script.lines[2].style, 0x24u);
  EXPECT_FALSE(script.lines[3].enabled);
  EXPECT_TRUE(script.lines[4].enabled);
  EXPECT_EQ(script.lines[5].argument, "PRALVIK stand-in host");
  EXPECT_EQ(script.lines[6].argument, "new.mat");
  EXPECT_EQ(script.lines[6].target, "zodo.mat");
  EXPECT_EQ(script.lines[7].verb, ScriptVerb::FileDelete);
  EXPECT_EQ(script.lines[8].argument, "Zodo.mat");
  EXPECT_EQ(script.lines[11].verb, ScriptVerb::ExpectRefused);
}

// The dialog lines of the Wine tests, read as the one language reads them.
TEST(ScriptParser, ReadsEveryDialogVerbWithItsIdAndText) {
  Script script = parsed(
      "expect-window KVO Material Editor\nset 1003 Stainless steel 1.4301\nselect brass\n"
      "expect-text 1001 Density must be > 0\nkey Escape\n");
  EXPECT_EQ(script.lines[0].verb, ScriptVerb::ExpectWindow);
  EXPECT_EQ(script.lines[0].argument, "KVO Material Editor");
  EXPECT_EQ(script.lines[1].verb, ScriptVerb::Set);
  EXPECT_EQ(script.lines[1].argument, "Stainless steel 1.4301");
  EXPECT_EQ(script.lines[2].argument, "brass");
  EXPECT_EQ(script.lines[3].controlId, 1001);
  EXPECT_EQ(script.lines[4].key, ScriptKey::Escape);
  EXPECT_EQ(rejected("click OK").reason, "unknown action \"click\"");
  for (const char* bad : {"key F5", "set name Steel", "expect-focus 1000 now", "rows all"})
    rejected(bad);
}

TEST(ScriptParser, NamesTheFirstBadLineWithItsNumberAndText) {
  ScriptFailure failure = rejected("command me\n# fine\nfrobnicate now\ncommand\n");
  EXPECT_EQ(failure.lineNumber, 3);
  EXPECT_EQ(failure.lineText, "frobnicate now");
  EXPECT_EQ(failure.reason, "unknown action \"frobnicate\"");
  EXPECT_EQ(describeFailure(failure), "line 3: frobnicate now\n  unknown action \"frobnicate\"\n");
}

TEST(ScriptParser, RefusesArgumentsAVerbCannotTake) {
  for (const char* bad :
       {"command", "command me too", "expect-window", "press  ", "select", "key Tab", "key", "set",
        "set x 1", "set 70000 1", "expect-text", "expect-focus", "expect-focus 10 11", "rows 3",
        "quit now", "Command me", "picture", "send-command", "expect-style", "expect-style 0x",
        "expect-style 12q", "expect-style -1", "expect-host on", "expect-owner", "unload now",
        "expect-refused yes", "copy-file a.mat", "copy-file a b c", "delete-file",
        "expect-find-file"}) {
    ScriptFailure failure = rejected(bad);
    EXPECT_EQ(failure.lineNumber, 1) << bad;
    EXPECT_FALSE(failure.reason.empty()) << bad;
  }
}

// Lines after quit would never run; a script that seems to check something
// there must not pass unseen.
TEST(ScriptParser, NothingButCommentsMayFollowQuit) {
  EXPECT_EQ(parsed("quit\n# done\n\n").lines.size(), 1u);
  ScriptFailure failure = rejected("command me\nquit\npress No\n");
  EXPECT_EQ(failure.lineNumber, 3);
}

}  // namespace
