#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing need.
# Idempotent: packages already present are skipped, so a second run costs little.
set -euo pipefail

PACKAGES=(
  build-essential cmake ninja-build pkg-config clang-format clang ccache
  qt6-base-dev qt6-base-dev-tools libqt6opengl6-dev qt6-webengine-dev qt6-webengine-dev-tools
  libgl-dev libxkbcommon-dev
  libcurl4-openssl-dev libpugixml-dev libsodium-dev libssl-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  xvfb xauth fonts-dejavu-core
  python3-pyftpdlib python3-openssl python3-paramiko openssl
)
# Browser tests of the web player.
if [ "${TICKERINE_WEB_TESTS:-1}" = 1 ]; then
  PACKAGES+=(php-cli chromium)
  # Node may come from elsewhere with its own npm; Debian's npm would clash with it.
  command -v npm >/dev/null 2>&1 || PACKAGES+=(nodejs npm)
fi

missing=()
for p in "${PACKAGES[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO=sudo
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
