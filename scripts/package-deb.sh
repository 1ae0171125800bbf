#!/usr/bin/env bash
# Builds the release programs and the Debian package build/release/vemo_*.deb, which installs
# with `apt install ./vemo_VERSION_ARCH.deb`.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
# dpkg-shlibdeps finds the package's run-time dependencies.
if ! dpkg-query -W -f='${Status}' dpkg-dev 2>/dev/null | grep -q 'install ok installed'; then
    sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq dpkg-dev
fi
cmake --preset release
cmake --build --preset release
(cd build/release && cpack -G DEB)
ls build/release/vemo_*.deb
