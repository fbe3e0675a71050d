#!/usr/bin/env bash
# Installs what is missing, builds Folivo and runs every test through ctest.
# Works without a display: widget tests use Qt's offscreen platform, and the tests
# that need a real window start their own Xvfb.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh default
cd build
# A test that fails is run once more, so one timing slip under load does not hide the
# rest; a real fault fails both times.
ctest --output-on-failure -j2 --timeout 600 --repeat until-pass:2
