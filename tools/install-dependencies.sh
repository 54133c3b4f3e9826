#!/bin/sh
# Installs what building, running and testing the programs needs on Debian 12.
# Run as root (or as a user who may use sudo).
set -eu
packages="
  build-essential cmake pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-translations-l10n libgl-dev
  libsqlite3-dev sqlite3
  libsodium-dev
  speech-dispatcher libspeechd2 libspeechd-dev
  pxlib-dev
  fonts-ipafont
  poppler-utils
  xvfb xauth
  dbus-daemon at-spi2-core
  orca openbox xdotool x11-xserver-utils python3
  librsvg2-bin file
  cups
  faketime
  lintian desktop-file-utils appstream shared-mime-info libglib2.0-bin
"
as_root=""
if [ "$(id -u)" -ne 0 ]; then as_root="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
$as_root apt-get update -qq
# shellcheck disable=SC2086
$as_root apt-get install -y -qq --no-install-recommends $packages
