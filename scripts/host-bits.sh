# Sourced by the scripts that must know, before anything is installed,
# whether this Linux host starts 32-bit x86 programs: VELO_HOST_BITS=32 or
# 64 (already set: taken as it is).
#
# The kernel is asked the one question that matters by being given a 32-bit
# program: a 93-byte i386 ELF, written here from its bytes, that only exits
# with status 42. A kernel without 32-bit emulation (or with it switched off
# at boot) refuses it with "Exec format error"; any other outcome but 42
# means the same. Reading kernel configuration instead would miss the
# boot-time switch. A 32-bit program that runs only through a user-mode
# emulator registered with binfmt_misc does not count: 32-bit Wine is far
# too slow there to be of use.

velo_host_bits_probe() {
  local dir=$1 probe=$1/i386-exit-42
  mkdir -p "$dir" || return 1
  # ELF header: 32-bit, little-endian, executable, i386, entry 0x08048054,
  # one program header at offset 52.
  printf '\177ELF\001\001\001\000\000\000\000\000\000\000\000\000' >"$probe"
  printf '\002\000\003\000\001\000\000\000\124\200\004\010\064\000\000\000' >>"$probe"
  printf '\000\000\000\000\000\000\000\000\064\000\040\000\001\000\050\000' >>"$probe"
  printf '\000\000\000\000' >>"$probe"
  # One loadable segment: the whole file at 0x08048000, readable, executable.
  printf '\001\000\000\000\000\000\000\000\000\200\004\010\000\200\004\010' >>"$probe"
  printf '\135\000\000\000\135\000\000\000\005\000\000\000\000\020\000\000' >>"$probe"
  # xor eax,eax; inc eax; xor ebx,ebx; mov bl,42; int 0x80 (exit(42))
  printf '\061\300\100\061\333\263\052\315\200' >>"$probe"
  chmod +x "$probe"
  "$probe" 2>/dev/null
  [ $? -eq 42 ]
}

velo_i386_emulated() {
  local entry
  for entry in /proc/sys/fs/binfmt_misc/*; do
    [ -f "$entry" ] || continue
    grep -qx enabled "$entry" 2>/dev/null || continue
    # 32-bit little-endian ELF whose e_machine is 3 (i386) or 6 (i486).
    grep -Eq '^magic 7f454c4601.{26}(0300|0600)' "$entry" && return 0
  done
  return 1
}

if [ -z "${VELO_HOST_BITS:-}" ]; then
  velo_probe_dir=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)/build/host-probe
  if velo_host_bits_probe "$velo_probe_dir" && ! velo_i386_emulated; then
    VELO_HOST_BITS=32
  else
    VELO_HOST_BITS=64
  fi
fi
export VELO_HOST_BITS
