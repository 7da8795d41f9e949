# Sourced by the scripts: where things are built (the trees of
# CMakePresets.json, each in build/<preset>), which Windows architectures this
# machine can run, and the Wine prefix of each (private ones, so nothing of
# the user's Wine is touched).
PRALVIK_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
PRALVIK_NATIVE_BUILD=$PRALVIK_ROOT/build/native
export WINEDEBUG=${WINEDEBUG:--all}
# A program that crashes under Wine would otherwise wait in Wine's debugger
# for ever, and the test runner with it.
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=;winedbg.exe=d}

# The Windows architectures, the host's ABI first in each list: the x86
# module in the host's own C++ ABI is the build for the host the editor was
# made for.
PRALVIK_WINDOWS_ARCHES="x86 x64"
PRALVIK_WINDOWS_ABIS="msvc mingw"

# The compiler cache keys on paths relative to the root, so a fresh clone
# elsewhere finds what an earlier clone compiled.
export CCACHE_BASEDIR=${CCACHE_BASEDIR:-$PRALVIK_ROOT}
export CCACHE_NOHASHDIR=${CCACHE_NOHASHDIR:-1}

pralvik_jobs() { nproc 2>/dev/null || echo 2; }

pralvik_build_dir() { echo "$PRALVIK_ROOT/build/$1"; }

# Configures a tree of CMakePresets.json (once; later builds only build).
pralvik_configure() {
  local preset=$1
  [ -f "$(pralvik_build_dir "$preset")/CMakeCache.txt" ] && return 0
  (cd "$PRALVIK_ROOT" && cmake --preset "$preset" >/dev/null)
}

# pralvik_build PRESET [TARGET...]: everything, or only the targets named.
pralvik_build() {
  local preset=$1 targets=()
  shift
  for target in "$@"; do targets+=(--target "$target"); done
  pralvik_configure "$preset"
  cmake --build "$(pralvik_build_dir "$preset")" -j "$(pralvik_jobs)" "${targets[@]}"
}

pralvik_build_native() { pralvik_build native; }

# The module and the stand-in host of one ABI and architecture, the pair that
# a user or a script runs.
pralvik_build_pair() { pralvik_build "$1-$2" pralvik_module standin_host; }

# The pair's host program: the tree's PRALVIK_HOST_EXECUTABLE.
pralvik_pair_host() {
  local tree name
  tree=$(pralvik_build_dir "$1-$2")
  name=$(sed -n 's/^PRALVIK_HOST_EXECUTABLE:[A-Z]*=//p' "$tree/CMakeCache.txt" 2>/dev/null)
  echo "$tree/bin/${name:-standin-host.exe}"
}

# Wine's loader and server of each width.
pralvik_wine_loader() { [ "$1" = x86 ] && echo /usr/lib/wine/wine || echo /usr/lib/wine/wine64; }
pralvik_wine_server() { [ "$1" = x86 ] && echo /usr/lib/wine/wineserver32 || echo /usr/lib/wine/wineserver64; }

# Whether this machine can run Windows programs of the architecture: returns
# 0 if so, else says why not. Cheap: it starts Wine's server of that width,
# a Linux program, and nothing of Windows. Some kernels refuse every 32-bit
# Linux program, and with it 32-bit Wine.
pralvik_runnable() {
  case "$1" in
    x86 | x64) ;;
    *) echo "no such architecture: $1"; return 1 ;;
  esac
  local server loader
  server=$(pralvik_wine_server "$1")
  loader=$(pralvik_wine_loader "$1")
  if [ ! -x "$loader" ] || [ ! -x "$server" ]; then
    echo "Wine for $1 is not installed ($loader)"
    return 1
  fi
  if ! "$server" --version >/dev/null 2>&1; then
    if [ "$1" = x86 ]; then
      echo "this kernel refuses 32-bit Linux programs (IA-32 emulation off), so 32-bit Wine cannot start"
    else
      echo "Wine's server for $1 does not start ($server --version fails)"
    fi
    return 1
  fi
}

# Every architecture this machine runs, in the order of PRALVIK_WINDOWS_ARCHES.
pralvik_runnable_arches() {
  local arch runnable=()
  for arch in $PRALVIK_WINDOWS_ARCHES; do
    pralvik_runnable "$arch" >/dev/null && runnable+=("$arch")
  done
  echo "${runnable[*]:-}"
}

# Points Wine at the architecture's own prefix and loader. Debian's `wine`
# wrapper takes the 32-bit loader whenever it is installed, even where it
# cannot run, so the scripts name the loader: pralvik_wine, never wine.
pralvik_use_arch() {
  export WINEPREFIX=$PRALVIK_ROOT/build/wineprefix-$1
  PRALVIK_WINE=$(pralvik_wine_loader "$1")
  if [ "$1" = x86 ]; then
    export WINEARCH=win32
    unset WINELOADER
  else
    export WINEARCH=win64
    export WINELOADER=$PRALVIK_WINE
  fi
  export PRALVIK_ARCH=$1
}

pralvik_wine() { "$PRALVIK_WINE" "$@"; }

# A fresh prefix takes about ten seconds; every later start reuses it.
# Without a window manager (Xvfb) Wine waits 2 s for one whenever a managed
# window closes, so every dialog and message box would cost 2 s: the prefix
# lets Wine manage its windows itself.
pralvik_wine_prefix() {
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    mkdir -p "$WINEPREFIX"
    pralvik_wine wineboot -i >/dev/null 2>&1 || true
    wineserver -w || true
  fi
  if ! grep -q '"Managed"="N"' "$WINEPREFIX/user.reg" 2>/dev/null; then
    pralvik_wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1 || true
    wineserver -w || true
  fi
  # The glyphs of the caption buttons (the close box) come from this font,
  # which a fresh prefix lacks.
  local fonts="$WINEPREFIX/drive_c/windows/Fonts"
  if [ ! -f "$fonts/marlett.ttf" ] && [ -f /usr/share/wine/fonts/marlett.ttf ]; then
    mkdir -p "$fonts"
    cp /usr/share/wine/fonts/marlett.ttf "$fonts/"
  fi
}

# The virtual display every Windows program of the scripts runs on.
pralvik_on_display() { xvfb-run -a -s "-screen 0 1024x768x24" "$@"; }

# The fuzz tree: clang with libFuzzer and the address and undefined-behaviour
# sanitizers. New corpus entries stay in the build folder; an input that
# fails goes to tests/fuzz/findings (a folder of its own for each of matfile's
# readers), where the ordinary tests replay it. PRALVIK_FUZZ_SECONDS is the
# time of the whole fuzz run, shared equally by the targets. An input may be
# up to 1 MB, and one that takes a reader more than a second is a finding:
# every reader must stay linear.
PRALVIK_FUZZ_BUILD=$PRALVIK_ROOT/build/fuzz
PRALVIK_FUZZ_SECONDS=${PRALVIK_FUZZ_SECONDS:-80}
PRALVIK_FUZZERS="material_file unit_text material_card csv_table material_merge"

pralvik_build_fuzz() {
  local targets=()
  for fuzzer in $PRALVIK_FUZZERS; do targets+=("${fuzzer}_fuzzer"); done
  pralvik_build fuzz "${targets[@]}"
}

# The seeds of each target: the material file reader starts from the sample
# and the tool's cases, the card reader from the test cards, the CSV reader
# from the import cases.
pralvik_fuzz_seeds() {
  local tests="$PRALVIK_ROOT/tests"
  case "$1" in
    material_file) echo "$tests/fuzz/corpus $tests/matfile/cases $PRALVIK_ROOT/examples" ;;
    unit_text) echo "$tests/fuzz/seeds/unit_text" ;;
    material_card) echo "$tests/matfile/cards" ;;
    csv_table) echo "$tests/matfile/csv" ;;
    material_merge) echo "$tests/fuzz/seeds/material_merge" ;;
  esac
}

pralvik_fuzz_one() {
  local fuzzer=$1 seconds=$2
  local corpus="$PRALVIK_FUZZ_BUILD/corpus/$fuzzer"
  local findings="$PRALVIK_ROOT/tests/fuzz/findings"
  [ "$fuzzer" = material_file ] || findings="$findings/$fuzzer"
  local log="$PRALVIK_FUZZ_BUILD/$fuzzer.log"
  mkdir -p "$corpus"
  # shellcheck disable=SC2046
  if ! "$PRALVIK_FUZZ_BUILD/tests/fuzz/${fuzzer}_fuzzer" -max_total_time="$seconds" \
      -max_len=1048576 -timeout=1 -print_final_stats=1 -artifact_prefix="$findings/" "$corpus" \
      $(pralvik_fuzz_seeds "$fuzzer") >"$log" 2>&1; then
    tail -n 40 "$log" >&2
    echo "fuzzing $fuzzer found a fault; the input is in ${findings#"$PRALVIK_ROOT"/}" >&2
    return 1
  fi
  echo "$fuzzer: $(grep -E '^stat::number_of_executed_units' "$log" || true)"
}
