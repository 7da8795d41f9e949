// Wine's msvcrt <math.h> followed by the C99 functions that libc++'s <cmath>
// names in using-declarations but that msvcrt.dll never had. Declared only:
// nothing of the project calls them, and a call would fail at link time
// rather than run a substitute. In this ABI long double is double.
#pragma once

#include_next <math.h>

#ifdef __cplusplus
extern "C" {
#endif
long double acoshl(long double);
long double acosl(long double);
long double asinhl(long double);
long double asinl(long double);
long double atan2l(long double, long double);
long double atanhl(long double);
long double atanl(long double);
long double cbrtl(long double);
long double ceill(long double);
long double coshl(long double);
long double cosl(long double);
float erfcf(float);
long double erfcl(long double);
long double erfl(long double);
long double exp2l(long double);
long double expl(long double);
long double expm1l(long double);
long double fabsl(long double);
long double fdiml(long double, long double);
long double floorl(long double);
long double fmaxl(long double, long double);
long double fminl(long double, long double);
long double fmodl(long double, long double);
long double frexpl(long double, int*);
long double hypotl(long double, long double);
int ilogbl(long double);
long double ldexpl(long double, int);
long double lgammal(long double);
long double log10l(long double);
long double log1pl(long double);
long double log2l(long double);
long double logbl(long double);
long double logl(long double);
long double modfl(long double, long double*);
long double nearbyintl(long double);
long double nextafterl(long double, long double);
float nexttowardf(float, long double);
long double nexttowardl(long double, long double);
long double powl(long double, long double);
long double remainderl(long double, long double);
long double remquol(long double, long double, int*);
long double scalblnl(long double, long);
long double scalbnl(long double, int);
long double sinhl(long double);
long double sinl(long double);
long double sqrtl(long double);
long double tanhl(long double);
long double tanl(long double);
long double tgammal(long double);
// Wine declares these float forms for x64 only.
#ifdef _M_IX86
float acoshf(float);
float asinhf(float);
float atanhf(float);
float erff(float);
float fdimf(float, float);
float fmaxf(float, float);
float fminf(float, float);
float lgammaf(float);
float nextafterf(float, float);
float remainderf(float, float);
float tgammaf(float);
#endif
#ifdef __cplusplus
}
#endif
