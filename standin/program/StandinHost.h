// The stand-in host: its objects, its main window and one loaded module, run
// either at the interactive "Command: " prompt or by a script.
#pragma once

#include <deque>
#include <memory>
#include <string>

#include "ActionTimer.h"

#include "FileSearch.h"
#include "HostOptions.h"
#include "HostRegistry.h"
#include "HostWindow.h"
#include "LoadedModule.h"
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
  // Until the user types quit or the console input ends; returns 0.
  int runPrompt();
  // Returns 0 when every line held, 1 otherwise (reported on standard error).
  int runScript(const Script& script);
  // Ends the module's drawing and application and unloads it.
  void stop();

  bool startCommand(const std::string& name) override;
  bool commandRunning() const override { return commandRunning_; }
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

  const HostOptions& options_;
  HostRegistry registry_;
  FileSearch fileSearch_;
  HostWindow window_;
  LoadedModule module_;
  std::unique_ptr<ActionTimer> actionTimer_;  // with --report-timings, while a script runs
  std::string pendingCommand_;
  std::deque<std::string> typedAhead_;
  bool commandRunning_ = false;
  bool countingStarted_ = false;
  bool prompting_ = false;
  bool quitRequested_ = false;
};
