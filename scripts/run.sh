#!/usr/bin/env bash
# Installs what is missing, builds the Debian package into ./build-release,
# installs it (with its dependencies) and starts the installed zib-notes.
# Reminders come from cron, which finds zib-notes-notify only in /usr/bin.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh

SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO="sudo"

cmake -S . -B build-release -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF
cmake --build build-release -j"$(nproc)"
rm -f build-release/zib-notes_*.deb
(cd build-release && cpack -G DEB)
deb=$(ls build-release/zib-notes_*.deb)
# --reinstall: a rebuild of the same version replaces the installed files.
$SUDO env DEBIAN_FRONTEND=noninteractive apt-get install -y --reinstall "./$deb"

# Through sudo the program belongs to the user who asked, in that user's
# session: display and authority as sudo kept them, runtime dir and bus
# from the user's login.
user=${SUDO_USER:-}
if [ "$(id -u)" -eq 0 ] && [ -n "$user" ] && [ "$user" != root ]; then
  uid=$(id -u "$user")
  vars=("HOME=$(getent passwd "$user" | cut -d: -f6)" "USER=$user" "LOGNAME=$user"
        "PATH=/usr/local/bin:/usr/bin:/bin")
  for v in DISPLAY WAYLAND_DISPLAY XAUTHORITY LANG LANGUAGE XDG_CURRENT_DESKTOP XDG_SESSION_TYPE; do
    [ -n "${!v:-}" ] && vars+=("$v=${!v}")
  done
  if [ -d "/run/user/$uid" ]; then
    vars+=("XDG_RUNTIME_DIR=/run/user/$uid")
    [ -S "/run/user/$uid/bus" ] && vars+=("DBUS_SESSION_BUS_ADDRESS=unix:path=/run/user/$uid/bus")
  fi
  exec runuser -u "$user" -- env -i "${vars[@]}" /usr/bin/zib-notes "$@"
fi
exec /usr/bin/zib-notes "$@"
