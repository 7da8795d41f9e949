// The stand-in host: its objects, its main window and one loaded module, run
// either at the interactive "Command: " prompt or by a script.
#pragma once

#include <deque>
#include <memory>
#include <set>
#include <string>

#include "ActionTimer.h"

#include "FileSearch.h"
#include "HostOptions.h"
#include "HostRegistry.h"
#include "HostWindow.h"
#include "LoadedModule.h"
#include "MessageBoxLog.h"
#include "Script.h"
#include "ScriptDrivers.h"

class StandinHost final : public ScriptHost, private HostWindow::Events {
 public:
  explicit StandinHost(const HostOptions& options);
  ~StandinHost();
  StandinHost(const StandinHost&) = delete;
  StandinHost& operator=(const StandinHost&) = delete;

  // Fills in the exported host interface, opens the main window and loads
  // and starts the module. False, with `error` saying why, when that fails.
  bool start(std::string& error);
  // Until the user types quit or the console input ends; returns 0, or 1
  // when a command left the host's window disabled.
  int runPrompt();
  // Returns 0 when every line held and the module's windows met the host as
  // they must (one chain of owners from the host's window, only the innermost
  // taking input, the host's window disabled while they are open and enabled
  // again after each command); 1 otherwise, reported on standard error.
  int runScript(const Script& script);
  // Ends the module's drawing and application and unloads it; with
  // --report-file-operations says first how many the module made.
  void stop();

  bool startCommand(const std::string& name) override;
  bool commandRunning() const override;
  bool mainWindowEnabled() const override;
  bool request(HostRequest request) override;
  bool lastFileSearch(std::string& name) const override;
  bool openMessageBox(ModuleMessageBox& box) const override;
  ActionResult copyFile(const std::string& from, const std::string& to) override;
  ActionResult deleteFile(const std::string& name) override;
  long long milliseconds() const override;
  void writeOutputLine(const std::string& line) override;
  void onLineActed(const ScriptLine& line) override;

 private:
  void onRunCommand() override;
  void onConsoleLine(const std::string* line) override;
  void onCloseRequest() override;

  void runCommand(const std::string& name);
  void handleTypedLine(const std::string& line);
  void showPrompt();
  bool moduleWindowOpen() const;
  void checkModuleWindows();
  void reportFault(const std::string& fault);
  bool findFileFaultHook(std::string& error);

  const HostOptions& options_;
  HostRegistry registry_;
  FileSearch fileSearch_;
  HostWindow window_;
  MessageBoxLog messageBoxes_;
  LoadedModule module_;
  std::unique_ptr<ActionTimer> actionTimer_;  // with --report-timings, while a script runs
  std::deque<std::string> pendingCommands_;   // started, not yet called
  std::deque<std::string> typedAhead_;
  int commandDepth_ = 0;  // commands called and not yet returned, one inside another
  std::set<std::string> reportedFaults_;  // each reported once
  bool faulted_ = false;
  bool countingStarted_ = false;
  // A test build's file fault hook, when the options ask for it: arms the
  // Nth file operation to fail (a count beyond any session only counts), and
  // tells how many were made since.
  void(__cdecl* armFileFault_)(long failing) = nullptr;
  long(__cdecl* fileOperations_)() = nullptr;
  bool prompting_ = false;
  bool quitRequested_ = false;
};
