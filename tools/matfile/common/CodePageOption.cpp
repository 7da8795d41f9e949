#include "CodePageOption.h"

#include <ostream>

bool codePageOption(const Invocation& invocation, Console& console, CodePage& page) {
  auto named = invocation.options.find("--codepage");
  std::string error;
  if (CodePage::forOption(named != invocation.options.end() ? &named->second : nullptr, page,
                          error)) {
    return true;
  }
  console.err << "matfile: " << error << '\n';
  return false;
}
