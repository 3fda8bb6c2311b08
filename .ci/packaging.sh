#!/usr/bin/env bash
# Packaging checks, run as root on a fresh Debian after the main build: install into a temporary prefix, validate
# the desktop entries, build the Debian package and inspect it, install it with apt, and remove it again.
# Usage: .ci/packaging.sh BUILD_DIR
set -uo pipefail
export LC_ALL=C DEBIAN_FRONTEND=noninteractive

[[ $# -eq 1 && -d $1 ]] || { echo "usage: $0 BUILD_DIR" >&2; exit 2; }
build=$(cd "$1" && pwd)
repo=$(cd "$(dirname "$0")/.." && pwd)
manifest=$build/packaging/installed-files.txt
checkTree=$repo/packaging/check_install_tree.sh
package=cdr55p4w-config
work=$(mktemp -d)
accessHelper=lib/udev/cdr55p4w-hidraw-access
passed=0
failed=0

summary() { echo "packaging: $passed passed, $failed failed"; }

installedByThisRun=false

cleanUp() {
  # A package left behind by a failed run would stop the next one.
  if $installedByThisRun && ! isPackageGone; then
    dpkg -P "$package" >/dev/null 2>&1
  fi
  rm -rf "$work"
}
trap cleanUp EXIT

# check DESCRIPTION COMMAND...: runs COMMAND and counts the outcome; its output is shown only when it fails.
check() {
  local description=$1 output
  shift
  if output=$("$@" 2>&1); then
    echo "ok    $description"
    passed=$((passed + 1))
  else
    echo "FAIL  $description"
    [[ -n $output ]] && sed 's/^/      /' <<<"$output"
    failed=$((failed + 1))
    return 1
  fi
}

# require DESCRIPTION COMMAND...: as check, but the later steps depend on it.
require() {
  check "$@" || { echo "packaging: stopped, the remaining checks depend on this step"; summary; exit 1; }
}

programs() { sed -n 's|^755 bin/||p' "$manifest"; }
desktopEntries() { sed -n 's|^644 \(share/applications/.*\.desktop\)$|\1|p' "$manifest"; }

# Lists the regular files of the installed package as "MODE PATH", PATH relative to /.
installedPackageFiles() {
  dpkg-query -L "$package" | while IFS= read -r path; do
    if [[ -f $path && ! -L $path ]]; then stat -c '%a %n' "$path"; fi
  done | sed 's| /| |'
}

installedFilesMatch() { installedPackageFiles | "$checkTree" "$manifest" usr/; }

hasField() { dpkg-deb -f "$1" "$2" | grep -Eq "(^|, )$3( |,|$)"; }
allOwnedByRoot() { dpkg-deb -c "$1" | awk '$2 != "root/root" { print; bad = 1 } END { exit bad }'; }
isElfExecutable() { file -b "$1" | grep -q '^ELF .*executable'; }
resolvesAllLibraries() { ldd "$1" && ! ldd "$1" | grep -q 'not found'; }
# A window program runs until it is closed: it has started when it is still running
# after a few seconds on the offscreen platform (timeout's status 124), instead of having exited or crashed.
keepsRunning() {
  local status=0
  QT_QPA_PLATFORM=offscreen timeout 3 "$1" || status=$?
  [[ $status -eq 124 ]]
}
# The command-line tool answers a version query of its virtual reader and exits.
answersVersion() {
  local answer
  answer=$(CDR55P4W_SIMULATION_STATE="$work/simulated-reader" "$1" --simulate version) &&
    [[ $answer == 1.05 ]] || { echo "$1 --simulate version answered '$answer'"; return 1; }
}
# The access helper grants a node with a vendor-defined collection (status 0) and refuses one that is only a
# keyboard (status 1).
printf '\x06\x00\xff\x09\x01\xa1\x01\x75\x08\x95\x01\x81\x02\xc0' >"$work/vendor-defined.desc"
printf '\x05\x01\x09\x06\xa1\x01\x75\x08\x95\x01\x81\x02\xc0' >"$work/keyboard.desc"
exitsWith() {
  local expected=$1 status=0
  shift
  "$@" || status=$?
  [[ $status -eq $expected ]] || { echo "$* exited with $status, not $expected"; return 1; }
}
judgesDescriptors() { exitsWith 0 "$1" "$work/vendor-defined.desc" && exitsWith 1 "$1" "$work/keyboard.desc"; }
execOfEntry() { sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$1"; }
isPackageGone() {
  local status
  status=$(dpkg-query -W -f='${db:Status-Status}' "$package" 2>/dev/null)
  [[ -z $status || $status == not-installed ]]
}

isAbsentFromUsr() {
  local mode path
  while read -r mode path; do
    if [[ -e /usr/$path ]]; then echo "still there: /usr/$path"; return 1; fi
  done <"$manifest"
}

entryRunsAProgram() {
  local program
  program=$(execOfEntry "$1")
  grep -qx "755 bin/$program" "$manifest" || { echo "Exec=$program is not an installed program"; return 1; }
}

echo "== tools"
require "install desktop-file-utils, dpkg-dev, file" \
  sh -c 'apt-get update -qq && apt-get install -y -qq --no-install-recommends desktop-file-utils dpkg-dev file'
require "the build has the install manifest $manifest" test -s "$manifest"
require "the manifest lists the program bin/$package" grep -qx "755 bin/$package" "$manifest"
require "$package is not installed before the run" isPackageGone

echo "== install into a temporary prefix"
prefix=$work/prefix
require "cmake --install into $prefix" cmake --install "$build" --prefix "$prefix"
check "every file where it belongs, nothing else" "$checkTree" "$manifest" "" "$prefix"
for program in $(programs); do
  check "bin/$program is an ELF executable" isElfExecutable "$prefix/bin/$program"
done
check "$accessHelper is an ELF executable" isElfExecutable "$prefix/$accessHelper"
check "$accessHelper grants a vendor-defined collection, not a keyboard" judgesDescriptors "$prefix/$accessHelper"
for entry in $(desktopEntries); do
  check "desktop-file-validate $(basename "$entry")" desktop-file-validate "$prefix/$entry"
  check "$(basename "$entry") starts an installed program" entryRunsAProgram "$prefix/$entry"
done

echo "== Debian package"
require "cpack -G DEB" cpack --config "$build/CPackConfig.cmake" -G DEB -B "$work/cpack"
debs=("$work"/cpack/*.deb)
require "cpack made one package" test "${#debs[@]}" -eq 1 -a -f "${debs[0]}"
deb=${debs[0]}
echo "      $(basename "$deb")"
check "package name is $package" test "$(dpkg-deb -f "$deb" Package)" = "$package"
check "architecture is $(dpkg --print-architecture)" \
  test "$(dpkg-deb -f "$deb" Architecture)" = "$(dpkg --print-architecture)"
check "Depends names libqt6widgets6" hasField "$deb" Depends libqt6widgets6
check "Recommends names fonts-nanum" hasField "$deb" Recommends fonts-nanum
check "every entry of dpkg-deb -c is owned by root/root" allOwnedByRoot "$deb"
dpkg-deb -x "$deb" "$work/contents"
check "package contents match the manifest under /usr" "$checkTree" "$manifest" usr/ "$work/contents"
dpkg-deb -e "$deb" "$work/control"
for script in postinst postrm; do
  check "$script is an executable, valid shell script" \
    sh -c 'test -x "$1" && sh -n "$1"' sh "$work/control/$script"
done

echo "== install the package with apt"
installedByThisRun=true
require "apt-get install ./$(basename "$deb")" apt-get install -y -qq "$deb"
check "installed files match the manifest under /usr" installedFilesMatch
for program in $(programs); do
  check "/usr/bin/$program is executable" test -x "/usr/bin/$program"
  check "ldd resolves every library of /usr/bin/$program" resolvesAllLibraries "/usr/bin/$program"
  if [[ $program == cdr55p4w-cli ]]; then
    check "/usr/bin/$program answers a version query of its virtual reader" answersVersion "/usr/bin/$program"
  else
    check "/usr/bin/$program starts and keeps running" keepsRunning "/usr/bin/$program"
  fi
done

check "ldd resolves every library of /usr/$accessHelper" resolvesAllLibraries "/usr/$accessHelper"
check "/usr/$accessHelper grants a vendor-defined collection, not a keyboard" judgesDescriptors "/usr/$accessHelper"

echo "== remove the package"
check "apt-get remove" apt-get remove -y -qq "$package"
check "dpkg -P" dpkg -P "$package"
check "dpkg no longer knows the package" isPackageGone
check "its files are gone from /usr" isAbsentFromUsr

summary
((failed == 0))
