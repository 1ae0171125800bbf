#!/usr/bin/env bash
# Installs the Debian 12 packages vemo needs to build, run and test; does nothing when all are there.
set -euo pipefail
packages=(g++ make cmake ninja-build ccache qt6-base-dev libsdl2-dev libgtest-dev libgmock-dev
          libbenchmark-dev libcli11-dev xvfb xauth xdotool xclip x11-utils x11-xkb-utils desktop-file-utils python3
          python3-mido hxtools)
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
echo "installing: ${missing[*]}" >&2
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}"
