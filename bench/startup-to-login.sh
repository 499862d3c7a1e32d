#!/usr/bin/env bash
# Time from starting kvstock to its login dialog on the embedded demo folder, over N runs.
#   bench/startup-to-login.sh [BUILD_DIR] [RUNS]
# Uses KV_AUTOLOGIN_EXIT=1 (the program ends as soon as the login dialog is shown) and the
# offscreen platform. Prints every run and the median in milliseconds.
set -euo pipefail
build=${1:-build}
runs=${2:-15}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$build/src/kvadmin" init "$work/data" --year "$(date +%Y)" --admin-password 1234 --demo >"$work/data.acdb"
mv "$work/data.acdb" "$work/data/AcDb.txt"
export KV_CONFIG_DIR="$work/data" KV_PUBLIC_DIR="$work/data/public" KV_BACKUP_DIR="$work/data/backup"
export QT_QPA_PLATFORM=offscreen KV_AUTOLOGIN_EXIT=1 XDG_RUNTIME_DIR="$work/run"
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
times=()
for ((i = 0; i < runs; i++)); do
  s=$(date +%s%N)
  "$build/src/kvstock" 2>/dev/null
  e=$(date +%s%N)
  times+=($(( (e - s) / 1000000 )))
done
echo "runs (ms): ${times[*]}"
printf '%s\n' "${times[@]}" | sort -n | awk '{a[NR]=$1} END {print "median: " a[int((NR+1)/2)] " ms"}'
