// libFuzzer entry: any bytes through the property of MatfileReaderFaults.h.
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "MatfileReaderFaults.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string fault = matmlDocumentFault(reinterpret_cast<const char*>(data), size);
  if (!fault.empty()) {
    std::fprintf(stderr, "matmlDocumentFault: %s\n", fault.c_str());
    std::abort();
  }
  return 0;
}
