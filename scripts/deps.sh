#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the demo need, when missing.
set -euo pipefail

LCR_PACKAGES=(g++ make cmake pkg-config qt6-base-dev qt6-serialport-dev qt6-charts-dev
  libqt6opengl6-dev libxlsxwriter-dev zlib1g-dev libjpeg62-turbo-dev libgtest-dev
  libbenchmark-dev xvfb xauth imagemagick fonts-dejavu-core dpkg-dev
  python3-openpyxl python3-pandas)  # read exported workbooks and CSV back in the tests
# The fuzz targets need clang and its libFuzzer runtime; optional.
LCR_FUZZ_PACKAGES=(clang libclang-rt-14-dev)
# Publishing to an MQTT broker, and the broker its tests run.
LCR_PACKAGES+=(libmosquitto-dev mosquitto)

lcr_missing() {
  local missing=()
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
  done
  echo "${missing[@]:-}"
}

lcr_install() {
  local missing
  missing=$(lcr_missing "$@")
  [ -z "$missing" ] && return 0
  local sudo=()
  [ "$(id -u)" -ne 0 ] && sudo=(sudo)
  echo "Installing: $missing" >&2
  "${sudo[@]}" apt-get update -qq || true
  # shellcheck disable=SC2086
  DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends $missing >&2
}
