#!/usr/bin/env bash
# Drives `kestrune.exe select` on a real console: tmux gives Wine a terminal, send-keys types
# on it, standard output goes to a file the way `$(kestrune select)` would capture it.
# Usage: select_prompt.sh KESTRUNE_EXE   (exit 77: skipped, tmux missing)
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/tmux_console.sh" "$1" select

# Three installations, oldest first: RAD Studio 2007, 11.1 Alexandria (with an update), 12 Athens.
cat >"$work/fixture.reg" <<'EOF'
REGEDIT4

[HKEY_CURRENT_USER\Software\CodeGear\BDS\5]

[HKEY_CURRENT_USER\Software\Embarcadero\BDS\22.0\InstalledUpdates]
"Main Product Update"="Update 1"

[HKEY_CURRENT_USER\Software\Embarcadero\BDS\23.0]
EOF
"$wine_run" reg import "$(winpath "$work/fixture.reg")" >/dev/null 2>&1

shows() { pane | grep -qF -- "$1"; }

# SCENARIO EXPECTED_STDOUT LEFT_LINE KEYS... -- ARGS...: runs the program with ARGS in a window
# of scenario_width columns (120 unless set), waits for its prompt, sends each key alone (Wine
# reads one escape sequence at a time), then checks standard output, the exit status, the
# colour (none when scenario_plain is set) and the line the prompt left on the console
# (none: the prompt was cancelled and must leave nothing); nothing else of the prompt may stay.
# EXPECTED_STDOUT "json:NAME" stands for a JSON array of the one installation named NAME.
scenario() {
  scenario=$1 expected=$2 left=$3
  shift 3
  local keys=()
  while [ "$1" != -- ]; do keys+=("$1"); shift; done
  shift
  rm -f "$work/out" "$work/status"
  local command
  command="$(printf '%q ' env ${scenario_env:-} "$wine_run" "$exe" "$@")>$(printf '%q' "$work/out"); echo \$? >$(printf '%q' "$work/status"); sleep 600"
  "${tmux_[@]}" new-session -d -s "$session" -x "${scenario_width:-120}" -y 30 "$command"
  if ! wait_until shows "to move,"; then
    fail "no prompt appeared"
  else
    # The option under the cursor is bright cyan, unless the environment asks for no colour.
    local colored=0
    pane -e | grep -qF $'\e[96m' && colored=1
    if [ -n "${scenario_plain:-}" ]; then
      [ "$colored" = 0 ] || fail "colour despite ${scenario_env:-}"
    else
      [ "$colored" = 1 ] || fail "no colour"
    fi
    for key in "${keys[@]}"; do
      "${tmux_[@]}" send-keys -t "$session" "$key"
      sleep 0.4
    done
    if ! wait_until program_ended; then
      fail "the program did not end"
    else
      [ "$(cat "$work/status")" = 0 ] || fail "exit status $(cat "$work/status")"
      local out
      out=$(cat "$work/out")
      if [[ "$expected" == json:* ]]; then
        [[ "$out" == "["$'\n'"  {"$'\n'"    \"is_known\": true,"* && "$out" == *$'\n'"  }"$'\n'"]" ]] || fail "stdout is no JSON array of one object: '$out'"
        [ "$(grep -c '"name":' <<<"$out")" = 1 ] && grep -qF "\"name\": \"${expected#json:}\"," <<<"$out" ||
          fail "stdout does not name ${expected#json:} alone: '$out'"
      else
        [ "$out" = "$expected" ] || fail "stdout '$out', expected '$expected'"
      fi
      # No line feed after the choice.
      [ "$(tail -c 1 "$work/out" | od -An -c | tr -d ' ')" != '\n' ] || fail "stdout ends with a line feed"
      if [ -z "$left" ]; then
        ! pane | grep -qF -- "?" || fail "a cancelled prompt left a line"
      elif [ -n "${scenario_width:-}" ]; then
        # Longer than the window: the console wraps it where it likes, so compare what shows
        # from the line on, rows joined and blanks aside.
        [ "$(pane | sed -n '/^? /,$p' | tr -d ' \n')" = "$(tr -d ' ' <<<"$left")" ] ||
          fail "the prompt did not leave '$left' whole"
      else
        pane | grep -qxF -- "$left" || fail "the prompt did not leave '$left'"
      fi
      [ -z "$left" ] || [ "$(pane | grep -c '^? ')" = 1 ] || fail "the prompt left more than its answered line"
    fi
  fi
  "${tmux_[@]}" kill-session -t "$session" 2>/dev/null || true
}

scenario "second installation" '"RAD Studio 11.1"' "? Pick one: RAD Studio 11.1 Alexandria" \
  Down Enter -- select "Pick one:"
scenario "two ticked" '"RAD Studio 2007" "RAD Studio 11.1"' \
  "? Select IDE: RAD Studio 2007, RAD Studio 11.1 Alexandria" Space Down Space Enter -- select -m
scenario_env=NO_COLOR=1 scenario_plain=1 scenario "escape" '' '' Escape -- select
# The colour policy of the help and error messages: CLICOLOR=0 and a dumb terminal turn it off,
# and CI turns it back on for a dumb terminal.
scenario_env=CLICOLOR=0 scenario_plain=1 scenario "CLICOLOR=0" '"RAD Studio 2007"' "? Select IDE: RAD Studio 2007" Enter -- select
scenario_env="-u CI -u CLICOLOR -u CLICOLOR_FORCE TERM=dumb" scenario_plain=1 scenario "dumb terminal" '"RAD Studio 2007"' "? Select IDE: RAD Studio 2007" Enter -- select
scenario_env="TERM=dumb CI=true" scenario "dumb terminal in CI" '"RAD Studio 2007"' "? Select IDE: RAD Studio 2007" Enter -- select
scenario "ctrl+c" '' '' Right C-c -- select --multi
scenario "nothing ticked" '[]' "? Select IDE:" Down Enter -- select -m --json
scenario "filtered" '"RAD Studio 12"' "? Select IDE: RAD Studio 12 Athens" a t h Enter -- select
scenario "json" 'json:RAD Studio 12' "? Select IDE: RAD Studio 12 Athens" 1 2 Enter -- select --json
scenario_width=40 scenario "all ticked, narrow window" '"RAD Studio 2007" "RAD Studio 11.1" "RAD Studio 12"' \
  "? Select IDE: RAD Studio 2007, RAD Studio 11.1 Alexandria, RAD Studio 12 Athens" Right Down Enter -- select -m
[ "$failures" = 0 ] || { echo "$failures failure(s)"; exit 1; }
echo "select prompt: all scenarios passed"
