#!/usr/bin/env bash
# Builds Corvel.app on a Mac with one command: checks the tools (and installs
# the Homebrew formulae that are missing), builds the app with the macos
# preset, runs the core suites and the Mac smoke test, puts Qt into the
# bundle, signs it ad hoc and makes a disk image. Prints where both are.
set -euo pipefail
cd "$(dirname "$0")/.."

if [[ $(uname -s) != Darwin ]]; then
    echo "build-mac: this builds Corvel.app and runs only on a Mac; on Linux, scripts/run.sh"
    exit 1
fi
if ! xcrun --find clang++ >/dev/null 2>&1; then
    echo "build-mac: Apple's compiler is missing; install the Command Line Tools (xcode-select --install) or Xcode"
    exit 1
fi
for tool in codesign iconutil; do
    if ! command -v "$tool" >/dev/null; then
        echo "build-mac: $tool is missing; it comes with macOS and the Command Line Tools"
        exit 1
    fi
done
if ! command -v brew >/dev/null; then
    echo "build-mac: Homebrew is missing; see https://brew.sh, then run this again"
    exit 1
fi

formulae=(cmake ninja pkg-config qt nlohmann-json icu4c libpng googletest util-linux)
missing=()
for formula in "${formulae[@]}"; do
    brew list --versions "$formula" >/dev/null 2>&1 || missing+=("$formula")
done
if ((${#missing[@]})); then
    echo "build-mac: installing ${missing[*]}"
    brew install "${missing[@]}"
fi
export HOMEBREW_PREFIX=${HOMEBREW_PREFIX:-$(brew --prefix)}
echo "build-mac: building with $(brew list --versions "${formulae[@]}" | paste -sd ';' - | sed 's/;/; /g')"

build=build/macos
cmake --preset macos -DICU_ROOT="$(brew --prefix icu4c)"
cmake --build --preset macos

# The suites of the platform-neutral core and the native binding's plain
# parts; the interface suites need a display of their own.
for suite in async domain backend engine platform platform_mac backend_mac26 sim settings; do
    echo "== $suite =="
    "$build/tests/$suite/corvel_${suite}_tests" --gtest_brief=1
done
echo "== smoke =="
"$build/tests/platform_mac/corvel_platform_mac_smoke"

app="$build/src/app/Corvel.app"
# Qt's frameworks go into the bundle so that it runs on a Mac without
# Homebrew; that changes the bundle, so it is signed again afterwards.
"$(brew --prefix qt)/bin/macdeployqt" "$app"
codesign --force --deep --sign - --timestamp=none "$app"
codesign --verify --deep --strict "$app"
cpack --config "$build/packaging/macos/CPackConfig.cmake" -B "$build/package"

echo "build-mac: $app"
echo "build-mac: $(ls "$build"/package/Corvel-*.dmg)"
