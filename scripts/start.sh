#!/usr/bin/env bash
# Installs what is missing, builds Folivo and starts it. SANE's virtual test scanner
# is offered beside any real scanner, preset so that a first scan looks like a page.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh default
source scripts/sane-test-env.sh
exec build/bin/folivo "$@"
