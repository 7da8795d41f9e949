#include "StandinHost.h"

#include <cctype>
#include <cstdio>

#include "ConsoleReader.h"
#include "DecimalText.h"
#include "HostExports.h"
#include "ModuleWindowChain.h"
#include "ScriptDriverFactory.h"
#include "ScriptSession.h"
#include "StepTimer.h"
#include "UserInput.h"

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
  HostExports::disconnect();
}

bool StandinHost::start(std::string& error) {
  HostExports::allocator().failRequest(options_.failingRequest);
  if (!window_.create()) {
    error = "cannot create the main window";
    return false;
  }
  HostExports::Objects objects;
  objects.systemRegistry = &registry_.systemRegistry();
  objects.dynamicLinkerClass = &registry_.dynamicLinkerClass();
  objects.mainWindow = window_.handle();
  objects.fileSearch = &fileSearch_;
  HostExports::connect(objects);
  std::string path = options_.modulePath.empty() ? moduleBesideProgram() : options_.modulePath;
  if (!module_.load(path, &module_, error)) return false;
  messageBoxes_.attach(module_.library());
  return findFileFaultHook(error);
}

// The shipped module has no such hook: only the test build that the file
// operation sweep loads exports it.
bool StandinHost::findFileFaultHook(std::string& error) {
  if (!options_.reportFileOperations && options_.failingFileOperation == 0) return true;
  HMODULE library = module_.library();
  armFileFault_ = reinterpret_cast<void(__cdecl*)(long)>(
      reinterpret_cast<void*>(GetProcAddress(library, "pralvikArmFileFault")));
  fileOperations_ = reinterpret_cast<long(__cdecl*)()>(
      reinterpret_cast<void*>(GetProcAddress(library, "pralvikFileOperations")));
  if (armFileFault_ != nullptr && fileOperations_ != nullptr) return true;
  module_.unload();
  error = "the module has no file fault hook (only its test build has one)";
  return false;
}

void StandinHost::stop() {
  if (fileOperations_ != nullptr && module_.loaded()) {
    if (options_.reportFileOperations) {
      std::fprintf(stderr, "file operations since the first command: %ld\n", fileOperations_());
      std::fflush(stderr);
    }
    fileOperations_ = nullptr;
  }
  module_.unload();
}

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
  if (registry_.commandStack().find(name) == nullptr) return false;
  pendingCommands_.push_back(name);
  if (window_.postRunCommand()) return true;
  pendingCommands_.pop_back();
  return false;
}

bool StandinHost::commandRunning() const {
  return commandDepth_ > 0 || !pendingCommands_.empty();
}

bool StandinHost::mainWindowEnabled() const { return IsWindowEnabled(window_.handle()) != 0; }

// The real host cannot take the module's commands away, or the module
// itself, while the module's code is on the stack: a dialog's modal loop
// would return into a removed command or an unloaded library.
bool StandinHost::request(HostRequest request) {
  if (commandDepth_ > 0 || moduleWindowOpen()) return false;
  if (request == HostRequest::CloseDrawing)
    module_.closeDrawing();
  else
    module_.unload();
  return true;
}

bool StandinHost::moduleWindowOpen() const {
  return !ModuleWindowChain(window_.handle()).windows(true).empty();
}

bool StandinHost::lastFileSearch(std::string& name) const {
  const std::vector<std::string>& names = HostExports::searchedNames();
  if (names.empty()) return false;
  name = names.back();
  return true;
}

bool StandinHost::openMessageBox(ModuleMessageBox& box) const {
  const MessageBoxCall* call = messageBoxes_.innermostOpen();
  if (call == nullptr) return false;
  box.caption = call->caption;
  box.text = call->text;
  box.style = call->style;
  box.owned = call->owner != nullptr;
  box.ownerTitle = box.owned ? UserInput::windowText(call->owner) : std::string();
  return true;
}

ActionResult StandinHost::copyFile(const std::string& from, const std::string& to) {
  if (CopyFileA(from.c_str(), to.c_str(), FALSE)) return ActionResult::success();
  return ActionResult::failed("cannot copy \"" + from + "\" to \"" + to + "\" (error " +
                              decimalText(GetLastError()) + ")");
}

ActionResult StandinHost::deleteFile(const std::string& name) {
  if (DeleteFileA(name.c_str())) return ActionResult::success();
  return ActionResult::failed("cannot delete \"" + name + "\" (error " +
                              decimalText(GetLastError()) + ")");
}

void StandinHost::onRunCommand() {
  if (pendingCommands_.empty()) return;
  std::string name = pendingCommands_.front();
  pendingCommands_.pop_front();
  runCommand(name);
}

// Allocator requests count from the start of the first command, so that a
// failure chosen by number lands in the command, not in the module's start.
// A command may start while another runs (inside its modal loop); only when
// the outermost one returns must the host's window take input again.
void StandinHost::runCommand(const std::string& name) {
  AcEdCommandFunction function = registry_.commandStack().find(name);
  if (function == nullptr) return;
  if (!countingStarted_) {
    HostExports::allocator().startCountingRequests();
    // Far beyond any session: nothing fails, every operation is counted.
    const long kCountOnly = 0x7FFFFFFF;
    long failing = options_.failingFileOperation != 0 ? options_.failingFileOperation : kCountOnly;
    if (armFileFault_ != nullptr) armFileFault_(failing);
    countingStarted_ = true;
  }
  ++commandDepth_;
  function();
  --commandDepth_;
  if (commandDepth_ == 0 && !mainWindowEnabled())
    reportFault("the command \"" + name + "\" left the host's window disabled");
}

// Whatever a script asserts, the module's windows must be modal to the host.
void StandinHost::checkModuleWindows() {
  for (const std::string& fault : ModuleWindowChain(window_.handle()).faults())
    if (reportedFaults_.insert(fault).second) reportFault(fault);
}

void StandinHost::reportFault(const std::string& fault) {
  faulted_ = true;
  std::fprintf(stderr, "standin-host: %s\n", fault.c_str());
  std::fflush(stderr);
}

int StandinHost::runScript(const Script& script) {
  std::unique_ptr<WindowDriver> windows = makeWindowDriver();
  std::unique_ptr<DialogVerbs> dialogVerbs = makeDialogVerbs();
  ScriptSession session(script, *this, *windows, dialogVerbs.get());
  if (options_.reportTimings) actionTimer_ = std::make_unique<ActionTimer>();
  bool quitPosted = false;
  StepTimer timer([&] {
    checkModuleWindows();
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
  if (!session.held()) std::fputs(describeFailure(session.failure()).c_str(), stderr);
  return session.held() && !faulted_ ? 0 : 1;
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
  return faulted_ ? 1 : 0;
}

void StandinHost::showPrompt() {
  std::fputs("Command: ", stdout);
  std::fflush(stdout);
}

// The console stands for the host's command line, which lives in its main
// window: while that window takes input a typed command runs at once, even
// inside a running command's modal loop; while it is disabled, lines wait
// until the command has ended.
void StandinHost::onConsoleLine(const std::string* line) {
  if (quitRequested_) return;
  if (line == nullptr) {
    quitRequested_ = true;
    std::fputc('\n', stdout);
    PostQuitMessage(0);
    return;
  }
  if (commandRunning() && !mainWindowEnabled()) {
    typedAhead_.push_back(*line);
    return;
  }
  handleTypedLine(*line);
  while (!typedAhead_.empty() && !commandRunning() && !quitRequested_) {
    std::string next = typedAhead_.front();
    typedAhead_.pop_front();
    handleTypedLine(next);
  }
}

void StandinHost::handleTypedLine(const std::string& line) {
  std::string command = trimmed(line);
  if (isQuit(command) && !commandRunning()) {
    quitRequested_ = true;
    PostQuitMessage(0);
    return;
  }
  if (isQuit(command)) {
    std::puts("The host cannot quit while a command runs.");
  } else if (!command.empty()) {
    if (registry_.commandStack().find(command) != nullptr) {
      runCommand(command);
    } else {
      std::printf("Unknown command \"%s\".\n", command.c_str());
    }
  }
  showPrompt();
}

void StandinHost::onCloseRequest() {
  if (!prompting_ || quitRequested_) return;
  if (commandRunning() || moduleWindowOpen()) {
    std::puts("The host cannot close while a window of the module is open.");
    std::fflush(stdout);
    return;
  }
  quitRequested_ = true;
  PostQuitMessage(0);
}
