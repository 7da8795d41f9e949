#include "HostOptions.h"

#include <cerrno>
#include <cstdlib>

namespace {

bool parseRequestNumber(const std::string& text, long& number) {
  if (text.empty() || text[0] < '0' || text[0] > '9') return false;
  char* end = nullptr;
  errno = 0;
  long value = std::strtol(text.c_str(), &end, 10);
  if (errno != 0 || *end != '\0' || value < 1) return false;
  number = value;
  return true;
}

}  // namespace

std::vector<std::string> splitSearchPath(const std::string& list) {
  std::vector<std::string> folders;
  std::string::size_type start = 0;
  while (start <= list.size()) {
    std::string::size_type end = list.find(';', start);
    if (end == std::string::npos) end = list.size();
    if (end > start) folders.push_back(list.substr(start, end - start));
    start = end + 1;
  }
  return folders;
}

bool parseHostOptions(const std::vector<std::string>& arguments, HostOptions& options,
                      std::string& error) {
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    bool hasValue = i + 1 < arguments.size();
    if (argument == "--help" || argument == "-h") {
      options.helpWanted = true;
    } else if (argument == "--report-allocations") {
      options.reportAllocations = true;
    } else if (argument == "--report-requests") {
      options.reportRequests = true;
    } else if (argument == "--report-file-operations") {
      options.reportFileOperations = true;
    } else if (argument == "--report-timings") {
      options.reportTimings = true;
    } else if (argument == "--search-path" || argument == "--script" ||
               argument == "--fail-allocation" || argument == "--fail-file-operation") {
      if (!hasValue) {
        error = argument + " needs a value";
        return false;
      }
      const std::string& value = arguments[++i];
      if (argument == "--search-path") {
        for (std::string& folder : splitSearchPath(value)) options.searchFolders.push_back(folder);
      } else if (argument == "--script") {
        options.scriptPath = value;
      } else if (!parseRequestNumber(value, argument == "--fail-allocation"
                                                ? options.failingRequest
                                                : options.failingFileOperation)) {
        error = argument + " needs a number of 1 or more, not \"" + value + "\"";
        return false;
      }
    } else if (argument.size() > 1 && argument[0] == '-') {
      error = "unknown option \"" + argument + "\"";
      return false;
    } else if (!options.modulePath.empty()) {
      error = "more than one module given (\"" + options.modulePath + "\", \"" + argument + "\")";
      return false;
    } else {
      options.modulePath = argument;
    }
  }
  return true;
}

const char* hostUsage() {
  return "usage: standin-host [options] [MODULE]\n"
         "Loads MODULE (default: PRALVIK.arx beside the host), starts it and offers a\n"
         "\"Command: \" prompt (me, quit).\n"
         "  --search-path DIR[;DIR...]  folders the file search tries after the working directory\n"
         "  --script FILE               run the actions of FILE instead of the prompt; exit 0 "
         "when\n"
         "                              every line held, 1 otherwise\n"
         "  --report-allocations        print the module's allocation counts at exit\n"
         "  --report-requests           print how many allocator requests the module made from\n"
         "                              the start of the first command\n"
         "  --fail-allocation N         the Nth of those requests fails\n"
         "  --report-file-operations    print how many file operations the module made from the\n"
         "                              start of the first command (a test build of the module)\n"
         "  --fail-file-operation N     the Nth of those operations fails\n"
         "  --report-timings            print how long each acting script line kept the user\n"
         "                              waiting, until the windows were idle and painted\n"
         "  --help                      this text\n";
}
