# Sourced by the scripts that run Windows programs: a Wine prefix of the
# project's own, quiet, without the .NET and HTML engines it cannot download.
: "${VELO_WINEPREFIX:=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)/build/wineprefix}"
export WINEPREFIX=$VELO_WINEPREFIX
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES="mscoree=;mshtml=;winemenubuilder.exe=d"

# Creates the prefix once; later calls return at once.
wine_prefix_ready() {
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    mkdir -p "$WINEPREFIX"
    wineboot --init >/dev/null 2>&1 || true
    wineserver -w
  fi
}

# Which Windows the prefix reports to programs: win95 win98 winme nt40 win2k
# winxp win2003 vista, or "default" for Wine's own.
wine_set_version() {
  if [ "$1" = default ]; then
    wine reg delete 'HKCU\Software\Wine' /v Version /f >/dev/null 2>&1 || true
  else
    wine reg add 'HKCU\Software\Wine' /v Version /d "$1" /f >/dev/null 2>&1
  fi
}
