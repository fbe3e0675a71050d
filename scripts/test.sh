#!/usr/bin/env bash
# Installs what is missing, builds Folivo and runs every test through ctest.
# Works without a display: widget tests use Qt's offscreen platform, and the tests
# that need a real window start their own Xvfb.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh default
cd build
ctest --output-on-failure -j2 --timeout 600
