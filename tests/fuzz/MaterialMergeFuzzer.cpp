// libFuzzer entry: any bytes, as three material files, through the property
// of MaterialMergeFault.h.
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "MaterialMergeFault.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string fault = materialMergeFault(reinterpret_cast<const char*>(data), size);
  if (!fault.empty()) {
    std::fprintf(stderr, "materialMergeFault: %s\n", fault.c_str());
    std::abort();
  }
  return 0;
}
