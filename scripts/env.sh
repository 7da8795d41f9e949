# Sourced by the scripts: where things are built and which Wine prefix the
# project uses (a private one, so nothing of the user's Wine is touched).
PRALVIK_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
PRALVIK_NATIVE_BUILD=${PRALVIK_NATIVE_BUILD:-$PRALVIK_ROOT/build/native}
PRALVIK_WINDOWS_BUILD=${PRALVIK_WINDOWS_BUILD:-$PRALVIK_ROOT/build/windows}
export WINEPREFIX=${WINEPREFIX:-$PRALVIK_ROOT/build/wineprefix}
export WINEDEBUG=${WINEDEBUG:--all}
export WINEARCH=win32
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}

pralvik_jobs() { nproc 2>/dev/null || echo 2; }

# A fresh prefix takes about ten seconds; every later start reuses it.
# Without a window manager (Xvfb) Wine waits 2 s for one whenever a managed
# window closes, so every dialog and message box would cost 2 s: the prefix
# lets Wine manage its windows itself.
pralvik_wine_prefix() {
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    mkdir -p "$WINEPREFIX"
    wineboot -i >/dev/null 2>&1 || true
    wineserver -w || true
  fi
  if ! grep -q '"Managed"="N"' "$WINEPREFIX/user.reg" 2>/dev/null; then
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1 || true
    wineserver -w || true
  fi
}

pralvik_build_native() {
  cmake -S "$PRALVIK_ROOT" -B "$PRALVIK_NATIVE_BUILD" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
  cmake --build "$PRALVIK_NATIVE_BUILD" -j "$(pralvik_jobs)"
}

pralvik_build_windows() {
  cmake -S "$PRALVIK_ROOT" -B "$PRALVIK_WINDOWS_BUILD" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_TOOLCHAIN_FILE="$PRALVIK_ROOT/cmake/toolchain-i686-w64-mingw32.cmake" >/dev/null
  cmake --build "$PRALVIK_WINDOWS_BUILD" -j "$(pralvik_jobs)"
}
