#!/usr/bin/env bash
# Installs every Debian package Corvel needs to build, test and run.
# Idempotent: it touches apt only when something is missing.
set -euo pipefail

packages=(
    build-essential cmake ninja-build pkg-config
    # clang: the libFuzzer builds, and scripts/check-macos.sh, which compiles
    # the Mac-only Objective-C++ files against tools/macos-declarations.
    clang libclang-rt-dev
    libgtest-dev libgmock-dev libbenchmark-dev
    nlohmann-json3-dev uuid-dev libpng-dev
    libicu-dev
    qt6-base-dev qt6-svg-dev libqt6svg6 qt6-qpa-plugins
    fonts-dejavu-core
    xvfb xauth
    python3
)

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$p")
    fi
done

if ((${#missing[@]} == 0)); then
    exit 0
fi

if [[ $(id -u) -ne 0 ]]; then
    sudo=sudo
else
    sudo=
fi
echo "setup: installing ${missing[*]}"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
