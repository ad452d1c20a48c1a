#!/usr/bin/env bash
# Ctrl+C on a real console while a tool runs: tmux gives Wine a terminal, send-keys types the
# interrupt once the stand-in tool says it is waiting. The tool receives it and ends as it
# chooses; the program outlives it, removes its temporary files and ends with
# STATUS_CONTROL_C_EXIT, whatever the tool ended with. A second Ctrl+C ends a tool that ignores
# the first, with the programs it started; a killed program takes them with it too. Before any
# tool has started, Ctrl+C ends the run at once and takes the copies made so far with it.
# Usage: interrupt.sh KESTRUNE_EXE   (exit 77: skipped, tmux missing)
set -euo pipefail
shopt -s extglob
source "$(dirname "${BASH_SOURCE[0]}")/tmux_console.sh" "$1" interrupt
bin=$(dirname "$exe")

# One installation whose bds.exe, DCC32.exe and MSBuild.exe are the stand-in (MSBuild.exe
# reached through the rsvars script), and a project to patch.
fake_installation "$work/ide" "$bin/fake_tool.exe" bin/bds.exe bin/DCC32.exe msbuild/MSBuild.exe
mkdir -p "$work/project"
small_project >"$work/project/Project1.dproj"
printf 'Build stopped\r\n' >"$work/bds-log.txt"
{
  reg_replace_installations
  reg_installation 23.0 "$(winpath "$work/ide")"
} >"$work/fixture.reg"
"$wine_run" regedit.exe /S "$(winpath "$work/fixture.reg")" >/dev/null 2>&1

tool_waits() { [ -e "$work/waiting" ]; }
tool_ended() { [ ! -e "$work/waiting" ] && [ ! -e "$work/waiting.child" ]; }
tool_and_child_wait() { [ -e "$work/waiting" ] && [ -e "$work/waiting.child" ]; }
# The first member's copy, whatever its random name.
first_copy_made() { compgen -G "$work/project/members/M0001.*.dproj" >/dev/null; }
is_original() {  # NAME: a file the test made, not one the program left
  case "$1" in Project1.dproj | All.groupproj | M[0-9][0-9][0-9][0-9].dproj) return 0 ;; *) return 1 ;; esac
}

# STATUS_CONTROL_C_EXIT (0xC000013A) as the shell sees a Windows program's status: Wine hands
# on only its low byte, so a status that merely ends in 0x3A would pass too.
control_c_exit=58
# The line on standard error that says a tool TOOL ended so.
ctrl_c_line() { echo "Error: $1 failed with exit status 3221225786 (0xC000013A)"; }

# SCENARIO PRESSES STATUS STDOUT_PATTERN STDERR_PATTERN ARGS...: runs the program in the
# project directory with the stand-in waiting for an interrupt (it then ends with status
# $tool_exit, and with $tool_env added to its environment), types Ctrl+C PRESSES times once it
# waits (the program must still run after each press but the last), or with PRESSES "kill"
# kills the program instead, and checks the status, standard output and error, that the
# stand-in has ended too, that the project directory holds nothing but the project and that
# the bds.exe log named on the tool's command line is gone.
# The first press comes once the command $ready succeeds.
tool_exit=3 tool_env=() ready=tool_waits
scenario() {
  scenario=$1 presses=$2 expected_status=$3 expected=$4 expected_err=$5
  shift 5
  rm -f "$work/out" "$work/err" "$work/status" "$work/pid" "$work/waiting" "$work/waiting.child" "$work/tools.log"
  local file
  while IFS= read -r -d '' file; do is_original "${file##*/}" || rm -f "$file"; done < <(find "$work/project" -type f -print0)
  local command
  # The subshell becomes the program, so its process id is the program's.
  command="cd $(printf '%q' "$work/project") && (echo \$BASHPID >$(printf '%q' "$work/pid"); exec $(printf '%q ' env \
    KESTRUNE_FAKE_WAIT="$(winpath "$work/waiting")" KESTRUNE_FAKE_EXIT="$tool_exit" ${tool_env[@]+"${tool_env[@]}"} \
    KESTRUNE_FAKE_LOG="$(winpath "$work/tools.log")" KESTRUNE_FAKE_BDS_LOG="$(winpath "$work/bds-log.txt")" \
    KESTRUNE_FAKE_BDS_LOCAL=1 "$wine_run" "$exe" "$@"))"
  command+=">$(printf '%q' "$work/out") 2>$(printf '%q' "$work/err"); echo \$? >$(printf '%q' "$work/status"); sleep 600"
  "${tmux_[@]}" new-session -d -s "$session" -x 120 -y 30 "$command"
  if ! wait_until "$ready"; then
    fail "$ready: not within 30 s"
  else
    local press
    [ "$presses" != kill ] || kill -KILL "$(cat "$work/pid")"
    for press in $(seq "${presses//kill/0}"); do
      "${tmux_[@]}" send-keys -t "$session" C-c
      if [ "$press" -lt "$presses" ]; then
        sleep 1
        [ ! -s "$work/status" ] || fail "the program ended on Ctrl+C number $press"
      fi
    done
    if ! wait_until program_ended; then
      fail "the program did not end"
    else
      [ "$(cat "$work/status")" = "$expected_status" ] ||
        fail "exit status $(cat "$work/status"), expected $expected_status"
      [[ "$(cat "$work/out")" == $expected ]] || fail "stdout '$(cat "$work/out")', expected '$expected'"
      [[ "$(cat "$work/err")" == $expected_err ]] || fail "stderr '$(cat "$work/err")', expected '$expected_err'"
      wait_until tool_ended || fail "the stand-in still runs"
      local left=()
      while IFS= read -r -d '' file; do is_original "${file##*/}" || left+=("${file#"$work/project/"}"); done \
        < <(find "$work/project" -type f -print0)
      [ ${#left[@]} = 0 ] || fail "the project directory holds: ${left[*]}"
      local log=""  # none when no tool started
      [ ! -e "$work/tools.log" ] || log=$(sed -n 's/^command line: .*-o"\([^"]*\)".*/\1/p' "$work/tools.log" | tr -d '\r')
      if [ -n "$log" ]; then
        local unix_log
        unix_log=$("$wine_run" winepath.exe -u "$log" 2>/dev/null | tr -d '\r')
        if [ -z "$unix_log" ] || [ -e "$unix_log" ]; then
          fail "the bds.exe log $log is still there"
          [ -n "$unix_log" ] && rm -f "$unix_log"
        fi
      fi
    fi
  fi
  "${tmux_[@]}" kill-session -t "$session" 2>/dev/null || true
}

# Whatever a tool ends with on Ctrl+C, an interrupted build is neither a successful nor a
# failed one: a status of its own,
scenario "bds on a patched copy" 1 "$control_c_exit" \
  $'Starting bds.exe and building...\nbds.exe interrupted\nBuild stopped' "$(ctrl_c_line bds.exe)" \
  bds Project1.dproj -c Release
scenario "a compiler" 1 "$control_c_exit" 'DCC32.exe interrupted' "$(ctrl_c_line DCC32.exe)" dcc32 Project1.dpr
# or 0.
tool_exit=0
scenario "bds ending with 0" 1 "$control_c_exit" \
  $'Starting bds.exe and building...\nbds.exe interrupted\nBuild stopped' "$(ctrl_c_line bds.exe)" \
  bds Project1.dproj -c Release
# cmd.exe may end on it before MSBuild.exe has said anything.
scenario "MSBuild through cmd.exe" 1 "$control_c_exit" '?(MSBuild.exe interrupted)' "$(ctrl_c_line MSBuild.exe)" \
  build Project1.dproj -c Release
# A tool that ignores Ctrl+C, as bds.exe, which is not attached to the console, never sees it:
# the second press ends it.
tool_env=(KESTRUNE_FAKE_IGNORE_CTRL_C=1)
scenario "bds ignoring Ctrl+C" 2 "$control_c_exit" $'Starting bds.exe and building...\nBuild stopped' \
  "$(ctrl_c_line bds.exe)" bds Project1.dproj -c Release
# The whole tree that the tool started ends with it: a program of the tool's own,
tool_env=(KESTRUNE_FAKE_IGNORE_CTRL_C=1 KESTRUNE_FAKE_SPAWN="$(winpath "$work/ide/msbuild/MSBuild.exe")")
ready=tool_and_child_wait scenario "bds and a program of its own ignoring Ctrl+C" 2 "$control_c_exit" \
  $'Starting bds.exe and building...\nBuild stopped' "$(ctrl_c_line bds.exe)" bds Project1.dproj -c Release
# MSBuild.exe when cmd.exe, which started it, ends on the first Ctrl+C (as Wine's does),
tool_env=(KESTRUNE_FAKE_IGNORE_CTRL_C=1)
scenario "MSBuild ignoring Ctrl+C" 1 "$control_c_exit" '' "$(ctrl_c_line MSBuild.exe)" build Project1.dproj
# and every one of them when the program itself is killed.
scenario "the program killed" kill 137 '' '' build Project1.dproj
# Ctrl+C while the copies of a large group are being written, before any tool has started:
# the run ends at once, as without the program's own handler, and the copies made so far go.
tool_env=() ready=first_copy_made
mkdir -p "$work/project/members"
member=$(<"$work/project/Project1.dproj")
{
  echo '<Project xmlns="http://schemas.microsoft.com/developer/msbuild/2003"><ItemGroup>'
  for i in $(seq -w 3000); do
    printf '%s\n' "$member" >"$work/project/members/M$i.dproj"
    echo "<Projects Include=\"members\\M$i.dproj\"/>"
  done
  echo '</ItemGroup></Project>'
} >"$work/project/All.groupproj"
scenario "a group being patched" 1 "$control_c_exit" '' '' bds All.groupproj -c Release
if [ -s "$work/tools.log" ]; then fail "the tool started: the copies were all written before the press"; fi
[ "$failures" = 0 ] || { echo "$failures failure(s)"; exit 1; }
echo "interrupt: all scenarios passed"
