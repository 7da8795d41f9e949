#include "StandinHost.h"

#include <cctype>
#include <cstdio>

#include "ConsoleReader.h"
#include "HostEnvironment.h"
#include "ScriptDriverFactory.h"
#include "ScriptSession.h"
#include "StepTimer.h"

namespace {

std::string trimmed(const std::string& text) {
  std::string::size_type start = text.find_first_not_of(" \t");
  if (start == std::string::npos) return std::string();
  std::string::size_type end = text.find_last_not_of(" \t");
  return text.substr(start, end - start + 1);
}

bool isQuit(const std::string& command) {
  if (command.size() != 4) return false;
  for (std::size_t i = 0; i < 4; ++i) {
    if (std::tolower(static_cast<unsigned char>(command[i])) != "quit"[i]) return false;
  }
  return true;
}

void runMessageLoop() {
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
}

}  // namespace

StandinHost::StandinHost(const HostOptions& options)
    : options_(options), fileSearch_(options.searchFolders), window_(*this) {}

StandinHost::~StandinHost() {
  stop();
  HostEnvironment& environment = hostEnvironment();
  environment.systemRegistry = nullptr;
  environment.dynamicLinkerClass = nullptr;
  environment.mainWindow = nullptr;
  environment.fileSearch = nullptr;
}

bool StandinHost::start(std::string& error) {
  HostEnvironment& environment = hostEnvironment();
  environment.systemRegistry = &registry_.systemRegistry();
  environment.dynamicLinkerClass = &registry_.dynamicLinkerClass();
  environment.fileSearch = &fileSearch_;
  environment.allocator.failRequest(options_.failingRequest);
  if (!window_.create()) {
    error = "cannot create the main window";
    return false;
  }
  environment.mainWindow = window_.handle();
  std::string path = options_.modulePath.empty() ? moduleBesideProgram() : options_.modulePath;
  return module_.load(path, &module_, error);
}

void StandinHost::stop() { module_.unload(); }

long long StandinHost::milliseconds() const { return static_cast<long long>(GetTickCount64()); }

void StandinHost::writeOutputLine(const std::string& line) {
  std::fputs(line.c_str(), stdout);
  std::fputc('\n', stdout);
  std::fflush(stdout);
}

void StandinHost::onLineActed(const ScriptLine& line) {
  if (actionTimer_ != nullptr) actionTimer_->start(line.number, line.text);
}

bool StandinHost::startCommand(const std::string& name) {
  if (commandRunning_ || registry_.commandStack().find(name) == nullptr) return false;
  pendingCommand_ = name;
  commandRunning_ = true;
  if (window_.postRunCommand()) return true;
  commandRunning_ = false;
  return false;
}

void StandinHost::onRunCommand() { runCommand(pendingCommand_); }

// Allocator requests count from the start of the first command, so that a
// failure chosen by number lands in the command, not in the module's start.
void StandinHost::runCommand(const std::string& name) {
  AcEdCommandFunction function = registry_.commandStack().find(name);
  if (function != nullptr) {
    if (!countingStarted_) {
      hostEnvironment().allocator.startCountingRequests();
      countingStarted_ = true;
    }
    commandRunning_ = true;
    function();
  }
  commandRunning_ = false;
}

int StandinHost::runScript(const Script& script) {
  std::unique_ptr<WindowDriver> windows = makeWindowDriver();
  std::unique_ptr<DialogVerbs> dialogVerbs = makeDialogVerbs();
  ScriptSession session(script, *this, *windows, dialogVerbs.get());
  if (options_.reportTimings) actionTimer_ = std::make_unique<ActionTimer>();
  bool quitPosted = false;
  StepTimer timer([&] {
    session.step();
    if (!session.finished() || quitPosted) return;
    if (session.windowsLeftOpen()) {
      // Still inside the command's modal loops: the module cannot be
      // unloaded from here, so the host gives up at once.
      std::fputs(describeFailure(session.failure()).c_str(), stderr);
      std::fputs("the command's windows did not close; the host ends without unloading\n", stderr);
      std::fflush(stderr);
      TerminateProcess(GetCurrentProcess(), 1);
    }
    quitPosted = true;
    PostQuitMessage(0);
  });
  runMessageLoop();
  actionTimer_.reset();
  if (session.held()) return 0;
  std::fputs(describeFailure(session.failure()).c_str(), stderr);
  return 1;
}

int StandinHost::runPrompt() {
  prompting_ = true;
  if (!startConsoleReader(window_)) {
    std::fputs("standin-host: cannot read the console\n", stderr);
    return 1;
  }
  showPrompt();
  runMessageLoop();
  prompting_ = false;
  return 0;
}

void StandinHost::showPrompt() {
  std::fputs("Command: ", stdout);
  std::fflush(stdout);
}

// Lines typed while a command runs wait until it has ended, as at the host's
// own command line.
void StandinHost::onConsoleLine(const std::string* line) {
  if (quitRequested_) return;
  if (line == nullptr) {
    quitRequested_ = true;
    std::fputc('\n', stdout);
    PostQuitMessage(0);
    return;
  }
  if (commandRunning_) {
    typedAhead_.push_back(*line);
    return;
  }
  handleTypedLine(*line);
  while (!typedAhead_.empty() && !commandRunning_ && !quitRequested_) {
    std::string next = typedAhead_.front();
    typedAhead_.pop_front();
    handleTypedLine(next);
  }
}

void StandinHost::handleTypedLine(const std::string& line) {
  std::string command = trimmed(line);
  if (isQuit(command)) {
    quitRequested_ = true;
    PostQuitMessage(0);
    return;
  }
  if (!command.empty()) {
    if (registry_.commandStack().find(command) != nullptr) {
      runCommand(command);
    } else {
      std::printf("Unknown command \"%s\".\n", command.c_str());
    }
  }
  showPrompt();
}

void StandinHost::onCloseRequest() {
  if (!prompting_ || commandRunning_ || quitRequested_) return;
  quitRequested_ = true;
  PostQuitMessage(0);
}
