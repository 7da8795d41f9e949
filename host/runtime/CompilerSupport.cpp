// What the compiler's and libc++'s code expects of a runtime library that is
// not linked into the module in the host's ABI (libc++ as headers only, no
// vcruntime): the marker that code uses floating point, and the one object of
// <new> that the headers only declare. The allocation functions of <new> are
// the host's allocator's (host/AllocatorRouting.cpp).
#include <new>

// Referenced by every object that uses floating point; only its presence counts.
extern "C" int _fltused = 0;

const std::nothrow_t std::nothrow{};
