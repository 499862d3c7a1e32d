#!/usr/bin/env bash
# Builds everything and runs every test, with a private Firebird server for the multi-user tests.
set -euo pipefail
cd "$(dirname "$0")"
started=$SECONDS
work=

finish() {
  local rc=$?
  if [[ -n "$work" ]]; then
    scripts/fbserver.sh stop "$work/fb" || true
    rm -rf "$work"
  fi
  echo "test.sh: $((SECONDS - started)) s, exit status $rc"
  exit "$rc"
}
trap finish EXIT

scripts/install-deps.sh
cmake -S . -B build -G Ninja
ninja -C build -j2

# Test databases are written with synchronous page writes; a memory file system keeps that fast.
base=${TMPDIR:-/tmp}
if [[ -d /dev/shm && -w /dev/shm ]]; then base=/dev/shm; fi
work=$(mktemp -d "$base/kvtest.XXXXXX")

port_free() { ! (exec 3<>"/dev/tcp/127.0.0.1/$1") 2>/dev/null; }
port=3057
while ! port_free "$port"; do
  port=$((port + 1))
  ((port < 3157)) || { echo "test.sh: no free port for the test server" >&2; exit 1; }
done
scripts/fbserver.sh start "$work/fb" "$port"

# The tests log in with the program's own database password.
unset ISC_USER ISC_PASSWORD
export KV_TEST_FB_SERVER="127.0.0.1/$port"
export KV_TEST_FB_DIR="$work/fb/data"
mkdir -p "$work/tmp"
export TMPDIR="$work/tmp"

ctest --test-dir build --output-on-failure --no-tests=error -j2
