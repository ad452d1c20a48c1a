# Helpers that the scripts and the shell tests source; not a command of its own.

# Runs CLEANUP, a command text, when the script ends: normally, on an error, or when it is
# interrupted or stopped.
on_exit() {  # cleanup
  trap "$1" EXIT
  trap 'exit 130' INT
  trap 'exit 143' TERM
}

# Stops the wineserver of a Wine prefix, and with it every Wine process of that prefix.
stop_wineserver() {  # prefix
  if [ -d "$1" ]; then WINEPREFIX="$1" wineserver -k 2>/dev/null || true; fi
}

# The Wine prefix of a script that replaces the IDE's registry trees (HKCU\Software\...\BDS)
# in it, directly or through the tests it runs: KESTRUNE_WINEPREFIX when set, DEFAULT when not.
# A set KESTRUNE_WINEPREFIX must lead, once its symbolic links are followed, into this
# repository (or to DEFAULT itself), so that no script ever clears the user's own prefix;
# otherwise the script stops with status 2. Sets prefix to the absolute path and exports it as
# KESTRUNE_WINEPREFIX, so that every program the script starts uses that one prefix.
require_repo_prefix() {  # default
  local repo default
  # Both sides physical: the repository may be reached through a symbolic link.
  repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd -P)
  default=$(realpath -m "$1")
  prefix=$default
  if [ -n "${KESTRUNE_WINEPREFIX:-}" ]; then
    prefix=$(realpath -m "$KESTRUNE_WINEPREFIX")
    case "$prefix" in
      "$default" | "$repo"/*) ;;
      *)
        local shown=$KESTRUNE_WINEPREFIX
        [ "$shown" = "$prefix" ] || shown+=" (that is, $prefix)"
        echo "scripts/${0##*/}: refusing KESTRUNE_WINEPREFIX=$shown: it is not a folder inside this repository." >&2
        echo "What scripts/${0##*/} runs replaces the IDE registry trees (HKCU\\Software\\...\\BDS) of its Wine prefix, so it" >&2
        echo "only uses a prefix inside $repo. Unset KESTRUNE_WINEPREFIX to use ${default#"$repo"/}." >&2
        exit 2
        ;;
    esac
  fi
  export KESTRUNE_WINEPREFIX="$prefix"
}

# An absolute path as Windows programs under Wine see it (drive Z: is the Unix root).
winpath() { printf 'Z:%s' "${1//\//\\}"; }

# TEXT as a quoted string value of a .reg file: backslashes and quotes escaped.
reg_string() { local t=${1//\\/\\\\}; printf '"%s"' "${t//\"/\\\"}"; }

# The head of a .reg file that replaces every installation of the IDE: it deletes the IDE's
# registry trees under all three vendors, and the keys that follow in the file are all that
# is left.
reg_replace_installations() {
  local vendor
  printf 'Windows Registry Editor Version 5.00\r\n\r\n'
  for vendor in Borland CodeGear Embarcadero; do printf '[-HKEY_CURRENT_USER\\Software\\%s\\BDS]\r\n\r\n' "$vendor"; done
}

# The .reg lines of one installation of the IDE with the Delphi personality: VERSION's key,
# RootDir ROOT (a Windows path) and App ROOT\bin\bds.exe. More values of the same keys may
# follow in keys of their own.
reg_installation() {  # version root
  local key="HKEY_CURRENT_USER\\Software\\Embarcadero\\BDS\\$1"
  printf '[%s]\r\n"RootDir"=%s\r\n"App"=%s\r\n\r\n' "$key" "$(reg_string "$2\\")" "$(reg_string "$2\\bin\\bds.exe")"
  printf '[%s\\Personalities]\r\n"Delphi.Win32"="Delphi"\r\n\r\n' "$key"
}

# A fake installation of the IDE in ROOT, as the demo, the benchmark and the shell tests lay it
# out: FAKE_TOOL (the stand-in, fake_tool.exe) copied to each TOOL, a path relative to ROOT such
# as bin/DCC32.exe or msbuild/MSBuild.exe, and in bin and in bin64, when a tool is there, the
# installation's rsvars script (rsvars.bat, rsvars64.bat). As an installation's own scripts do,
# it sets BDS and BDSBIN and puts ROOT\msbuild first on PATH, so that MSBuild.exe is found there.
fake_installation() {  # root fake_tool tool...
  local root=$1 fake_tool=$2 tool bin root_w
  shift 2
  for tool; do
    mkdir -p "$root/$(dirname "$tool")"
    cp "$fake_tool" "$root/$tool"
  done
  root_w=$(winpath "$root")
  for bin in bin bin64; do
    [ -d "$root/$bin" ] || continue
    printf '@SET BDS=%s\r\n@SET BDSBIN=%s\\%s\r\n@SET PATH=%s\\msbuild;%%PATH%%\r\n' "$root_w" "$root_w" "$bin" "$root_w" \
      >"$root/$bin/rsvars${bin#bin}.bat"
  done
}

# A small project of the IDE's with nothing but its defaults (Debug, Win32), and MainSource
# when MAIN_SOURCE is given; without the closing tag when --open comes first, for more to follow.
small_project() {  # [--open] [main_source]
  local open=0
  if [ "${1:-}" = --open ]; then open=1; shift; fi
  echo '<Project xmlns="http://schemas.microsoft.com/developer/msbuild/2003">'
  echo '    <PropertyGroup>'
  [ -z "${1:-}" ] || echo "        <MainSource>$1</MainSource>"
  echo "        <Config Condition=\"'\$(Config)'==''\">Debug</Config>"
  echo "        <Platform Condition=\"'\$(Platform)'==''\">Win32</Platform>"
  echo '    </PropertyGroup>'
  echo "    <PropertyGroup Condition=\"'\$(Base)'!=''\"/>"
  [ "$open" = 1 ] || echo '</Project>'
}

# A Wine prefix of the script's own, DIR, for everything it starts, whatever KESTRUNE_WINEPREFIX
# says: the installations written there never mix with the demo's or the tests', and the
# user's own prefix is never touched. Wine's messages are off; its wineserver stops when the
# script ends.
use_own_prefix() {  # dir
  export WINEPREFIX="$1" KESTRUNE_WINEPREFIX="$1"
  export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
  on_exit 'stop_wineserver "$WINEPREFIX"'
}
