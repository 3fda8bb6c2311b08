#!/usr/bin/env bash
# Packaging checks, run as root on a fresh Debian after the main build: install into a temporary prefix, validate
# the desktop entries, build the two Debian packages (cdr55p4w-cli without Qt, cdr55p4w-config with the window
# programs) and inspect them with lintian, install them with apt, and remove them again.
# Usage: .ci/packaging.sh BUILD_DIR
set -uo pipefail
export LC_ALL=C DEBIAN_FRONTEND=noninteractive

[[ $# -eq 1 && -d $1 ]] || { echo "usage: $0 BUILD_DIR" >&2; exit 2; }
build=$(cd "$1" && pwd)
repo=$(cd "$(dirname "$0")/.." && pwd)
manifest=$build/packaging/installed-files.txt
checkTree=$repo/packaging/check_install_tree.sh
cliPackage=cdr55p4w-cli
windowPackage=cdr55p4w-config
packages=("$cliPackage" "$windowPackage")
manifestOf() { echo "$build/packaging/installed-files-$1.txt"; }
work=$(mktemp -d)
accessHelper=lib/udev/cdr55p4w-hidraw-access
passed=0
failed=0

summary() { echo "packaging: $passed passed, $failed failed"; }

installedByThisRun=false

cleanUp() {
  # A package left behind by a failed run would stop the next one.
  if $installedByThisRun; then
    for package in "$windowPackage" "$cliPackage"; do
      isPackageGone "$package" || dpkg -P "$package" >/dev/null 2>&1
    done
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

programs() { sed -n 's|^755 bin/||p' "${1:-$manifest}"; }
desktopEntries() { sed -n 's|^644 \(share/applications/.*\.desktop\)$|\1|p' "$manifest"; }

# Lists the regular files of the installed package PACKAGE as "MODE PATH", PATH relative to /.
installedPackageFiles() {
  dpkg-query -L "$1" | while IFS= read -r path; do
    if [[ -f $path && ! -L $path ]]; then stat -c '%a %n' "$path"; fi
  done | sed 's| /| |'
}

installedFilesMatch() { installedPackageFiles "$1" | "$checkTree" "$(manifestOf "$1")" usr/; }

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
# The access helper grants a node with a vendor-defined collection that takes output reports (status 0) and
# refuses one that is only a keyboard (status 1).
printf '\x06\x00\xff\x09\x01\xa1\x01\x75\x08\x95\x01\x81\x02\x91\x02\xc0' >"$work/vendor-defined.desc"
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
  status=$(dpkg-query -W -f='${db:Status-Status}' "$1" 2>/dev/null)
  [[ -z $status || $status == not-installed ]]
}
lacksField() { ! dpkg-deb -f "$1" "$2" | grep -Eiq "$3"; }
usesNoQt() { ! ldd "$1" | grep -iq qt; }
lintianClean() {
  local output
  output=$(lintian --fail-on error,warning "$1" 2>&1) || { echo "$output"; return 1; }
  ! grep -q '^[EW]:' <<<"$output" || { echo "$output"; return 1; }
}
# The group rule is offered, not active: udev reads neither /etc/udev/rules.d nor /usr/lib/udev/rules.d copies.
groupRuleInactive() { [[ ! -e /etc/udev/rules.d/71-cdr55p4w-group.rules && ! -e /usr/lib/udev/rules.d/71-cdr55p4w-group.rules ]]; }

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
require "install desktop-file-utils, dpkg-dev, file, lintian" \
  sh -c 'apt-get update -qq && apt-get install -y -qq --no-install-recommends desktop-file-utils dpkg-dev file lintian'
require "the build has the install manifest $manifest" test -s "$manifest"
for package in "${packages[@]}"; do
  require "the build has the list of $package" test -s "$(manifestOf "$package")"
  require "$package is not installed before the run" isPackageGone "$package"
done
require "the list of $cliPackage has bin/cdr55p4w-cli" grep -qx "755 bin/cdr55p4w-cli" "$(manifestOf "$cliPackage")"
require "the list of $windowPackage has bin/$windowPackage" grep -qx "755 bin/$windowPackage" \
  "$(manifestOf "$windowPackage")"

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

echo "== Debian packages"
require "cpack -G DEB" cpack --config "$build/CPackConfig.cmake" -G DEB -B "$work/cpack"
declare -A debOf
for package in "${packages[@]}"; do
  debs=("$work"/cpack/"${package}"_*.deb)
  require "cpack made the package $package" test "${#debs[@]}" -eq 1 -a -f "${debs[0]}"
  debOf[$package]=${debs[0]}
  deb=${debs[0]}
  echo "      $(basename "$deb")"
  check "$package: architecture is $(dpkg --print-architecture)" \
    test "$(dpkg-deb -f "$deb" Architecture)" = "$(dpkg --print-architecture)"
  check "$package: every entry of dpkg-deb -c is owned by root/root" allOwnedByRoot "$deb"
  dpkg-deb -x "$deb" "$work/contents-$package"
  check "$package: contents match its list under /usr" "$checkTree" "$(manifestOf "$package")" usr/ \
    "$work/contents-$package"
  check "$package: lintian reports no error or warning" lintianClean "$deb"
done
version=$(dpkg-deb -f "${debOf[$cliPackage]}" Version)
check "$cliPackage: Depends names no Qt library" lacksField "${debOf[$cliPackage]}" Depends qt
check "$windowPackage: Depends names $cliPackage (= $version)" \
  hasField "${debOf[$windowPackage]}" Depends "$cliPackage \\(= $version\\)"
check "$windowPackage: Depends names libqt6widgets6" hasField "${debOf[$windowPackage]}" Depends libqt6widgets6
check "$windowPackage: Recommends names fonts-nanum" hasField "${debOf[$windowPackage]}" Recommends fonts-nanum
dpkg-deb -e "${debOf[$cliPackage]}" "$work/control"
for script in postinst postrm; do
  check "$cliPackage: $script is an executable, valid shell script" \
    sh -c 'test -x "$1" && sh -n "$1"' sh "$work/control/$script"
done

echo "== install the packages with apt"
installedByThisRun=true
require "apt-get install ./$(basename "${debOf[$cliPackage]}") (alone)" apt-get install -y -qq "${debOf[$cliPackage]}"
check "/usr/bin/cdr55p4w-cli uses no Qt library" usesNoQt /usr/bin/cdr55p4w-cli
require "apt-get install ./$(basename "${debOf[$windowPackage]}")" apt-get install -y -qq "${debOf[$windowPackage]}"
for package in "${packages[@]}"; do
  check "$package: installed files match its list under /usr" installedFilesMatch "$package"
done
for program in $(programs); do
  check "/usr/bin/$program is executable" test -x "/usr/bin/$program"
  check "ldd resolves every library of /usr/bin/$program" resolvesAllLibraries "/usr/bin/$program"
  check "/usr/bin/$program --version names its version" sh -c '"$1" --version | grep -q "^$2 [0-9]"' sh \
    "/usr/bin/$program" "$program"
  if [[ $program == cdr55p4w-cli ]]; then
    check "/usr/bin/$program answers a version query of its virtual reader" answersVersion "/usr/bin/$program"
  else
    check "/usr/bin/$program starts and keeps running" keepsRunning "/usr/bin/$program"
  fi
done
check "the group rule is offered but not active" groupRuleInactive

check "ldd resolves every library of /usr/$accessHelper" resolvesAllLibraries "/usr/$accessHelper"
check "/usr/$accessHelper grants a vendor-defined collection, not a keyboard" judgesDescriptors "/usr/$accessHelper"

echo "== remove the packages"
check "apt-get remove" apt-get remove -y -qq "$windowPackage" "$cliPackage"
for package in "$windowPackage" "$cliPackage"; do
  check "dpkg -P $package" dpkg -P "$package"
  check "dpkg no longer knows $package" isPackageGone "$package"
done
check "their files are gone from /usr" isAbsentFromUsr

summary
((failed == 0))
