#!/usr/bin/env bash
# Installs every Debian package that Folivo's build, the program and its tests need.
# Idempotent: installs only what is missing, and asks apt nothing when all is present.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-tools-dev qt6-tools-dev-tools qt6-qpa-plugins
  libqt6opengl6-dev
  qt6-l10n-tools libqt6svg6 qt6-translations-l10n
  libsane-dev libsane1 sane-utils sane-airscan
  libjpeg62-turbo-dev libjpeg-turbo-progs
  libqpdf-dev qpdf libdeflate-dev libtiff-dev
  fonts-ipafont-gothic
  libtesseract-dev tesseract-ocr-jpn tesseract-ocr-jpn-vert tesseract-ocr-eng
  libgtest-dev libgmock-dev libbenchmark-dev
  poppler-utils img2pdf imagemagick time bc pigz
  xvfb xauth xdotool x11-utils
  at-spi2-core python3-pyatspi
  clang libclang-rt-14-dev
  desktop-file-utils appstream
  rsync
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
