#!/usr/bin/env bash
# Runs the README's test command on a Debian 12 root that holds nothing but the base
# system, so a package that only this machine happens to have cannot hide a missing
# install step. Builds the root with debootstrap, copies a clean clone of HEAD into it
# and runs `bash scripts/test.sh` there, chrooted in a private mount namespace.
# Needs root. Usage: scripts/fresh-machine-check.sh [work-folder]
#   FRESH_KEEP=1 keeps the root afterwards (it is removed otherwise).
set -euo pipefail
[ "$(id -u)" -eq 0 ] || { echo "fresh-machine-check: run as root" >&2; exit 2; }

repo="$(cd "$(dirname "$0")/.." && pwd)"
work="${1:-$(mktemp -d /var/tmp/folivo-fresh.XXXXXX)}"
root="$work/root"
mkdir -p "$work"
started=$(date +%s)

# The mirrors this machine already uses: nothing about where packages come from is
# written into the repository.
mirror_of() {
  local suite_pattern="$1"
  local files=() f
  for f in /etc/apt/sources.list /etc/apt/sources.list.d/*.sources /etc/apt/sources.list.d/*.list; do
    [ -f "$f" ] && files+=("$f")
  done
  [ ${#files[@]} -gt 0 ] || return 0
  # deb822 stanzas: URIs before Suites within one stanza.
  awk -v pat="$suite_pattern" '
    /^URIs:/ { uri = $2 }
    /^Suites:/ && $0 ~ pat && uri != "" { print uri; exit }
    /^deb / && $0 ~ pat { print $2; exit }
  ' "${files[@]}" 2>/dev/null | head -1 || true
}
mirror="$(mirror_of ' bookworm( |$)')"
security="$(mirror_of 'bookworm-security')"
[ -n "$mirror" ] || { echo "fresh-machine-check: no bookworm mirror in apt sources" >&2; exit 2; }

command -v debootstrap >/dev/null || {
  apt-get update -qq && DEBIAN_FRONTEND=noninteractive apt-get install -y -qq debootstrap
}

cleanup() {
  [ "${FRESH_KEEP:-0}" = 1 ] || rm -rf --one-file-system "$work"
}
trap cleanup EXIT

echo "== debootstrap bookworm from the machine's mirror into $root"
debootstrap --variant=minbase bookworm "$root" "$mirror" >"$work/debootstrap.log" 2>&1 ||
  { tail -20 "$work/debootstrap.log"; exit 1; }
{
  echo "deb $mirror bookworm bookworm-updates main"
  [ -n "$security" ] && echo "deb $security bookworm-security main"
} >"$root/etc/apt/sources.list"
cp /etc/resolv.conf "$root/etc/resolv.conf"

echo "== clean clone of $(git -C "$repo" rev-parse --short HEAD)"
git clone -q --no-local "$repo" "$root/src/folivo"

echo "== README test command inside the fresh root"
set +e
unshare --mount --propagation private bash -c '
  set -e
  root="$1"
  mount -t proc proc "$root/proc"
  mount --rbind /dev "$root/dev"
  mount -t sysfs sys "$root/sys"
  mount -t tmpfs tmp "$root/tmp"
  chroot "$root" /usr/bin/env -i HOME=/root TERM=dumb CI=true LANG=C.UTF-8 \
    PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin \
    bash -c "cd /src/folivo && bash scripts/test.sh"
' fresh "$root" 2>&1 | tee "$work/test.log"
status=${PIPESTATUS[0]}
set -e

elapsed=$(($(date +%s) - started))
echo "== fresh-machine-check: exit $status after $((elapsed / 60)) min $((elapsed % 60)) s"
grep -E "tests passed|tests failed" "$work/test.log" | tail -1 || true
exit "$status"
