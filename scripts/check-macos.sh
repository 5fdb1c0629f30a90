#!/usr/bin/env bash
# Checks the sources that build only on a Mac, here where there is none:
# clang compiles every file of the native binding (src/platform_mac), the
# Mac smoke test, and the application's files with code for the Mac's own
# desktop (under CORVEL_NATIVE_MAC) as Objective-C++ with ARC and blocks,
# against the declarations of tools/macos-declarations, which stand in for
# Apple's SDK. Nothing is built; any error or warning fails the check.
set -euo pipefail
cd "$(dirname "$0")/.."

clang=${CORVEL_CHECK_CLANG:-clang++}
if ! command -v "$clang" >/dev/null; then
    echo "check-macos: $clang is missing; scripts/setup.sh installs clang"
    exit 1
fi

mapfile -t files < <(
    find src/platform_mac -name '*.mm' -o -name '*.cpp'
    find src/app tests/platform_mac -name '*.mm'
    grep -l CORVEL_NATIVE_MAC src/app/*.cpp
)
mapfile -t files < <(printf '%s\n' "${files[@]}" | sort)
if ((${#files[@]} == 0)); then
    echo "check-macos: no files to check"
    exit 1
fi

flags=(
    -std=c++20 -fsyntax-only -x objective-c++
    -fobjc-arc -fblocks -fobjc-runtime=macosx-14.0
    -Wall -Wextra -Wpedantic -Werror
    -isystem tools/macos-declarations
    -Isrc -Itests
    -DCORVEL_NATIVE_MAC=1 -DCORVEL_VERSION=\"check\"
)
# Mac-only files of the application use Qt, whose headers are the same here.
if qt=$(pkg-config --cflags Qt6Widgets 2>/dev/null); then
    read -r -a qtFlags <<<"$qt"
    flags+=("${qtFlags[@]/#-I/-isystem}")
fi

if ! printf '%s\0' "${files[@]}" | xargs -0 -n 1 -P "$(nproc)" "$clang" "${flags[@]}"; then
    echo "check-macos: the Mac-only files do not compile cleanly (above)"
    exit 1
fi
echo "check-macos: ${#files[@]} files compile cleanly as Objective-C++ against the declarations"
