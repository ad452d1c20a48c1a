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
