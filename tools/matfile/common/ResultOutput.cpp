#include "ResultOutput.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <string>
#include <system_error>

#include "FileReading.h"
#include "ReplacingFile.h"
#include "SinkStreamBuffer.h"
#include "TextBytes.h"

namespace {

std::string reasonText(int errorNumber) {
  return errorNumber != 0 ? std::string(": ") + std::strerror(errorNumber) : "";
}

bool writeToStandardOutput(Console& console, const std::function<void(std::ostream&)>& produce) {
  if (console.keepOutBytes != nullptr) console.keepOutBytes();
  errno = 0;
  produce(console.out);
  if (console.out.flush()) return true;
  console.err << "matfile: cannot write standard output" << reasonText(errno)
              << " (what it shows is cut short)\n";
  return false;
}

// The file is replaced only once all of it has been written; until then, and
// whenever a write fails, it stays as it was.
bool writeToFile(const std::string& path, Console& console,
                 const std::function<void(std::ostream&)>& produce) {
  ReplacingFile file;
  if (!file.open(path.c_str(), ReplacingFile::LineEnds::AsWritten)) {
    console.err << "matfile: cannot write " << path << " (it is left as it was)\n";
    return false;
  }
  SinkStreamBuffer buffer(file);
  std::ostream stream(&buffer);
  produce(stream);
  bool written = static_cast<bool>(stream.flush());
  errno = 0;
  if (written && file.close()) return true;
  int failure = written ? errno : buffer.failure();
  console.err << "matfile: cannot write " << path << reasonText(failure)
              << " (it is left as it was)\n";
  return false;
}

// What a file name's ending asks for. A name whose ending is not here asks for
// nothing in particular.
struct Extension {
  const char* ending;  // in lower case
  const char* format;  // as resultFormat names it
  const char* what;
};
const Extension kExtensions[] = {
    {".svg", "svg", "an SVG picture"},      {".png", "png", "a PNG picture"},
    {".jpg", "jpeg", "a JPEG picture"},     {".jpeg", "jpeg", "a JPEG picture"},
    {".gif", "gif", "a GIF picture"},       {".pdf", "pdf", "a PDF document"},
    {".csv", "csv", "a CSV table"},         {".tsv", "tsv", "a tab-separated table"},
    {".xlsx", "xlsx", "a workbook"},        {".xls", "xls", "a workbook"},
    {".ods", "ods", "a workbook"},          {".mat", "mat", "a material file"},
    {".fcmat", "card", "a material card"},  {".xml", "matml", "an XML document"},
    {".matml", "matml", "an XML document"}, {".html", "html", "a web page"},
    {".htm", "html", "a web page"},         {".json", "json", "a JSON document"},
};

const Extension* extensionOf(const std::string& path) {
  std::string name = std::filesystem::path(path).filename().string();
  for (const Extension& extension : kExtensions) {
    std::string ending = extension.ending;
    if (name.size() <= ending.size()) continue;
    bool same = true;
    for (std::size_t i = 0; i < ending.size(); ++i) {
      same = same && lowerAscii(name[name.size() - ending.size() + i]) == ending[i];
    }
    if (same) return &extension;
  }
  return nullptr;
}

const Extension* extensionFor(const std::string& format) {
  for (const Extension& extension : kExtensions) {
    if (format == extension.format) return &extension;
  }
  return nullptr;
}

}  // namespace

std::string resultFormat(const Invocation& invocation) {
  if (invocation.command == nullptr) return "";
  std::string command = invocation.command->name;
  if (command == "chart") return "svg";
  if (command == "format") return "mat";
  if (command != "export") return "";
  // Invocation::option hands back its fallback by reference: a temporary
  // here, so the value is copied while it lives.
  std::string format =
      invocation.has("--format") ? lowerAscii(invocation.options.at("--format")) : "csv";
  return format == "fcmat" ? "card" : format;
}

bool checkOutputFormat(const std::string& output, const std::string& format,
                       const std::string& command, Console& console) {
  const Extension* asked = extensionOf(output);
  const Extension* written = extensionFor(format);
  if (asked == nullptr || written == nullptr || asked->format == format) return true;
  console.err << "matfile: " << output << ": a name ending in " << asked->ending << " asks for "
              << asked->what << ", but " << command << " writes " << written->what
              << "; give it a name ending in " << written->ending << " (nothing written)\n";
  return false;
}

bool writeResult(const Invocation& invocation, Console& console, const std::string& text,
                 const std::string& input) {
  return writeResultAsMade(invocation, console, input, [&text](std::ostream& out) { out << text; });
}

bool writeResultAsMade(const Invocation& invocation, Console& console, const std::string& input,
                       const std::function<void(std::ostream&)>& produce) {
  if (!invocation.has("--output")) return writeToStandardOutput(console, produce);
  const std::string& output = invocation.option("--output", "");
  std::error_code error;
  if (std::filesystem::equivalent(input, output, error)) {
    console.err << "matfile: --output " << output << " is " << input
                << " itself, which it would replace (nothing written)\n";
    return false;
  }
  if (invocation.command != nullptr &&
      !checkOutputFormat(output, resultFormat(invocation), invocation.command->name, console)) {
    return false;
  }
  if (!checkSaveTarget(output, console)) return false;
  return writeToFile(output, console, produce);
}
