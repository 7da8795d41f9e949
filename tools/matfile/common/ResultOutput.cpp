#include "ResultOutput.h"

#include <filesystem>
#include <string>
#include <system_error>

#include "FileReading.h"
#include "ReplacingFile.h"
#include "TextBytes.h"

namespace {

bool writeWhole(const std::string& path, const std::string& text) {
  ReplacingFile file;
  return file.open(path.c_str(), ReplacingFile::LineEnds::AsWritten) &&
         file.write(text.data(), text.size()) && file.close();
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
  if (!invocation.has("--output")) {
    if (console.keepOutBytes != nullptr) console.keepOutBytes();
    console.out << text;
    return true;
  }
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
  if (writeWhole(output, text)) return true;
  console.err << "matfile: cannot write " << output << " (it is left as it was)\n";
  return false;
}
