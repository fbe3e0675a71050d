#!/usr/bin/env bash
# Sourced by the scanner benchmarks after setting `build` and `tool_name`: checks the tool
# and scanimage, and gives `tool` and a temporary `work` folder (removed on exit) whose
# dll.conf offers only SANE's test device, with Qt drawing off screen.
tool="$build/bin/$tool_name"
[ -x "$tool" ] || { echo "build $tool_name first ($tool)" >&2; exit 1; }
command -v scanimage >/dev/null || { echo "scanimage (sane-utils) is missing" >&2; exit 1; }
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
printf 'test\n' > "$work/dll.conf"
export SANE_CONFIG_DIR="$work"
export QT_QPA_PLATFORM=offscreen
