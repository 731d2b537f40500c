# Sourced by the scripts that build or run Windows programs: which width of
# Windows program this host runs under Wine, and where that build lives.
#
# A host whose kernel refuses 32-bit code cannot start 32-bit Wine at all;
# there every Windows program that must run is built a second time for
# 64-bit Windows (a "twin") and runs under 64-bit Wine. The shipped 32-bit
# files are built on every host. VELO_WINDOWS_BITS=32 or 64 chooses the way
# by hand; otherwise the host decides, once per run (the choice is exported
# to every script the run calls).
if [ -z "${VELO_WINDOWS_BITS:-}" ]; then
  # The i386 loader (installed with 32-bit Wine) starts in a millisecond
  # where 32-bit code runs, and is refused with "Exec format error" where
  # it does not.
  if /lib/ld-linux.so.2 --version >/dev/null 2>&1; then
    VELO_WINDOWS_BITS=32
  else
    VELO_WINDOWS_BITS=64
  fi
fi
case $VELO_WINDOWS_BITS in
  32) VELO_WIN_DIR=build/win VELO_WINTEST_DIR=build/wintest ;;
  64) VELO_WIN_DIR=build/win64 VELO_WINTEST_DIR=build/wintest64 ;;
  *) echo "VELO_WINDOWS_BITS must be 32 or 64, not '$VELO_WINDOWS_BITS'" >&2
     exit 2 ;;
esac
export VELO_WINDOWS_BITS VELO_WIN_DIR VELO_WINTEST_DIR

# The one line a run prints to say which way it goes.
windows_bits_line() {
  if [ "$VELO_WINDOWS_BITS" = 32 ]; then
    echo "Windows programs: the 32-bit builds under 32-bit Wine ($VELO_WIN_DIR, $VELO_WINTEST_DIR)"
  else
    echo "Windows programs: the 64-bit twins under 64-bit Wine ($VELO_WIN_DIR, $VELO_WINTEST_DIR);" \
      "the shipped 32-bit files are built in build/win and checked without running"
  fi
}
