# Sourced by the scripts that run Windows programs: a Wine prefix of the
# project's own, quiet, without the .NET and HTML engines it cannot download.
: "${VELO_WINEPREFIX:=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)/build/wineprefix}"
export WINEPREFIX=$VELO_WINEPREFIX
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES="mscoree=;mshtml=;winemenubuilder.exe=d"

# Creates the prefix once; later calls only see that it has Wine's fonts.
wine_prefix_ready() {
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    mkdir -p "$WINEPREFIX"
    wineboot --init >/dev/null 2>&1 || true
    wineserver -w
  fi
  wine_fonts_ready
}

# Wine's own fonts (Marlett draws the title-bar buttons; MS Sans Serif and
# Tahoma the dialogs) come with Debian's fonts-wine in /usr/share/wine/fonts,
# a folder Debian's Wine does not look in (it looks for its fonts beside
# that folder). Wine loads every font in the prefix's Fonts folder, so they
# are copied there; without them title bars show letters and dialogs a
# fallback font of other widths.
wine_fonts_ready() {
  local fonts=$WINEPREFIX/drive_c/windows/Fonts
  mkdir -p "$fonts"
  cp -u /usr/share/wine/fonts/* "$fonts/"
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
