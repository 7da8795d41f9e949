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
  # The glyphs of the caption buttons (the close box) come from this font,
  # which a fresh prefix lacks.
  local fonts="$WINEPREFIX/drive_c/windows/Fonts"
  if [ ! -f "$fonts/marlett.ttf" ] && [ -f /usr/share/wine/fonts/marlett.ttf ]; then
    mkdir -p "$fonts"
    cp /usr/share/wine/fonts/marlett.ttf "$fonts/"
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

# The fuzz tree: clang with libFuzzer and the address and undefined-behaviour
# sanitizers. New corpus entries stay in the build folder; an input that
# fails goes to tests/fuzz/findings (a folder of its own for each of matfile's
# readers), where the ordinary tests replay it. PRALVIK_FUZZ_SECONDS is the
# time of the whole fuzz run, shared equally by the targets.
PRALVIK_FUZZ_BUILD=${PRALVIK_FUZZ_BUILD:-$PRALVIK_ROOT/build/fuzz}
PRALVIK_FUZZ_SECONDS=${PRALVIK_FUZZ_SECONDS:-80}
PRALVIK_FUZZERS="material_file unit_text material_card csv_table"

pralvik_build_fuzz() {
  CC=clang-14 CXX=clang++-14 cmake -S "$PRALVIK_ROOT" -B "$PRALVIK_FUZZ_BUILD" \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo -DPRALVIK_FUZZ=ON >/dev/null
  local targets=()
  for fuzzer in $PRALVIK_FUZZERS; do targets+=(--target "${fuzzer}_fuzzer"); done
  cmake --build "$PRALVIK_FUZZ_BUILD" -j "$(pralvik_jobs)" "${targets[@]}"
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
      -max_len=20000 -timeout=10 -print_final_stats=1 -artifact_prefix="$findings/" "$corpus" \
      $(pralvik_fuzz_seeds "$fuzzer") >"$log" 2>&1; then
    tail -n 40 "$log" >&2
    echo "fuzzing $fuzzer found a fault; the input is in ${findings#"$PRALVIK_ROOT"/}" >&2
    return 1
  fi
  echo "$fuzzer: $(grep -E '^stat::number_of_executed_units' "$log" || true)"
}

pralvik_run_fuzz() {
  local count=0 failed=0
  for _ in $PRALVIK_FUZZERS; do count=$((count + 1)); done
  local seconds=$((PRALVIK_FUZZ_SECONDS / count))
  [ "$seconds" -ge 1 ] || seconds=1
  for fuzzer in $PRALVIK_FUZZERS; do
    pralvik_fuzz_one "$fuzzer" "$seconds" || failed=1
  done
  return "$failed"
}
