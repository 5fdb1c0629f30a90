#!/usr/bin/env bash
# Checks the sources that build only on a Mac, here where there is none:
# clang compiles every file of the native binding (src/platform_mac), the
# Mac-only files of the application (src/app) and the Mac smoke test as
# Objective-C++ with ARC and blocks, against the declarations of
# tools/macos-declarations, which stand in for Apple's SDK. Nothing is
# built; any error or warning fails the check.
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
)
# Mac-only files of the application use Qt, whose headers are the same here.
if qt=$(pkg-config --cflags Qt6Widgets 2>/dev/null); then
    read -r -a qtFlags <<<"$qt"
    flags+=("${qtFlags[@]/#-I/-isystem}")
fi

status=0
for file in "${files[@]}"; do
    if ! "$clang" "${flags[@]}" "$file"; then
        status=1
    fi
done
if ((status == 0)); then
    echo "check-macos: ${#files[@]} files compile cleanly as Objective-C++ against the declarations"
fi
exit $status
