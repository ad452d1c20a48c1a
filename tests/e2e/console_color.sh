#!/usr/bin/env bash
# The parser's help and errors on a real console: tmux gives Wine a terminal, and what the
# program leaves on it shows whether its colours took effect there.
# Usage: console_color.sh KESTRUNE_EXE   (exit 77: skipped, tmux missing)
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/tmux_console.sh" "$1" color

# SCENARIO COLOURED ENV...: runs `kestrune --bogus` on the console with ENV and checks its
# status and whether the error label shows bright red.
scenario() {
  scenario=$1 coloured=$2
  shift 2
  rm -f "$work/status"
  local command
  command="$(printf '%q ' env -u NO_COLOR -u CLICOLOR -u CLICOLOR_FORCE "$@" "$wine_run" "$exe" --bogus); echo \$? >$(printf '%q' "$work/status"); sleep 600"
  "${tmux_[@]}" new-session -d -s "$session" -x 120 -y 30 "$command"
  if ! wait_until program_ended; then
    fail "the program did not end"
  else
    local red=0
    pane -e | grep -qF $'\e[91m' && red=1
    if [ "$(cat "$work/status")" != 2 ] || [ "$red" != "$coloured" ] || ! pane | grep -qF "error:"; then
      fail "status $(cat "$work/status"), bright red $red, expected $coloured"
    fi
  fi
  "${tmux_[@]}" kill-session -t "$session" 2>/dev/null || true
}

scenario "console" 1
scenario "NO_COLOR" 0 NO_COLOR=1
scenario "CLICOLOR=0" 0 CLICOLOR=0
[ "$failures" = 0 ] || { echo "$failures failure(s)"; exit 1; }
echo "console colour: all scenarios passed"
