#!/usr/bin/env bash
# Due reminders on three kinds of desktop, with the real program under Xvfb:
# an X11 tray (trayer) clicked with xdotool, a session bus with a recording
# notification service and no tray, and neither. Exits 77 (skipped) when a
# tool is missing.
set -uo pipefail
program=$1
service=$2

for tool in Xvfb trayer xdotool dbus-run-session; do
  command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done

work=$(mktemp -d)
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null; done
  wait 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
ok() { echo "ok - $*"; }
# wait_for <seconds> <command...>: polls until the command succeeds.
wait_for() {
  local deadline=$((SECONDS + $1)); shift
  until "$@"; do
    [ $SECONDS -ge $deadline ] && return 1
    sleep 0.1
  done
}
count() { grep -c -x -- "$2" "$1" 2>/dev/null || true; }
# has_lines <file> <line> <n>: exactly n such lines; for wait_for, which must
# count anew each time (a "$(count ...)" argument is counted once, at the call).
has_lines() { [ "$(count "$1" "$2")" -eq "$3" ]; }

Xvfb -displayfd 3 -screen 0 640x480x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
pids+=($!)
wait_for 20 test -s "$work/display" || { echo "FAIL: Xvfb did not start"; exit 1; }
export DISPLAY=":$(cat "$work/display")"

# A private user: notes, settings and the runtime directory in $work.
export HOME=$work/home XDG_DATA_HOME=$work/data XDG_CONFIG_HOME=$work/config XDG_CACHE_HOME=$work/cache
export XDG_RUNTIME_DIR=$work/runtime
mkdir -p "$HOME" "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
export QT_QPA_PLATFORM=xcb QT_QUICK_BACKEND=software
# The reminders' crontab lines go to the fake crontab, never the user's own.
export PATH="$(cd "$(dirname "$0")/../fakes" && pwd):$PATH" FAKE_CRONTAB_FILE=$work/crontab
# No session bus unless a case starts one (and none autolaunched).
export DBUS_SESSION_BUS_ADDRESS=unix:path=$work/no-bus
notes=$XDG_DATA_HOME/zib/zib-notes
mkdir -p "$notes"
# Notes 1 to 3 remind every day at this minute (only a due reminder is
# announced), saved a moment later, so none of them counts as missed.
now=$(date +%Y-%m-%dT%H:%M:00)
saved=$(date -d '+1 minute' +%Y-%m-%dT%H:%M)
{
  printf '[General]\nnext-filename=4\n\n[Notes]\n'
  for n in 1 2 3; do printf '%s.note\\modification-date=%s:0%s\n%s.note\\note-type=0\n' $n "$saved" $n $n; done
} >"$notes/notes.conf"
for n in 1 2 3; do
  printf '[General]\ntitle=Reminder %s\ntext=body\nnotify-type=2\nnotify-date=%s\n' "$n" "$now" >"$notes/$n.note"
done
# A one-time reminder that fell due an hour ago while the program was not
# running, in a history that began long before.
due=$(date -d '1 hour ago' +%Y-%m-%dT%H:%M:00)
printf '[General]\ntitle=Dentist\ntext=body\nnotify-type=1\nnotify-date=%s\n' "$due" >"$work/missed.note"
mkdir -p "$HOME/.local/state/zib-notes"
printf '[General]\nsince=2026-01-01T00:00:00\n' >"$HOME/.local/state/zib-notes/reminders.conf"

# start_program <case>: the first instance, announcing 1.note; logs in $work/<case>.
start_program() {
  local dir=$work/$1
  mkdir -p "$dir"
  ZIB_NOTES_TRAY_LOG=$dir/tray.log ZIB_NOTES_PAGE_LOG=$dir/page.log "$program" -t 1.note >"$dir/out" 2>&1 &
  app=$!
  pids+=($app)
}
stop_program() { kill "$app" 2>/dev/null; wait "$app" 2>/dev/null; }
# click <button>: presses on the tray icon, the first slot of trayer's window.
click() {
  local geometry x y
  geometry=$(xdotool getwindowgeometry --shell "$tray_window")
  eval "$geometry"
  xdotool mousemove $((X + 12)) $((Y + 12)) click "$1"
}

# --- An X11 tray: balloons, one open per click, no crash on other buttons.
trayer --edge top --align left --widthtype pixel --width 120 --height 24 --SetDockType false --transparent false \
  >/dev/null 2>&1 &
pids+=($!)
wait_for 20 xdotool search --class trayer >/dev/null || { echo "FAIL: trayer did not start"; exit 1; }
tray_window=$(xdotool search --class trayer | head -n 1)
start_program tray
log=$work/tray/tray.log
wait_for 30 grep -q -s -x "route balloon" "$log" || { fail "no balloon on an X11 tray"; cat "$work/tray/out" "$log"; }
"$program" -t 2.note; "$program" -t 3.note
wait_for 40 has_lines "$log" "route balloon" 3 || { fail "three reminders in a row were not all announced"; cat "$log"; }
sleep 1
click 3; sleep 0.5; click 2; sleep 0.5; xdotool key Escape; sleep 0.5
kill -0 "$app" 2>/dev/null && ok "right and middle clicks while the balloon shows" || fail "the program died on a right click"
[ "$(grep -c '^task ' "$log")" -eq 0 ] || fail "a right or middle click opened a note: $(grep '^task ' "$log")"
for n in 1 2 3; do
  click 1
  wait_for 20 grep -q -x "task $n.note" "$log" || fail "click $n did not open $n.note"
  sleep 0.5
done
[ "$(grep -c '^task ' "$log")" -eq 3 ] && ok "each click opened one reminder, in order" \
  || fail "clicks opened $(grep '^task ' "$log" | tr '\n' ' ')"
[ "$(wc -l <"$work/tray/page.log")" -eq 3 ] || fail "pages pushed: $(cat "$work/tray/page.log")"
kill -0 "$app" 2>/dev/null || fail "the program died after the clicks"
stop_program
kill "${pids[1]}" 2>/dev/null

# --- No tray, a notification service: a notification whose click opens the
# note; the missed reminder comes too, once.
cp "$work/missed.note" "$notes/4.note"
printf '4.note\\modification-date=2026-01-02T10:00:00\n4.note\\note-type=0\n' >>"$notes/notes.conf"
# bus_case <case> [sni]: the program under a private session bus with the
# recording service, which clicks every notification after 300 ms.
bus_case() {
  dbus-run-session -- bash -c '
    "$1" "$2/$3.service.log" 300 $4 >"$2/$3.service.out" 2>&1 &
    service=$!
    for i in $(seq 100); do grep -q ready "$2/$3.service.out" && break; sleep 0.1; done
    mkdir -p "$2/$3"
    ZIB_NOTES_TRAY_LOG=$2/$3/tray.log ZIB_NOTES_PAGE_LOG=$2/$3/page.log "$5" -t 1.note >"$2/$3/out" 2>&1 &
    app=$!
    for i in $(seq 300); do grep -q "$6" "$2/$3/page.log" 2>/dev/null && break; sleep 0.1; done
    kill $app; wait $app
    # The service outlives its bus otherwise.
    kill $service; wait $service
  ' _ "$service" "$work" "$1" "${2:-}" "$program" "${3:-1.note$}"
}
bus_case bus "" "4.note$"
cp "$work/bus.service.log" "$work/service.log"
grep -q "^notify [0-9]* Task notification | Reminder 1 | default,Open,open,Open$" "$work/service.log" \
  && ok "a notification with Open actions without a tray" || { fail "no notification"; cat "$work/service.log" "$work/bus/tray.log"; }
grep -q -x "route notification" "$work/bus/tray.log" || fail "not routed as a notification"
[ "$(grep -c "Dentist (missed, due" "$work/service.log")" -eq 1 ] && grep -q -x "task 4.note" "$work/bus/tray.log" \
  && ok "a reminder missed while the program was not running is announced once" \
  || { fail "the missed reminder was not announced once"; cat "$work/service.log"; }
grep -q -x "task 1.note" "$work/bus/tray.log" && grep -q "1.note$" "$work/bus/page.log" \
  && ok "clicking the notification opened the note" || fail "the notification's click did not open the note"

# --- A status-notifier tray (Plasma): the icon goes there, and since such a
# tray's balloons cannot be clicked the reminder is a notification.
bus_case sni sni
grep -q "^item " "$work/sni.service.log" || fail "the icon did not go into the status-notifier tray"
grep -q -x "route notification" "$work/sni/tray.log" && grep -q "^notify .* Reminder 1 | default,Open" "$work/sni.service.log" \
  && grep -q -x "task 1.note" "$work/sni/tray.log" && ok "a status-notifier tray gets a notification that opens the note" \
  || { fail "no clickable notification with a status-notifier tray"; cat "$work/sni.service.log" "$work/sni/tray.log"; }

# --- Neither a tray nor a notification service: the note itself is shown.
start_program bare
wait_for 30 grep -q "1.note$" "$work/bare/page.log" 2>/dev/null && ok "without tray and service the note's page opens" \
  || { fail "nothing shown without tray and service"; cat "$work/bare/out" "$work/bare/tray.log"; }
grep -q -x "route window" "$work/bare/tray.log" || fail "not routed to the window"
stop_program

[ "$failures" -eq 0 ] && echo "all tray routes passed"
exit $((failures > 0))
