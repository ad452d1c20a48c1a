# Helpers that the scripts source; not a command of its own.

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

# An absolute path as Windows programs under Wine see it (drive Z: is the Unix root).
winpath() { printf 'Z:%s' "${1//\//\\}"; }

# The lines of a .reg file that delete every installation of the IDE, under all three vendors.
reg_delete_installations() {
  local vendor
  for vendor in Borland CodeGear Embarcadero; do printf '[-HKEY_CURRENT_USER\\Software\\%s\\BDS]\r\n\r\n' "$vendor"; done
}

# A text as a .reg file writes a string value: in double quotes, backslashes and quotes escaped.
reg_text() { local t=${1//\\/\\\\}; printf '"%s"' "${t//\"/\\\"}"; }
