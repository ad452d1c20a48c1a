# Sourced by the tests that drive kestrune.exe on a real console, where tmux gives Wine a
# terminal: `source tmux_console.sh KESTRUNE_EXE NAME`. Skips the test (exit 77) where tmux is
# missing. Sets exe, wine_run (with the prefix that kestrune.exe's build directory uses, so the
# registry written here is the one it reads), work (a scratch directory), tmux_ (the command of
# a tmux server of the test's own), session (NAME: the session each scenario runs in) and
# failures, and brings the scripts' helpers (winpath, reg_string, ...) and the scenarios' own
# below; clears the IDE's registry keys now and again on exit, when the server and the scratch
# directory go too.
exe=$(realpath "$1")
repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
source "$repo/scripts/common.sh"
command -v tmux >/dev/null || { echo "tmux is not installed: skipped"; exit 77; }

case "$exe" in
  */build/*/bin/*) export KESTRUNE_WINEPREFIX="${KESTRUNE_WINEPREFIX:-${exe%/bin/*}/wineprefix}" ;;
esac
wine_run="$repo/cmake/wine-run"
work=$(mktemp -d)
tmux_=(tmux -L "kestrune-$2-$$" -f /dev/null)
failures=0

clear_registry() {
  reg_replace_installations >"$work/clear.reg"
  "$wine_run" regedit.exe /S "$(winpath "$work/clear.reg")" >/dev/null 2>&1 || true
}
cleanup() {
  "${tmux_[@]}" kill-server 2>/dev/null || true
  clear_registry
  rm -rf "$work"
}
on_exit cleanup
clear_registry

session=$2
# What the session's window shows now; -e keeps the colours.
pane() { "${tmux_[@]}" capture-pane -p -t "$session" "$@"; }
# Counts a failure of the current $scenario, with what the window shows.
fail() {
  echo "FAIL [$scenario]: $*"
  pane | grep -v '^$' | sed 's/^/  | /' || true
  failures=$((failures + 1))
}
wait_until() {  # COMMAND...: until it succeeds (30 s at most)
  for _ in $(seq 300); do
    "$@" && return 0
    sleep 0.1
  done
  return 1
}
# A scenario's command line writes the program's status to $work/status when it ends.
program_ended() { [ -s "$work/status" ]; }
