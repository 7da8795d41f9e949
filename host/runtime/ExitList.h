// The functions that the compiler's code registers as the module's static
// objects are constructed (their destructors), run at unload in the reverse
// order. The list lives in blocks of the host's allocator and every block
// goes back when the list has run, so nothing of the module outlives it.
// Portable C++: the host-ABI runtime (ModuleRuntimeMicrosoft.cpp) keeps its
// atexit list here, and the native tests run it against a counting allocator.
#pragma once

using ExitFunction = void (*)();

// 0 when registered; nonzero, as the C runtime's atexit answers, for a null
// function or when no block could be had (that object is then not destroyed
// at unload).
int registerExitFunction(ExitFunction function);

// Runs every registered function, the last registered first, including those
// registered while the list runs, and gives back every block.
void runExitFunctions();
