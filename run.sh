#!/usr/bin/env bash
# Builds the program and starts it on a demo firm in demo-data/ (created on the first run).
set -euo pipefail
cd "$(dirname "$0")"

scripts/install-deps.sh
cmake -S . -B build -G Ninja >/dev/null
ninja -C build -j2 kvstock kvadmin

demo="$PWD/demo-data"
if [[ ! -f "$demo/AcDb.txt" ]]; then
  if [[ -e "$demo/MAIN.FDB" ]]; then
    echo "run.sh: $demo holds databases but no AcDb.txt; remove the folder to start afresh" >&2
    exit 1
  fi
  mkdir -p "$demo"
  echo "run.sh: creating the demo firm in $demo"
  build/src/kvadmin init "$demo" --year "$(date +%Y)" --admin-password 1234 --demo >"$demo/AcDb.txt.new"
  mv "$demo/AcDb.txt.new" "$demo/AcDb.txt"
fi
mkdir -p "$demo/public" "$demo/backup"

export KV_CONFIG_DIR="$demo"
export KV_PUBLIC_DIR="$demo/public"
export KV_BACKUP_DIR="$demo/backup"

cat <<'TXT'
Demo login:
  administrator  "<المشرف>"  password 1234
  operator       "سالم"      password 1111
TXT

if [[ -z "${DISPLAY:-}" && -z "${WAYLAND_DISPLAY:-}" && -z "${QT_QPA_PLATFORM:-}" ]]; then
  echo "run.sh: no display; starting on a virtual X server (xvfb-run)" >&2
  exec xvfb-run -a build/src/kvstock
fi
exec build/src/kvstock
