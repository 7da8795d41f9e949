#include "ResultOutput.h"

#include "ReplacingFile.h"

namespace {

bool writeWhole(const std::string& path, const std::string& text) {
  ReplacingFile file;
  return file.open(path.c_str(), ReplacingFile::LineEnds::AsWritten) &&
         file.write(text.data(), text.size()) && file.close();
}

}  // namespace

bool writeResult(const Invocation& invocation, Console& console, const std::string& text) {
  if (!invocation.has("--output")) {
    if (console.keepOutBytes != nullptr) console.keepOutBytes();
    console.out << text;
    return true;
  }
  const std::string& output = invocation.option("--output", "");
  if (writeWhole(output, text)) return true;
  console.err << "matfile: cannot write " << output << " (it is left as it was)\n";
  return false;
}
