// Runs a parsed script one step at a time: the host calls step() on every
// tick of a timer that also fires inside the command's modal loops, so the
// lines after "command" act inside its windows.
//
// A line that does not hold ends the script: the session then closes the
// command's windows as a user would, one per step, until the command has
// returned, and finishes with the failure.
#pragma once

#include "ScriptDrivers.h"
#include "UserWait.h"

class ScriptSession {
 public:
  // How long a line waits for a window, for the previous command to end, or
  // for the command to end at quit.
  static constexpr long long kWaitMilliseconds = kUserWaitMilliseconds;
  // How long closing the windows after a failure may take.
  static constexpr long long kCloseMilliseconds = 10000;
  // How long "picture" lets the windows paint what the lines before it
  // changed before it takes the picture.
  static constexpr long long kPaintMilliseconds = 500;

  // `dialogVerbs` may be absent: the dialog verbs then fail.
  ScriptSession(const Script& script, ScriptHost& host, WindowDriver& windows,
                DialogVerbs* dialogVerbs);

  // Runs at most one action. Does nothing once finished.
  void step();

  // Finished only when no command is running (or its windows would not close).
  bool finished() const { return phase_ == Phase::Finished; }
  bool held() const { return !failed_; }
  const ScriptFailure& failure() const { return failure_; }
  // After a failure: the command's windows did not close in time, so the
  // command is still running.
  bool windowsLeftOpen() const { return windowsLeftOpen_; }

 private:
  enum class Phase { Running, Closing, Finished };
  enum class Progress { Done, Waiting, Failed };

  Progress runLine(const ScriptLine& line);
  Progress runCommand(const ScriptLine& line);
  Progress sendCommand(const ScriptLine& line);
  Progress makeRequest(HostRequest request);
  Progress expectRefused();
  Progress expectOwner(const ScriptLine& line);
  Progress expectHost(const ScriptLine& line);
  Progress expectStyle(const ScriptLine& line);
  Progress expectFindFile(const ScriptLine& line);
  Progress expectWindow(const ScriptLine& line);
  Progress press(const ScriptLine& line);
  Progress takePicture(const ScriptLine& line);
  Progress runDialogVerb(const ScriptLine& line);
  Progress awaitCommandEnd(const char* what);
  Progress fail(std::string reason);
  Progress fromResult(const ActionResult& result);
  bool waitedTooLong() const;
  bool windowPending() const;
  // The module's innermost open message box, when it is the active window.
  bool activeModuleBox(ModuleMessageBox& box) const;

  void stepRunning();
  void stepClosing();
  void startClosing(const ScriptLine& line);

  const Script& script_;
  ScriptHost& host_;
  WindowDriver& windows_;
  DialogVerbs* dialogVerbs_;

  Phase phase_ = Phase::Running;
  std::size_t next_ = 0;
  long long waitStart_ = -1;  // when the current line began to wait; -1: not waiting
  std::string reason_;        // set by fail()
  bool failed_ = false;
  ScriptFailure failure_;
  bool windowsLeftOpen_ = false;
  enum class RequestOutcome { None, CarriedOut, Refused };
  RequestOutcome lastRequest_ = RequestOutcome::None;
};
