#include "ResultOutput.h"

#include <filesystem>
#include <system_error>

#include "FileReading.h"
#include "ReplacingFile.h"

namespace {

bool writeWhole(const std::string& path, const std::string& text) {
  ReplacingFile file;
  return file.open(path.c_str(), ReplacingFile::LineEnds::AsWritten) &&
         file.write(text.data(), text.size()) && file.close();
}

}  // namespace

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
  if (!checkSaveTarget(output, console)) return false;
  if (writeWhole(output, text)) return true;
  console.err << "matfile: cannot write " << output << " (it is left as it was)\n";
  return false;
}
