#!/usr/bin/env bash
# Installs what is missing, builds Varnell and runs every test.
#   scripts/test.sh                     the normal build in build/
#   scripts/test.sh --sanitize address  AddressSanitizer + UndefinedBehaviorSanitizer, every test
#   scripts/test.sh --sanitize thread   ThreadSanitizer, the threaded tests
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh

sanitizer=""
if [[ "${1:-}" == "--sanitize" ]]; then
  sanitizer="${2:?--sanitize needs address or thread}"
fi

export QT_QPA_PLATFORM=offscreen SDL_AUDIODRIVER=dummy
case "$sanitizer" in
  "")
    bash scripts/build.sh build
    ctest --test-dir build -j"$(nproc)" --output-on-failure
    ;;
  address)
    bash scripts/build.sh build-asan -DVARNELL_SANITIZE=address -DCMAKE_BUILD_TYPE=Debug
    ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
      ctest --test-dir build-asan -j"$(nproc)" --output-on-failure
    ;;
  thread)
    bash scripts/build.sh build-tsan -DVARNELL_SANITIZE=thread -DCMAKE_BUILD_TYPE=RelWithDebInfo
    TSAN_OPTIONS="halt_on_error=1:second_deadlock_stack=1:suppressions=$PWD/tests/tsan-qt.supp" \
      ctest --test-dir build-tsan -j"$(nproc)" -L "engine|cli|app|playermodule" --output-on-failure
    ;;
  *)
    echo "unknown sanitizer: $sanitizer (address or thread)" >&2
    exit 2
    ;;
esac
