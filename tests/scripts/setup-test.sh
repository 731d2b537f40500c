#!/usr/bin/env bash
# Tests of the decisions set-up takes on a fresh machine: a mirror that
# fails for a moment or for good, 32-bit Wine that cannot be installed, and
# a host that runs 64-bit code only. apt-get, dpkg and dpkg-query are
# stand-ins on the PATH that install nothing and log what they were asked.
# Writes its own report.
# Usage: tests/scripts/setup-test.sh REPORT.xml
set -uo pipefail
cd "$(dirname "$0")/../.."
source scripts/reports.sh
report=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# The stand-ins read their machine from $FAKE: installed (a package a line),
# arch (foreign architectures), update-failures (how many updates fail
# before one works; "always" for every one), refused (packages apt cannot
# install), and log what they are asked in $FAKE/log.
mkdir -p "$work/bin"
cat >"$work/bin/apt-get" <<'STANDIN'
#!/usr/bin/env bash
echo "apt-get $*" >>"$FAKE/log"
case $1 in
  update)
    failures=$(cat "$FAKE/update-failures" 2>/dev/null || echo 0)
    [ "$failures" = 0 ] && exit 0
    [ "$failures" = always ] || echo $((failures - 1)) >"$FAKE/update-failures"
    echo "E: Failed to fetch http://mirror/Packages.xz  File has unexpected size (1 != 2). Mirror sync in progress?"
    exit 100 ;;
  install)
    simulate= packages=()
    for word in "${@:2}"; do
      case $word in -s) simulate=yes ;; -*) ;; *) packages+=("$word") ;; esac
    done
    status=0
    for package in "${packages[@]}"; do
      if grep -qx "$package" "$FAKE/refused" 2>/dev/null; then
        echo "The following packages have unmet dependencies:"
        echo " $package : Depends: lib-$package (= 2) but it is not going to be installed"
        status=100
      fi
    done
    if [ $status -ne 0 ]; then
      echo "E: Unable to correct problems, you have held broken packages."
      exit $status
    fi
    [ -n "$simulate" ] || printf '%s\n' "${packages[@]}" >>"$FAKE/installed"
    exit 0 ;;
esac
exit 0
STANDIN
cat >"$work/bin/dpkg-query" <<'STANDIN'
#!/usr/bin/env bash
package=${!#}
grep -qx "$package" "$FAKE/installed" 2>/dev/null || exit 1
printf 'install ok installed'
STANDIN
cat >"$work/bin/dpkg" <<'STANDIN'
#!/usr/bin/env bash
echo "dpkg $*" >>"$FAKE/log"
case $1 in
  --print-foreign-architectures) cat "$FAKE/arch" 2>/dev/null ;;
  --add-architecture) echo "$2" >>"$FAKE/arch" ;;
esac
exit 0
STANDIN
chmod +x "$work/bin/"*

# Every package set-up asks for, read from its own lists.
all_packages=$(bash -c 'source <(sed -n "/^packages=(/,/^wine32=/p;/^twin_packages=/p" scripts/setup.sh)
  printf "%s\n" "${packages[@]}" "$wine32" "${twin_packages[@]}"')

# A machine for one case: a copy of the scripts (set-up writes under
# build/), and the stand-ins' state. Prints its folder.
machine() {  # name
  local dir=$work/$1
  mkdir -p "$dir/fake" "$dir/tree"
  cp -r scripts "$dir/tree/"
  echo "$dir"
}

# Runs set-up on a machine as a host of the given width; its output and
# exit status are left in the machine's folder.
run_setup() {  # machine folder, host bits
  PATH=$work/bin:$PATH FAKE=$1/fake VELO_HOST_BITS=$2 VELO_APT_RETRY_PAUSE=0 \
    VELO_WINDOWS_BITS= "$1/tree/scripts/setup.sh" >"$1/output" 2>&1
  echo $? >"$1/status"
}

# The line a later run prints to say which way it goes.
bits_line() {  # machine folder, host bits
  PATH=$work/bin:$PATH FAKE=$1/fake VELO_HOST_BITS=$2 bash -c \
    'unset VELO_WINDOWS_BITS VELO_WINDOWS_WHY; source "$1/tree/scripts/windows-bits.sh"; windows_bits_line' _ "$1"
}

# Failure messages of what a case expects, or nothing.
expect_status() {  # machine folder, status
  [ "$(cat "$1/status")" = "$2" ] ||
    echo "set-up exited $(cat "$1/status"), not $2: $(tail -n 3 "$1/output" | paste -sd ' ' -)."
}
expect_updates() {  # machine folder, count
  local count=$(grep -c '^apt-get update' "$1/fake/log")
  [ "$count" = "$2" ] || echo "apt-get update ran $count times, not $2."
}
expect_installed() {  # machine folder, packages...
  local dir=$1 package; shift
  for package in "$@"; do
    grep -qx "$package" "$dir/fake/installed" || echo "$package is not installed."
  done
}
expect_output() {  # machine folder, text
  grep -qF "$2" "$1/output" || echo "set-up does not say '$2'."
}
expect_no_i386() {  # machine folder
  ! grep -q i386 "$1/fake/log" || echo "i386 asked for: $(grep i386 "$1/fake/log" | head -n 1)."
}

common=(cmake nsis wine64 fonts-wine)
twins=(g++-mingw-w64-x86-64 binutils-mingw-w64-x86-64)

dir=$(machine update-once)
echo 1 >"$dir/fake/update-failures"
run_setup "$dir" 64
report_case Setup "a failed apt-get update is tried again and set-up goes on" \
  "$(expect_status "$dir" 0; expect_updates "$dir" 2; expect_installed "$dir" "${common[@]}" "${twins[@]}")"

dir=$(machine update-never)
echo always >"$dir/fake/update-failures"
run_setup "$dir" 64
report_case Setup "when apt-get update keeps failing, set-up installs from the lists apt has" \
  "$(expect_status "$dir" 0; expect_updates "$dir" 3
     expect_output "$dir" "going on with the package lists apt has"
     expect_installed "$dir" "${common[@]}" "${twins[@]}")"

dir=$(machine no-wine32)
echo wine32:i386 >"$dir/fake/refused"
run_setup "$dir" 32
report_case Setup "a host that runs 32-bit code but cannot install 32-bit Wine takes the twins and says why" \
  "$(expect_status "$dir" 0; expect_installed "$dir" "${common[@]}" "${twins[@]}"
     expect_output "$dir" "32-bit Wine could not be installed: wine32:i386 : Depends: lib-wine32:i386"
     grep -qx i386 "$dir/fake/arch" || echo "the i386 architecture was not added."
     line=$(bits_line "$dir" 32)
     grep -qF "64-bit twins" <<<"$line" && grep -qF "(32-bit Wine could not be installed: wine32:i386 : Depends" <<<"$line" ||
       echo "the run's line says '$line'.")"

dir=$(machine wine32)
run_setup "$dir" 32
report_case Setup "a host that runs 32-bit code gets 32-bit Wine and no twin compiler" \
  "$(expect_status "$dir" 0; expect_installed "$dir" "${common[@]}" wine32:i386
     ! grep -qx "${twins[0]}" "$dir/fake/installed" || echo "the twin compiler was installed."
     line=$(bits_line "$dir" 32)
     grep -qF "the 32-bit builds under 32-bit Wine" <<<"$line" || echo "the run's line says '$line'.")"

dir=$(machine only-64)
run_setup "$dir" 64
report_case Setup "a host that runs 64-bit code only never asks for i386" \
  "$(expect_status "$dir" 0; expect_no_i386 "$dir"; expect_installed "$dir" "${common[@]}" "${twins[@]}"
     line=$(bits_line "$dir" 64)
     grep -qF "(this host runs 64-bit code only)" <<<"$line" || echo "the run's line says '$line'.")"

dir=$(machine refused)
echo nsis >"$dir/fake/refused"
run_setup "$dir" 64
report_case Setup "a package apt cannot install stops set-up, named with apt's reason" \
  "$(expect_status "$dir" 1
     expect_output "$dir" "cannot install what Velocine needs: nsis : Depends: lib-nsis (= 2) but it is not going to be installed E: Unable to correct problems"
     ! grep -qx cmake "$dir/fake/installed" 2>/dev/null || echo "the other packages were installed without it.")"

dir=$(machine complete)
echo "$all_packages" >"$dir/fake/installed"
run_setup "$dir" 32
report_case Setup "on a machine that has everything, set-up asks apt nothing" \
  "$(expect_status "$dir" 0
     [ ! -s "$dir/fake/log" ] || echo "asked: $(head -n 1 "$dir/fake/log").")"

report_write "$report" setup-decisions
