// The script's run, step by step, against a host whose clock the test moves,
// windows that the test opens, and dialog verbs that record what they were
// asked.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>

#include "ScriptParser.h"
#include "ScriptSession.h"

namespace {

struct FakeWindow {
  std::string title;
  std::vector<std::string> buttons;
  bool closes = true;  // whether a close as a user takes it away
};

class FakeWindows final : public WindowDriver {
 public:
  bool activeWindowTitle(std::string& title) override {
    if (open.empty()) return false;
    title = open.back().title;
    return true;
  }
  ActionResult activeWindowOwner(std::string& ownerTitle) override {
    if (open.empty()) return ActionResult::failed("no window is open");
    ownerTitle = open.size() > 1 ? open[open.size() - 2].title : "host";
    return ActionResult::success();
  }
  ActionResult press(const std::string& label) override {
    if (open.empty()) return ActionResult::failed("no window");
    const std::vector<std::string>& buttons = open.back().buttons;
    if (std::find(buttons.begin(), buttons.end(), label) == buttons.end()) {
      return ActionResult::failed("no button " + label);
    }
    pressed.push_back(label);
    open.pop_back();
    return ActionResult::success();
  }
  bool closeActiveWindow() override {
    if (open.empty()) return false;
    ++closeAttempts;
    if (open.back().closes) open.pop_back();
    return true;
  }
  ActionResult savePicture(const std::string& path) override {
    pictures.push_back(path);
    return ActionResult::success();
  }

  std::vector<FakeWindow> open;
  std::vector<std::string> pressed;
  std::vector<std::string> pictures;
  int closeAttempts = 0;
};

class FakeHost final : public ScriptHost {
 public:
  bool startCommand(const std::string& name) override {
    if (name != "me") return false;
    started.push_back(name);
    running = true;
    return true;
  }
  bool commandRunning() const override { return running; }
  bool mainWindowEnabled() const override { return enabled; }
  bool request(HostRequest request) override {
    requests.push_back(request);
    return !running;
  }
  bool lastFileSearch(std::string& name) const override {
    name = searched;
    return !searched.empty();
  }
  bool openMessageBox(ModuleMessageBox& open) const override {
    if (box.caption.empty()) return false;
    open = box;
    return true;
  }
  ActionResult copyFile(const std::string& from, const std::string& to) override {
    fileActions.push_back("copy " + from + " " + to);
    return ActionResult::success();
  }
  ActionResult deleteFile(const std::string& name) override {
    fileActions.push_back("delete " + name);
    return ActionResult::failed("cannot delete " + name);
  }
  long long milliseconds() const override { return now; }
  void writeOutputLine(const std::string& line) override { output.push_back(line); }
  void onLineActed(const ScriptLine& line) override { acted.push_back(line.number); }

  std::vector<std::string> started;
  std::vector<int> acted;  // line numbers
  std::vector<HostRequest> requests;
  std::vector<std::string> fileActions;
  bool running = false;
  bool enabled = true;
  std::string searched;
  ModuleMessageBox box;  // no caption: no message box of the module is open
  long long now = 0;
  std::vector<std::string> output;
};

class FakeDialogVerbs final : public DialogVerbs {
 public:
  ActionResult setText(int id, const std::string& text) override {
    if (!windowOpen) return ActionResult::failed("no window is open");
    texts[id] = text;
    return ActionResult::success();
  }
  ActionResult selectRow(const std::string& name) override {
    selected = name;
    return ActionResult::success();
  }
  ActionResult pressKey(ScriptKey key) override {
    keys.push_back(key);
    return ActionResult::success();
  }
  ActionResult controlText(int id, std::string& text) override {
    text = texts[id];
    return ActionResult::success();
  }
  ActionResult focusedControl(int& id) override {
    id = focus;
    return ActionResult::success();
  }
  ActionResult listRows(std::vector<std::string>& rows) override {
    rows = {"brass\t8.5", "steel\t7.85"};
    return ActionResult::success();
  }

  bool windowOpen = true;
  std::map<int, std::string> texts;
  std::string selected;
  std::vector<ScriptKey> keys;
  int focus = 0;
};

const FakeWindow kQuestion{"Create new file", {"Yes", "No"}};

class ScriptSessionTest : public ::testing::Test {
 protected:
  void start(const std::string& content, DialogVerbs* dialogVerbs = nullptr) {
    ScriptFailure failure;
    ASSERT_TRUE(parseScript(content, script, failure)) << describeFailure(failure);
    session = std::make_unique<ScriptSession>(script, host, windows, dialogVerbs);
  }

  // Steps with the clock moving 10 ms a step, as the host's timer does.
  void runSteps(int steps) {
    for (int i = 0; i < steps && !session->finished(); ++i) {
      session->step();
      host.now += 10;
    }
  }

  void runToEnd() { runSteps(10000); }

  Script script;
  FakeHost host;
  FakeWindows windows;
  std::unique_ptr<ScriptSession> session;
};

TEST_F(ScriptSessionTest, RunsOneActionPerStepInsideTheCommandsWindows) {
  start("command me\nexpect-window Create new file\npress No\n");
  session->step();
  EXPECT_EQ(host.started, std::vector<std::string>{"me"});
  windows.open.push_back(kQuestion);
  session->step();
  EXPECT_TRUE(windows.pressed.empty());
  session->step();
  EXPECT_EQ(windows.pressed, std::vector<std::string>{"No"});
  host.running = false;
  session->step();
  EXPECT_TRUE(session->finished());
  EXPECT_TRUE(session->held());
}

// The host times what each acting line started; lines that only look, and
// a line that did not hold, started nothing.
TEST_F(ScriptSessionTest, HostHearsOfEachLineThatActedOnceItHas) {
  FakeDialogVerbs verbs;
  start("command me\nexpect-window Create new file\nset 1002 steel\nselect steel\n"
        "key Delete\nrows\nexpect-focus 0\npress Yes\npress Maybe\n",
        &verbs);
  session->step();
  windows.open.push_back(kQuestion);
  windows.open.push_back(kQuestion);
  runSteps(8);
  EXPECT_EQ(host.acted, (std::vector<int>{1, 3, 4, 5, 8}));
  EXPECT_EQ(session->failure().lineNumber, 9);
}

TEST_F(ScriptSessionTest, ExpectWindowWaitsForTheWindowToCome) {
  start("command me\nexpect-window Create new file\npress Yes\n");
  runSteps(100);
  EXPECT_FALSE(session->finished());
  windows.open.push_back(kQuestion);
  runSteps(2);
  EXPECT_EQ(windows.pressed, std::vector<std::string>{"Yes"});
}

TEST_F(ScriptSessionTest, ExpectWindowGivesUpAfterFiveSecondsNamingTheActiveWindow) {
  start("command me\nexpect-window Material list\n");
  windows.open.push_back(kQuestion);
  session->step();
  runSteps(499);
  EXPECT_EQ(session->failure().lineNumber, 0) << "still waiting";
  runSteps(3);
  ASSERT_TRUE(host.running);
  EXPECT_EQ(session->failure().lineNumber, 2);
  EXPECT_EQ(session->failure().lineText, "expect-window Material list");
  EXPECT_EQ(session->failure().reason, "the active window is \"Create new file\"");
}

// After the command has ended no window can come: waiting would only delay
// the failure.
TEST_F(ScriptSessionTest, ExpectWindowFailsAtOnceWhenNoCommandRuns) {
  start("expect-window Create new file\n");
  session->step();
  session->step();
  EXPECT_TRUE(session->finished());
  EXPECT_FALSE(session->held());
  EXPECT_EQ(session->failure().reason, "no window is open and no command is running");
}

TEST_F(ScriptSessionTest, FailureClosesTheWindowsOneAStepUntilTheCommandEnds) {
  start("command me\nexpect-window Create new file\npress Maybe\npress No\n");
  runSteps(1);
  windows.open = {FakeWindow{"Material list", {"OK", "Cancel"}}, kQuestion};
  runSteps(3);
  EXPECT_EQ(session->failure().lineNumber, 3);
  EXPECT_EQ(session->failure().reason, "no button Maybe");
  EXPECT_EQ(windows.open.size(), 1u);
  runSteps(1);
  EXPECT_TRUE(windows.open.empty());
  runSteps(20);
  EXPECT_FALSE(session->finished()) << "the command is still running";
  host.running = false;
  runSteps(1);
  EXPECT_TRUE(session->finished());
  EXPECT_FALSE(session->held());
  EXPECT_FALSE(session->windowsLeftOpen());
  EXPECT_TRUE(windows.pressed.empty());
}

TEST_F(ScriptSessionTest, WindowsThatWillNotCloseAreGivenUpOn) {
  start("command me\npress Maybe\n");
  runSteps(1);
  windows.open.push_back(FakeWindow{"Stubborn", {}, false});
  runToEnd();
  EXPECT_TRUE(session->finished());
  EXPECT_TRUE(session->windowsLeftOpen());
  EXPECT_GT(host.now, ScriptSession::kCloseMilliseconds);
}

TEST_F(ScriptSessionTest, UnknownCommandFails) {
  start("command erase\n");
  runToEnd();
  EXPECT_EQ(session->failure().reason, "no command \"erase\" is registered");
  EXPECT_TRUE(host.started.empty());
}

TEST_F(ScriptSessionTest, NextCommandWaitsForThePreviousOne) {
  start("command me\ncommand me\n");
  runSteps(10);
  EXPECT_EQ(host.started.size(), 1u);
  host.running = false;
  runSteps(1);
  EXPECT_EQ(host.started.size(), 2u);
  runSteps(600);
  EXPECT_EQ(session->failure().lineNumber, 3);
  EXPECT_EQ(session->failure().lineText, "(end of script)");
}

// The host's command line lives in its main window: a typed command gets in
// only while that window takes input; a macro or another program gets in at
// any time.
TEST_F(ScriptSessionTest, CommandWhileAnotherRunsNeedsTheHostsWindowSendCommandDoesNot) {
  start("command me\ncommand me\nsend-command me\n");
  runSteps(1);
  windows.open.push_back(kQuestion);
  host.enabled = false;
  runSteps(10);
  EXPECT_EQ(host.started.size(), 1u) << "the disabled window takes no typing";
  host.enabled = true;
  runSteps(1);
  EXPECT_EQ(host.started.size(), 2u);
  host.enabled = false;
  runSteps(1);
  EXPECT_EQ(host.started.size(), 3u);
}

TEST_F(ScriptSessionTest, RequestsAreMadeAtOnceAndTheirRefusalCanBeExpected) {
  start("expect-refused\n");
  runToEnd();
  EXPECT_EQ(session->failure().reason, "no request was made");
  host.running = true;
  start("close-drawing\nexpect-refused\nunload\nexpect-refused\n");
  runSteps(4);
  EXPECT_EQ(host.requests,
            (std::vector<HostRequest>{HostRequest::CloseDrawing, HostRequest::Unload}));
  EXPECT_EQ(session->failure().lineNumber, 0);
  host.running = false;
  start("unload\nexpect-refused\n");
  runToEnd();
  EXPECT_EQ(session->failure().lineNumber, 2);
  EXPECT_EQ(session->failure().reason, "the host carried the last request out");
}

TEST_F(ScriptSessionTest, ExpectHostWaitsForTheStateAndNamesTheOneItFound) {
  host.enabled = false;
  start("expect-host enabled\n");
  runSteps(100);
  EXPECT_FALSE(session->finished());
  host.enabled = true;
  runToEnd();
  EXPECT_TRUE(session->held());
  start("expect-host disabled\n");
  runToEnd();
  EXPECT_EQ(session->failure().reason, "the host's window is enabled");
  EXPECT_GT(host.now, ScriptSession::kWaitMilliseconds);
}

// Each check runs on the question over the list, as the command left them.
TEST_F(ScriptSessionTest, ExpectationsOnTheActiveWindowNameWhatTheyFound) {
  host.running = true;
  auto failureOf = [&](const std::string& content) {
    windows.open = {FakeWindow{"Material list", {"OK"}}, kQuestion};
    start(content);
    runSteps(static_cast<int>(std::count(content.begin(), content.end(), '\n')));
    return session->failure();
  };
  EXPECT_EQ(failureOf("expect-owner Material list\nexpect-style 0x24\n").reason,
            "the active window is no message box of the module");
  host.box.caption = "Delete item";
  EXPECT_EQ(failureOf("expect-style 0x24\n").reason,
            "the active window is no message box of the module")
      << "the module's box is another than the active window";
  EXPECT_EQ(failureOf("expect-owner host\n").reason, "the owner is \"Material list\"")
      << "not the module's box: the window's owner";
  host.box = {"Create new file", "Create it?", 0x24, true, "KVO Material Editor"};
  ScriptFailure failure = failureOf("expect-style 0x24\nexpect-style 0x124\n");
  EXPECT_EQ(failure.lineNumber, 2);
  EXPECT_EQ(failure.reason, "the box's style is 0x24");
  EXPECT_EQ(failureOf("expect-owner Material list\n").reason,
            "the owner is \"KVO Material Editor\"")
      << "the module's box: the owner it asked for";
  host.box.owned = false;
  EXPECT_EQ(failureOf("expect-owner host\n").reason,
            "\"Create new file\" was asked for without an owner");
}

// The module's box is judged by the text it asked for; any other window by
// what its control holds.
TEST_F(ScriptSessionTest, MessageBoxTextIsTheTextTheModuleAskedFor) {
  FakeDialogVerbs verbs;
  verbs.texts[65535] = "shown";
  windows.open = {kQuestion};
  host.box = {"Create new file", "asked", 0x24, true, "host"};
  start("expect-text 65535 asked\n", &verbs);
  runToEnd();
  EXPECT_TRUE(session->held()) << describeFailure(session->failure());
  host.box.caption = "Delete item";
  start("expect-text 65535 asked\n", &verbs);
  runToEnd();
  EXPECT_EQ(session->failure().reason, "control 65535 holds \"shown\"");
}

TEST_F(ScriptSessionTest, FileSearchAndFileActionsGoToTheHost) {
  start("expect-find-file Zodo.mat\n");
  runToEnd();
  EXPECT_EQ(session->failure().reason, "the module searched for no file");
  host.searched = "zodo.mat";
  start("expect-find-file Zodo.mat\n");
  runToEnd();
  EXPECT_EQ(session->failure().reason, "the module searched for \"zodo.mat\"");
  start("copy-file new.mat zodo.mat\ndelete-file zodo.mat\n");
  runToEnd();
  EXPECT_EQ(host.fileActions,
            (std::vector<std::string>{"copy new.mat zodo.mat", "delete zodo.mat"}));
  EXPECT_EQ(session->failure().reason, "cannot delete zodo.mat");
}

TEST_F(ScriptSessionTest, QuitWaitsForTheCommandAndNamesAWindowLeftOpen) {
  start("command me\nquit\n");
  runSteps(1);
  windows.open.push_back(FakeWindow{"Material list", {"OK"}, false});
  runSteps(550);
  EXPECT_EQ(session->failure().lineNumber, 2);
  EXPECT_EQ(session->failure().reason, "the command did not end: window \"Material list\" is open");
}

TEST_F(ScriptSessionTest, ScriptWithoutCommandsHolds) {
  start("# nothing to do\n");
  runToEnd();
  EXPECT_TRUE(session->finished());
  EXPECT_TRUE(session->held());
}

TEST_F(ScriptSessionTest, PressNeedsAWindow) {
  start("press OK\n");
  runToEnd();
  EXPECT_EQ(session->failure().reason, "no window is open");
}

TEST_F(ScriptSessionTest, DialogVerbsFailWithoutADialogDriver) {
  start("set 1002 steel\n");
  runToEnd();
  EXPECT_EQ(session->failure().reason, "\"set\" needs the dialog driver, which this host lacks");
}

TEST_F(ScriptSessionTest, DialogVerbsGoToTheDialogDriver) {
  FakeDialogVerbs verbs;
  verbs.focus = 1003;
  start(
      "set 1002 steel\nexpect-text 1002 steel\nselect brass\nkey Delete\nexpect-focus 1003\nrows\n",
      &verbs);
  runToEnd();
  EXPECT_TRUE(session->held()) << describeFailure(session->failure());
  EXPECT_EQ(verbs.texts[1002], "steel");
  EXPECT_EQ(verbs.selected, "brass");
  EXPECT_EQ(verbs.keys, std::vector<ScriptKey>{ScriptKey::Delete});
  EXPECT_EQ(host.output, (std::vector<std::string>{"brass\t8.5", "steel\t7.85"}));
}

// A click's window shows only once its modal loop has found the queue
// empty, and a tick may come first: while the command runs, the lines that
// act on a window wait for one.
TEST_F(ScriptSessionTest, WindowActionsWaitForAWindowWhileTheCommandRuns) {
  FakeDialogVerbs verbs;
  start("command me\nrows\npress No\n", &verbs);
  runSteps(1);
  runSteps(100);
  EXPECT_TRUE(host.output.empty());
  windows.open.push_back(kQuestion);
  runSteps(2);
  EXPECT_EQ(host.output.size(), 2u);
  EXPECT_EQ(windows.pressed, std::vector<std::string>{"No"});
  host.running = false;
  runToEnd();
  EXPECT_TRUE(session->held());
}

TEST_F(ScriptSessionTest, WindowActionsGiveUpWhenNoWindowComes) {
  FakeDialogVerbs verbs;
  verbs.windowOpen = false;
  start("command me\nset 1003 steel\n", &verbs);
  runSteps(499);
  EXPECT_EQ(session->failure().lineNumber, 0) << "still waiting";
  runSteps(5);
  EXPECT_EQ(session->failure().lineNumber, 2);
  EXPECT_EQ(session->failure().reason, "no window is open");
}

// What the lines before it changed is painted only once the thread has
// been idle for a while.
TEST_F(ScriptSessionTest, PictureLetsTheWindowsPaintFirst) {
  start("picture list.bmp\n");
  runSteps(static_cast<int>(ScriptSession::kPaintMilliseconds / 10) - 1);
  EXPECT_TRUE(windows.pictures.empty());
  runToEnd();
  EXPECT_EQ(windows.pictures, std::vector<std::string>{"list.bmp"});
  EXPECT_TRUE(session->held());
}

TEST_F(ScriptSessionTest, ExpectTextAndFocusNameWhatTheyFound) {
  FakeDialogVerbs verbs;
  verbs.texts[1001] = "Density must be > 0";
  verbs.focus = 1004;
  start("expect-text 1001 \n", &verbs);
  runToEnd();
  EXPECT_EQ(session->failure().reason, "control 1001 holds \"Density must be > 0\"");
  start("expect-focus 1003\n", &verbs);
  runToEnd();
  EXPECT_EQ(session->failure().reason, "the focus is on control 1004");
}

}  // namespace
