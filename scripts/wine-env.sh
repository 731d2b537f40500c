# Sourced by the scripts that run Windows programs: a Wine prefix of the
# project's own, quiet, without the .NET and HTML engines it cannot download,
# and the Wine of the width this host runs (scripts/windows-bits.sh).
source "$(dirname "${BASH_SOURCE[0]}")/windows-bits.sh"
: "${VELO_WINEPREFIX:=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)/build/wineprefix}"
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES="mscoree=;mshtml=;winemenubuilder.exe=d"

if [ "$VELO_WINDOWS_BITS" = 64 ]; then
  # A 64-bit prefix of its own beside the 32-bit one, and "wine" (which
  # Debian's winepath and wineboot call as wine-stable) starting 64-bit
  # Wine directly: Debian's wine goes through the 32-bit loader whenever 32-bit
  # Wine is installed. Wine starts the programs a program starts with
  # WINELOADER.
  export WINEPREFIX=$VELO_WINEPREFIX-win64 WINEARCH=win64
  export WINELOADER=/usr/lib/wine/wine64
  velo_wine64_bin=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)/build/wine64-bin
  mkdir -p "$velo_wine64_bin"
  for velo_name in wine wine-stable; do
    printf '#!/bin/sh\nexec /usr/lib/wine/wine64 "$@"\n' >"$velo_wine64_bin/$velo_name"
    chmod +x "$velo_wine64_bin/$velo_name"
  done
  case ":$PATH:" in *":$velo_wine64_bin:"*) ;; *) export PATH=$velo_wine64_bin:$PATH ;; esac
else
  export WINEPREFIX=$VELO_WINEPREFIX
fi

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

# The Windows name of a file of this host, through the prefix's drive Z:
# (the root, as every prefix Wine creates has it). Unlike winepath it starts
# no Wine process: a name that came out empty would send a test's report
# somewhere else, and the stage would show as one that never ran.
windows_path() {  # file
  local path
  path=$(realpath -m "$1")
  printf 'Z:%s' "${path//\//\\}"
}

# Whether Wine starts programs at all in this prefix: a stage whose tests
# leave no report says why.
wine_starts() {
  wine cmd /c exit 0 >/dev/null 2>&1
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
