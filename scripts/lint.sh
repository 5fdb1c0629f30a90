#!/usr/bin/env bash
# Source checks that the compiler does not make for us.
set -euo pipefail
cd "$(dirname "$0")/.."

status=0
# GCC 12 miscompiles co_await in a bare if/while condition (see src/async/Task.h).
if hits=$(grep -rnE '\b(if|while)\s*\((\s*[!(]|[^;=]*(&&|\|\|))?\s*\(?\s*co_await' src tests bench 2>/dev/null | grep -vE '^[^:]+:[0-9]+:\s*//'); then
    echo "lint: co_await directly in an if/while condition; bind it to a local first:"
    echo "$hits"
    status=1
fi
exit $status
