// A countdown allocator for fault tests: linked into one test program, it
// stands in for malloc, calloc, realloc, free and the nothrow operator new
// (single and array), and can fail the Nth allocation of a window of code
// under test. Blocks allocated inside a window are remembered until they are
// freed, so a test can tell whether the code left anything behind. glibc only.
#pragma once

enum class FaultMode {
  Once,        // only the Nth allocation fails
  FromThenOn,  // the Nth and every later allocation of the window fail
};

// Opens a window; `failing` counts from 1, 0 fails nothing. The blocks of
// earlier windows are forgotten.
void beginAllocationWindow(long failing, FaultMode mode);
void endAllocationWindow();

// Whether the last window failed an allocation.
bool allocationFailed();

// Blocks allocated inside a window and not freed since, inside or outside it.
long outstandingBlocks();
