#!/usr/bin/env bash
# Installs the Debian packages needed to build, test and run the program, when any is missing.
set -euo pipefail

packages=(
  cmake ninja-build g++ pkg-config
  qt6-base-dev qt6-base-dev-tools libqt6printsupport6 libqt6test6 qt6-qpa-plugins libgl-dev
  firebird3.0-server-core firebird3.0-utils firebird-dev firebird3.0-server
  libgtest-dev googletest libbenchmark-dev
  fonts-noto-core xvfb xauth
  libqrencode-dev libzxing-dev libxlsxwriter-dev poppler-utils unzip
)

missing=()
for p in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${db:Status-Status}' "$p" 2>/dev/null || true)
  [[ "$status" == installed ]] || missing+=("$p")
done

if ((${#missing[@]} == 0)); then
  exit 0
fi

echo "install-deps: installing ${missing[*]}" >&2
if [[ $(id -u) -eq 0 ]]; then
  sudo=()
else
  command -v sudo >/dev/null || { echo "install-deps: not root and no sudo; install: ${missing[*]}" >&2; exit 1; }
  sudo=(sudo)
fi

# Installing firebird3.0-server may start a system server on port 3050; stop it again only
# when this install is what started it.
listening_3050() { (exec 3<>/dev/tcp/127.0.0.1/3050) 2>/dev/null; }
server_before=no
listening_3050 && server_before=yes

"${sudo[@]}" apt-get update
"${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends "${missing[@]}"

if [[ $server_before == no ]] && listening_3050; then
  "${sudo[@]}" service firebird3.0 stop >/dev/null 2>&1 || true
fi
