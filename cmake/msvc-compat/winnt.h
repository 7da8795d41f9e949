// Wine's <winnt.h> defines inline interlocked functions under names that
// clang, in the Microsoft mode, reserves for its own builtins; the definitions
// then fail to compile. Renamed here, so Wine's definitions compile under
// names of their own and every use through winnt.h's macros reaches them.
#pragma once

#define _InterlockedAnd64 pralvik_wine_InterlockedAnd64
#define _InterlockedCompareExchangePointer pralvik_wine_InterlockedCompareExchangePointer
#define _InterlockedExchangeAdd64 pralvik_wine_InterlockedExchangeAdd64
#define _InterlockedExchangePointer pralvik_wine_InterlockedExchangePointer
#define _InterlockedIncrement64 pralvik_wine_InterlockedIncrement64
#define _InterlockedDecrement64 pralvik_wine_InterlockedDecrement64
#define _InterlockedOr64 pralvik_wine_InterlockedOr64
#define _InterlockedXor64 pralvik_wine_InterlockedXor64
#define _InterlockedCompareExchange128 pralvik_wine_InterlockedCompareExchange128

#include_next <winnt.h>
