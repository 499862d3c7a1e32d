#!/usr/bin/env bash
# Times "kvadmin import items" of N generated items (default 100,000) into a fresh demo-less folder
# on the embedded engine, and the export of them again.
#   bench/import-items.sh [BUILD_DIR] [N]
set -euo pipefail
build=${1:-build}
n=${2:-100000}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$build/src/kvadmin" init "$work/data" --year 2026 --admin-password 1 >/dev/null
python3 - "$work/items.csv" "$n" <<'PY'
import sys
path, n = sys.argv[1], int(sys.argv[2])
words = ["سكر", "أرز", "زيت", "شاي", "حليب", "عدس", "معكرونة", "صابون", "منظف", "قهوة"]
with open(path, "w", encoding="utf-8") as f:
    f.write("ITEMNO,DESCR,UNIT,SUBUNIT,QUNITS,UPRICE,UPRICE2,LOCATION\n")
    for i in range(n):
        f.write(f"{100000 + i},{words[i % 10]} صنف {i},كرتون,حبة,12,{(i % 500) + 10}.50,{(i % 50) + 1}.25,A{i % 90}\n")
PY
s=$(date +%s%N)
"$build/src/kvadmin" import items "$work/items.csv" --data "$work/data"
e=$(date +%s%N)
echo "import of $n items: $(( (e - s) / 1000000 )) ms"
s=$(date +%s%N)
"$build/src/kvadmin" export items "$work/out.csv" --data "$work/data"
e=$(date +%s%N)
echo "export of $n items: $(( (e - s) / 1000000 )) ms"
