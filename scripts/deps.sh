#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, only when some are missing.
set -euo pipefail
packages=(build-essential cmake qt6-base-dev libgl-dev libgtest-dev libgmock-dev libbenchmark-dev
          nlohmann-json3-dev rapidjson-dev libcsv-dev time libswe-dev swe-standard-data clang xvfb xauth
          fonts-dejavu-core fonts-dejavu-extra fonts-urw-base35 fonts-droid-fallback fonts-noto-mono
          fonts-liberation2 lintian dpkg-dev file python3 libhowardhinnant-date-dev tzdata zlib1g-dev
          libicu-dev libsqlite3-dev qt6-svg-dev poppler-utils hyperfine groff-base openbox
          pybind11-dev python3-pybind11 python3-dev python3-numpy python3-pandas python3-pytest
          python3-dask python3-distributed)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  SUDO=""
  [ "$(id -u)" -ne 0 ] && SUDO="sudo"
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
