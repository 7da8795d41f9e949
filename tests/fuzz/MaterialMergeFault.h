// The properties that matfile merge keeps for any three files, shared by its
// fuzz target and by the replay of what the fuzzer found.
#pragma once

#include <cstddef>
#include <string>

// The input is three material files, BASE, OURS and THEIRS, separated by
// kMergeFileSeparator lines. Merging a side with itself, or a side with an
// unchanged BASE, gives that side exactly and no conflict; any merge gives
// names the file keeps, and every conflict keeps what its sides changed.
// "" or what went wrong.
std::string materialMergeFault(const char* data, std::size_t size);

constexpr char kMergeFileSeparator[] = "\n=====\n";
