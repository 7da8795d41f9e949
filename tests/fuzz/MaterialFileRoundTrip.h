// The property that the fuzzer and the replay of its findings check: whatever
// bytes a file holds, reading them, writing the result and reading that again
// gives the same materials, and writing those gives the same bytes.
#pragma once

#include <cstddef>
#include <string>

// "" when the property holds for `data`, otherwise what went wrong.
std::string materialFileRoundTripFault(const char* data, std::size_t size);
