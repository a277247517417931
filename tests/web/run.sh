#!/usr/bin/env bash
# Installs the test driver from the lock file (offline when it is already there) and runs
# the browser and loader tests.
set -euo pipefail
cd "$(dirname "$0")"
if [ -d node_modules/playwright-core ]; then
  npm ci --offline --no-audit --no-fund --loglevel=error || npm ci --no-audit --no-fund --loglevel=error
else
  npm ci --no-audit --no-fund --loglevel=error
fi
exec node --test --test-concurrency=1 "$@" ./*.test.mjs
