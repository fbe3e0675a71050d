#!/usr/bin/env bash
# Sourced: points SANE at a configuration that adds the virtual "test" device to the
# system's backends. The trailing ":" keeps the system folders for every other backend.
folivo_sane_dir="${XDG_CACHE_HOME:-$HOME/.cache}/folivo/sane"
mkdir -p "$folivo_sane_dir"
{
  [ -f /etc/sane.d/dll.conf ] && grep -v -E '^[[:space:]]*#?[[:space:]]*test[[:space:]]*$' /etc/sane.d/dll.conf
  echo "test"
} > "$folivo_sane_dir/dll.conf"
[ -f /etc/sane.d/test.conf ] && cp /etc/sane.d/test.conf "$folivo_sane_dir/test.conf"
export SANE_CONFIG_DIR="$folivo_sane_dir:"
