#!/usr/bin/env bash
# Installs what is missing, builds Corvane and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release > /dev/null
cmake --build build -j"$(nproc)" --target corvane corvane-cli
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
  echo "No display found: start Corvane under a virtual one with: xvfb-run -a build/ui/corvane" >&2
  exit 1
fi
exec build/ui/corvane "$@"
