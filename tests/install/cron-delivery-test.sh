#!/usr/bin/env bash
# A reminder's road from cron, with the installed package: the exact command
# of a crontab line, run by /bin/sh in cron's bare environment, while the
# program runs (hand-over), while it does not (started in the recorded
# session, here an Xvfb display other than :0) and with no session left.
# It all runs as a throwaway user created here, whose crontab the program
# edits, never root's.
set -uo pipefail
package_dir=$1
skip() { echo "SKIP: $*"; exit 77; }
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
ok() { echo "ok - $*"; }

[ "$(id -u)" -eq 0 ] || skip "needs root: cron's PATH (/usr/bin:/bin) finds zib-notes-notify only once the package is installed"
command -v Xvfb >/dev/null && command -v xauth >/dev/null || skip "Xvfb and xauth are needed (scripts/deps.sh)"
for tool in useradd userdel setpriv; do command -v "$tool" >/dev/null || skip "$tool is not installed"; done
deb=$(ls "$package_dir"/zib-notes_*.deb 2>/dev/null | head -1)
[ -n "$deb" ] || { echo "FAIL: no package in $package_dir (tst_install builds it)"; exit 1; }

work=$(mktemp -d)
home=$work/home
state=$home/.local/state/zib-notes
user="zibdeliver$$"
was_installed=$(dpkg-query -W -f='${Status}' zib-notes 2>/dev/null | grep -c "install ok installed")
xvfb=""
cleanup() {
  pkill -KILL -u "$user" 2>/dev/null
  for _ in $(seq 50); do pgrep -u "$user" >/dev/null || break; sleep 0.1; done
  crontab -u "$user" -r >/dev/null 2>&1
  userdel "$user" >/dev/null 2>&1
  # The program's runtime directory: a later user given the same uid would take it for its own.
  [ -n "${uid:-}" ] && rm -rf "/tmp/zib-notes-$uid"
  # Qt's own, made where the user's processes found no XDG_RUNTIME_DIR.
  rm -rf "/tmp/runtime-$user"
  [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null
  [ "$was_installed" = 0 ] && dpkg --purge zib-notes >/dev/null 2>&1
  rm -rf "$work"
}
trap cleanup EXIT
useradd --no-create-home --home-dir "$home" --shell /bin/sh "$user" || { echo "FAIL: no throwaway user"; exit 1; }
uid=$(id -u "$user")
lock=/tmp/zib-notes-$uid/$(printf '%s\n%s' "$uid" /usr/bin/zib-notes | sha1sum | cut -c1-16).lock
lock_pid() { [ -f "$lock" ] && head -1 "$lock"; }
# As the user, by exec: started in the background, $! is the program's own pid.
as_user=(setpriv --reuid "$user" --regid "$user" --init-groups)

apt-get -o DPkg::Lock::Timeout=600 install -y -q --no-install-recommends --reinstall "$deb" >"$work/apt.log" 2>&1 \
  || { tail -20 "$work/apt.log"; echo "FAIL: the package does not install"; exit 1; }

# The crontab line's command, exactly as the program writes it.
command=' export QT_QPA_PLATFORMTHEME=zib && export XDG_CURRENT_DESKTOP=zib && export DISPLAY=:0 && zib-notes-notify 1a.note'
run_cron() { "${as_user[@]}" env -i PATH=/usr/bin:/bin SHELL=/bin/sh HOME="$home" LOGNAME="$user" /bin/sh -c "$command" 2>>"$work/cron.err"; }
wait_for() { for _ in $(seq 100); do eval "$1" && return 0; sleep 0.1; done; return 1; }
recorded_pid() { grep -o '"pid": *[0-9]*' "$state/session-environment.json" 2>/dev/null | grep -o '[0-9]*$'; }

mkdir -p "$home/.local/share/zib/zib-notes" "$work/runtime"
chmod 700 "$work/runtime"
# A note of the collection, reminding every day at this minute (only a due
# reminder is announced), saved a moment later so it never counts as missed.
printf '[General]\ntitle=Shopping\nnotify-type=2\nnotify-date=%s\n' "$(date +%Y-%m-%dT%H:%M:00)" \
  >"$home/.local/share/zib/zib-notes/1a.note"
printf '[General]\nnext-filename=1b\n\n[Notes]\n1a.note\\modification-date=%s\n1a.note\\note-type=0\n' \
  "$(date -d '+1 minute' +%Y-%m-%dT%H:%M:%S)" >"$home/.local/share/zib/zib-notes/notes.conf"

# The user's display: a free one from :7 up, with an authority file, so that
# cron's DISPLAY=:0 and missing XAUTHORITY lead nowhere.
for n in $(seq 7 60); do
  [ -e /tmp/.X11-unix/X$n ] || [ -e /tmp/.X$n-lock ] && continue
  xauth -f "$work/xauth" add ":$n" . "$(od -An -N16 -tx1 /dev/urandom | tr -d ' \n')" 2>/dev/null
  Xvfb ":$n" -auth "$work/xauth" -nolisten tcp >"$work/xvfb.log" 2>&1 &
  xvfb=$!
  wait_for "[ -S /tmp/.X11-unix/X$n ] || ! kill -0 $xvfb 2>/dev/null" && [ -S /tmp/.X11-unix/X$n ] && break
  xvfb=""
done
[ -n "$xvfb" ] || { echo "FAIL: no Xvfb display could be started"; exit 1; }
display=:$n
chown -R "$user" "$work"

session=(HOME="$home" PATH=/usr/bin:/bin DISPLAY="$display" XAUTHORITY="$work/xauth" XDG_RUNTIME_DIR="$work/runtime"
         XDG_CURRENT_DESKTOP=Test QT_QUICK_BACKEND=software
         ZIB_NOTES_TRAY_LOG="$work/tray.log" ZIB_NOTES_MESSAGE_LOG="$work/messages.log")
"${as_user[@]}" env -i "${session[@]}" /usr/bin/zib-notes --background >"$work/first.log" 2>&1 &
first=$!
wait_for '[ "$(recorded_pid)" = "$first" ]' && ok "the program records its session on $display" \
  || { cat "$work/first.log"; fail "the program on $display did not record its session"; }
[ "$(stat -c %a "$state")" = 700 ] && [ "$(stat -c %a "$state/session-environment.json")" = 600 ] \
  && ok "the session file is private" || fail "the session file or its directory is open to others"

# 1. Running: handed over, no display needed.
run_cron && ok "cron's line exits 0 while the program runs" || fail "cron's line failed while the program runs"
wait_for 'grep -qx "noteId 1a.note" "$work/messages.log"' && ok "the running instance got the note" \
  || fail "the running instance did not get the note"
wait_for 'grep -q "^show .*/1a.note Shopping$" "$work/tray.log"' && ok "the reminder is announced" \
  || fail "the running instance did not announce the reminder"
wait_for 'grep -q "^sound /" "$work/tray.log"' && ok "the installed program plays the sound through its module" \
  || fail "no sound: the installed program did not load its sound module"
"${as_user[@]}" env -i "${session[@]}" timeout 30 /usr/bin/zib-notes --background
[ $? -eq 0 ] && [ "$(wc -l <"$work/messages.log")" -eq 1 ] && ok "a second --background start does nothing" \
  || fail "a second --background start was not quiet"

# 2. Not running: started on the recorded display, not on cron's :0.
kill "$first"
wait_for '! kill -0 $first 2>/dev/null' || fail "the first instance did not end"
run_cron && ok "cron's line exits 0 with no program running" || fail "cron's line failed with no program running"
started=$(recorded_pid)
if [ -n "$started" ] && [ "$started" != "$first" ] && kill -0 "$started" 2>/dev/null; then
  ok "the notifier started zib-notes (pid $started), and it runs"
  tr '\0' '\n' <"/proc/$started/environ" | grep -qx "DISPLAY=$display" && ok "it runs on $display" \
    || fail "it does not run on $display"
  tr '\0' '\n' <"/proc/$started/environ" | grep -qx "XDG_CURRENT_DESKTOP=Test" \
    && ok "it has the session's environment, not cron's" || fail "it has cron's environment"
else
  fail "the notifier started no lasting zib-notes"
fi
wait_for '[ "$(grep -c "^show .*/1a.note Shopping$" "$work/tray.log")" -eq 2 ]' \
  && ok "the started program announces the reminder" || fail "the started program did not announce the reminder"
grep -q "1a.note: started zib-notes (pid $started) on display $display" "$state/notify.log" \
  && ok "the start is logged" || { fail "the start was not logged"; cat "$state/notify.log"; }

# 3. No session: the display is gone; nothing is started, failure reported.
kill "$started" "$xvfb"
wait_for '! kill -0 $started 2>/dev/null && ! [ -e /tmp/.X11-unix/X$n ]'
xvfb=""
run_cron
status=$?
[ $status -ne 0 ] && ok "cron's line fails (status $status) with no session" || fail "cron's line reports success with no session"
pid=$(lock_pid)
{ [ -z "$pid" ] || ! kill -0 "$pid" 2>/dev/null; } && [ "$(recorded_pid)" = "$started" ] \
  && ok "nothing was started" || fail "a program was started without a session"
tail -1 "$state/notify.log" | grep -q "1a.note: zib-notes is not running and there is no graphical session" \
  && ok "the missing session is logged" || fail "the missing session was not logged"

echo "$failures failed"
[ $failures -eq 0 ]
