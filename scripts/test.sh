#!/usr/bin/env bash
# Installs what is missing, builds Folivo and runs every test through ctest.
# Works without a display: widget tests use Qt's offscreen platform, and the tests
# that need a real window start their own Xvfb.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh default
cd build
# No retries: a test that fails under load is a fault to find, not to run again.
ctest --output-on-failure -j"$(nproc)" --timeout 600
