#!/usr/bin/env bash
# Runs the note classes' crontab edits against the system's own crontab
# program, as a throwaway user created for the test, and checks that the
# user's own jobs survive every edit and that a failing crontab loses nothing.
# Exits 77 (skipped) when not root or when crontab is not installed.
set -uo pipefail
agent=$1
stress=${2:-}

if [ "$(id -u)" -ne 0 ]; then
  echo "SKIP: creating a throwaway user needs root"
  exit 77
fi
for tool in crontab useradd userdel runuser; do
  if ! command -v "$tool" >/dev/null; then
    echo "SKIP: $tool is not installed"
    exit 77
  fi
done

user="zibcron$$"
work=$(mktemp -d)
deny=/etc/cron.deny
deny_backup=""
cleanup() {
  crontab -u "$user" -r >/dev/null 2>&1
  userdel "$user" >/dev/null 2>&1
  if [ -n "$deny_backup" ]; then cp "$deny_backup" "$deny"; else rm -f "$deny"; fi
  rm -rf "$work"
}
trap cleanup EXIT
[ -e "$deny" ] && { deny_backup="$work/cron.deny"; cp "$deny" "$deny_backup"; }

useradd --no-create-home --home-dir "$work/home" --shell /bin/bash "$user" || exit 1
mkdir -p "$work/home" && chown "$user" "$work/home"
chmod 755 "$work"
# The agent must be reachable by the user: copy it out of a possibly private build tree.
cp "$agent" "$work/crontabagent" && chmod 755 "$work/crontabagent"
[ -n "$stress" ] && cp "$stress" "$work/cronstress" && chmod 755 "$work/cronstress"

# The user's own jobs, with everything a shell or echo could mangle.
own_jobs=$(cat <<'JOBS'
# my jobs: don't touch
MAILTO=""
0 5 * * * echo 'single' "double" $HOME `date` $(id -u) \\back\slash \n \c >> /tmp/out 2>&1
*/15 * * * * test -f ~/flag && printf '%s\n' "100%" ! *.log
@reboot -n echo starts with a dash
JOBS
)
printf '%s\n' "$own_jobs" | crontab -u "$user" - || { echo "FAIL: could not install the user's jobs"; exit 1; }

failures=0
run_agent() {
  runuser -u "$user" -- env -i PATH=/usr/bin:/bin HOME="$work/home" XDG_DATA_HOME="$work/home/data" \
    QT_QPA_PLATFORM=offscreen "$work/crontabagent" "$@"
}
check() { # description, expected number of note lines, expected minute/hour
  local table
  table=$(crontab -u "$user" -l 2>&1)
  if [[ "$table" != *"$own_jobs"* ]]; then
    echo "FAIL ($1): the user's own jobs changed:"; echo "$table"; failures=$((failures + 1)); return
  fi
  local count
  count=$(grep -c "zib-notes-notify $note" <<<"$table")
  if [ "$count" -ne "$2" ]; then
    echo "FAIL ($1): $count lines of $note, expected $2:"; echo "$table"; failures=$((failures + 1)); return
  fi
  if [ -n "${3:-}" ] && ! grep -q "^$3 .*zib-notes-notify $note\$" <<<"$table"; then
    echo "FAIL ($1): no line starting with '$3':"; echo "$table"; failures=$((failures + 1)); return
  fi
  echo "ok - $1"
}

note=$(run_agent add) || { echo "FAIL: the agent could not add a note"; exit 1; }
check "adding a note with a reminder" 1 "30 7 \* \* \*"
run_agent change "$note"; check "changing the reminder time" 1 "45 8 \* \* \*"
run_agent off "$note"; check "switching the reminder off" 0
run_agent on "$note"; check "switching a weekly reminder on" 1 "15 9 \* \* [1-7]"

# A crontab that refuses the user: the edit must not wipe the table.
before=$(crontab -u "$user" -l)
echo "$user" >>"$deny"
run_agent change "$note"
run_agent off "$note"
if [ -n "$deny_backup" ]; then cp "$deny_backup" "$deny"; else rm -f "$deny"; fi
after=$(crontab -u "$user" -l)
if [ "$before" != "$after" ]; then
  echo "FAIL: a failing crontab changed the table:"; diff <(echo "$before") <(echo "$after"); failures=$((failures + 1))
else
  echo "ok - a failing crontab loses nothing"
fi

# The note's settings moved on while crontab failed; the next save puts it right.
run_agent on "$note"; check "saving again once crontab works" 1 "15 9 \* \* [1-7]"
run_agent remove "$note"; check "removing the note" 0

# Several processes editing reminders at once, over a table with bytes no
# text-minded edit survives and more than fits into one argument.
if [ -n "$stress" ]; then
  user_table="$work/user-table"
  {
    printf '  0 5 * * * echo lead  \n'
    printf '# r\xe9union \xff\n'
    printf '# nul\0here\n'
    printf '0 6 * * * printf "%%s\\n" "100%%" \x27q\x27 \\\\ `id` $(date)\n'
    printf '# 30 7 * * * export QT_QPA_PLATFORMTHEME=zib && export XDG_CURRENT_DESKTOP=zib && export DISPLAY=:0 && zib-notes-notify 1.note\n'
    printf 'MAILTO=""\n\n'
    printf "# filler %d $(printf '%060d' 0)\\n" $(seq 2000)
    printf '59 23 * * * echo last \t  \n'
  } >"$user_table"
  chmod 644 "$user_table"
  crontab -u "$user" - <"$user_table" || { echo "FAIL: could not install the user's table"; exit 1; }
  echo "user table: $(stat -c %s "$user_table") bytes"
  run_stress() {
    runuser -u "$user" -- env -i PATH=/usr/bin:/bin HOME="$work/home" XDG_DATA_HOME="$work/home/stress" \
      QT_QPA_PLATFORM=offscreen "$work/cronstress" "$@"
  }
  start=$(date +%s%N)
  run_stress setup 24
  echo "24 notes set up in $((($(date +%s%N) - start) / 1000000)) ms"
  for processes in 2 3; do
    rounds=$((100 / processes))
    start=$(date +%s%N)
    pids=()
    for ((i = 0; i < processes; i++)); do
      run_stress edit $((i * 24 / processes + 1)) $(((i + 1) * 24 / processes)) "$rounds" "$((processes * 10 + i))" &
      pids+=($!)
    done
    for pid in "${pids[@]}"; do wait "$pid" || { echo "FAIL: an editing process failed"; failures=$((failures + 1)); }; done
    result=$(run_stress check "$user_table")
    echo "$processes processes x $rounds edits in $((($(date +%s%N) - start) / 1000000)) ms: $result"
    if [[ "$result" != "user-lines=same missing=0 stray=0 "* ]]; then
      echo "FAIL: $processes processes at once"; failures=$((failures + 1))
    else
      echo "ok - $processes processes at once"
    fi
  done
fi

echo "$failures failed"
[ "$failures" -eq 0 ]
