// libFuzzer entry: any bytes as a material file, read, written and read again.
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "MaterialFileRoundTrip.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string fault = materialFileRoundTripFault(reinterpret_cast<const char*>(data), size);
  if (!fault.empty()) {
    std::fprintf(stderr, "material file round trip: %s\n", fault.c_str());
    std::abort();
  }
  return 0;
}
