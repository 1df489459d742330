#!/usr/bin/env bash
# Installs what is missing, builds Varnell and runs every test.
#   scripts/test.sh                     the normal build in build/
#   scripts/test.sh --sanitize address  AddressSanitizer + UndefinedBehaviorSanitizer, every test
#   scripts/test.sh --sanitize thread   ThreadSanitizer, the threaded tests
#   scripts/test.sh --no-gui            without Qt, in build-nogui/: the engine, varnell-convert,
#                                       the player library and their tests
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh

mode=""
case "${1:-}" in
  --sanitize) mode="${2:?--sanitize needs address or thread}" ;;
  --no-gui) mode="no-gui" ;;
  "") ;;
  *)
    echo "unknown option: $1 (--sanitize address|thread, or --no-gui)" >&2
    exit 2
    ;;
esac

export QT_QPA_PLATFORM=offscreen SDL_AUDIODRIVER=dummy
# The builds beside the normal one are unity builds (a library's files compiled a dozen at a
# time): they check what runs, and take a third of the time. The normal build stays file by file,
# so a file that misses an include of its own fails there.
readonly UNITY=(-DCMAKE_UNITY_BUILD=ON -DCMAKE_UNITY_BUILD_BATCH_SIZE=16)
case "$mode" in
  "")
    bash scripts/build.sh build
    ctest --test-dir build -j"$(nproc)" --output-on-failure
    ;;
  address)
    bash scripts/build.sh build-asan "${UNITY[@]}" -DVARNELL_SANITIZE=address -DCMAKE_BUILD_TYPE=Debug
    ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
      ctest --test-dir build-asan -j"$(nproc)" --output-on-failure
    ;;
  thread)
    # Only the test programs of the threaded subsystems (and what they run) are built.
    BUILD_TARGETS="engine_tests media_tests cli_tests playermodule_tests app_tests clip_tests" \
      bash scripts/build.sh build-tsan "${UNITY[@]}" -DVARNELL_SANITIZE=thread -DCMAKE_BUILD_TYPE=RelWithDebInfo
    TSAN_OPTIONS="halt_on_error=1:second_deadlock_stack=1:suppressions=$PWD/tests/tsan-qt.supp" \
      ctest --test-dir build-tsan -j"$(nproc)" -L "engine|cli|app|playermodule|clip" --output-on-failure
    ;;
  no-gui)
    # Qt may be installed here; the configure step must not look for it (and so never reads
    # the variable that forbids it, hence no warning about an unused one).
    bash scripts/build.sh build-nogui "${UNITY[@]}" --no-warn-unused-cli -DVARNELL_GUI=OFF \
      -DCMAKE_DISABLE_FIND_PACKAGE_Qt6=TRUE
    ctest --test-dir build-nogui -j"$(nproc)" --output-on-failure
    ;;
  *)
    echo "unknown sanitizer: $mode (address or thread)" >&2
    exit 2
    ;;
esac
