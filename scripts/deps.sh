#!/usr/bin/env bash
# Installs the Debian 12 packages needed to build, run and test zib-notes.
# Safe to run again: apt-get skips what is already installed.
set -euo pipefail

packages=(
  build-essential cmake pkg-config git
  qtbase5-dev qtbase5-dev-tools qtdeclarative5-dev qtquickcontrols2-5-dev
  qtdeclarative5-dev-tools qtmultimedia5-dev libqt5multimedia5-plugins libqt5svg5 qttools5-dev qttools5-dev-tools
  qml-module-qtquick2 qml-module-qtquick-window2 qml-module-qtquick-controls2
  qml-module-qtquick-templates2 qml-module-qtquick-layouts qml-module-qtqml-models2
  qml-module-qttest qml-module-qt-labs-settings
  hicolor-icon-theme adwaita-icon-theme sound-theme-freedesktop
  cron xvfb xauth trayer xdotool dbus dbus-daemon at-spi2-core python3-pyatspi
  gstreamer1.0-plugins-base gstreamer1.0-plugins-good
  appstream desktop-file-utils dpkg-dev lintian qttranslations5-l10n locales
  clang libclang-rt-14-dev
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

if [ ${#missing[@]} -gt 0 ]; then
  SUDO=""
  [ "$(id -u)" -eq 0 ] || SUDO="sudo"
  export DEBIAN_FRONTEND=noninteractive
  $SUDO apt-get update -q
  $SUDO apt-get install -y -q --no-install-recommends "${missing[@]}"
fi
