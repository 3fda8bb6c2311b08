#!/usr/bin/env bash
# Checks the Windows packages under Wine as a user meets them: the zip holds the three programs; the MSI installs
# silently for the whole machine with the programs in Program Files, the Start menu shortcuts of the two windows
# and, as the opt-in feature asked for here, the command-line tool on the PATH; the installed demo window opens
# and the tool answers from the install folder; a newer package replaces the installed one; uninstalling leaves
# nothing behind.
#
#   check_packages.sh BUILD_DIR
#
# BUILD_DIR is a Windows build in which the windows-packages target was built. Wine must be prepared by the caller
# (WINEPREFIX, a running wineserver), as .ci/windows.sh does.
set -euo pipefail
build=$(realpath "$1")
packages="$build/packaging/windows"
msi=$(echo "$packages"/cdr55p4w-config-*-x64.msi)
zip="${msi%.msi}.zip"
programs=(cdr55p4w-config.exe cdr55p4w-config-demo.exe cdr55p4w-cli.exe)
installDir='C:\Program Files\CDR55P4W Configuration'
installDirUnix="$WINEPREFIX/drive_c/Program Files/CDR55P4W Configuration"
environmentKey='HKLM\SYSTEM\CurrentControlSet\Control\Session Manager\Environment'

fail() {
  echo "check_packages: $*" >&2
  exit 1
}

# Wine writes its lines with CR LF.
wineOutput() { wine "$@" | tr -d '\r'; }
systemPath() { wineOutput reg query "$environmentKey" /v PATH | grep -i 'REG_EXPAND_SZ\|REG_SZ'; }
# The versions registered as installed, one "DisplayVersion REG_SZ <version>" line each.
installedVersions() {
  wineOutput reg query 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall' /s |
    grep -A20 'CDR55P4W configuration utility' | grep -o 'DisplayVersion.*' | tr -s ' ' || true
}
startMenuEntries() { find "$WINEPREFIX/drive_c" -path '*/Start Menu/Programs/CDR55P4W Configuration*' | sort; }

version=${msi##*/cdr55p4w-config-}
version=${version%-x64.msi}
zipped=$(cmake -E tar tf "$zip" | grep -v '/$' | sort | tr '\n' ' ')
expected=$(for program in "${programs[@]}"; do echo "cdr55p4w-config-$version/$program"; done | sort | tr '\n' ' ')
[[ $zipped == "$expected" ]] || fail "the zip holds '$zipped', expected '$expected'"

wine msiexec /i "$(winepath -w "$msi")" /qn ADDLOCAL=ALL || fail "msiexec /i failed with status $?"

for program in "${programs[@]}"; do
  [[ -f "$installDirUnix/$program" ]] || fail "$program is not in $installDir"
done
shortcuts=$(startMenuEntries | grep -c '\.lnk$' || true)
[[ $shortcuts == 2 ]] || fail "expected the two window shortcuts in the Start menu, found: $(startMenuEntries)"

caption=$(wineOutput "$build/tests/win32_app/cdr_first_window_caption.exe" "$installDir\\cdr55p4w-config-demo.exe")
[[ $caption == *CDR55P4W* ]] || fail "the installed demo window has the caption '$caption'"

# The tool from its install folder, and by its bare name through the PATH from this folder.
toolVersion=$(wineOutput "$installDir\\cdr55p4w-cli.exe" --version)
[[ $toolVersion == "cdr55p4w-cli $version "* ]] || fail "cdr55p4w-cli.exe --version answered '$toolVersion'"
[[ $(systemPath) == *"$installDir"* ]] || fail "the PATH does not name $installDir: $(systemPath)"
# (Wine's cmd ends with status 0 even for a command it cannot find: the tool's own words tell. It also stops
# searching at an empty PATH entry, which a prefix keeps from an earlier uninstall: the check wants a new prefix.)
help=$(wineOutput cmd /c 'cd /d C:\ && cdr55p4w-cli.exe --help')
[[ $help == *"Usage: cdr55p4w-cli"* ]] || fail "cdr55p4w-cli.exe is not found on the PATH: $help"

# A newer package, as the build makes it for a higher version: the same files under their own product and package
# codes, with its upgrade rows (older versions are replaced, newer ones refuse it) moved to the new version.
newerVersion="${version%.*}.$((${version##*.} + 1))"
newerDir=$(mktemp -d)
trap 'rm -rf "$newerDir"' EXIT
newerMsi="$newerDir/cdr55p4w-config-$newerVersion-x64.msi"
cp "$msi" "$newerMsi"
newGuid() { tr 'a-f' 'A-F' </proc/sys/kernel/random/uuid; }
msibuild "$newerMsi" -s "CDR55P4W configuration utility $newerVersion" cdr55p4w-config 'x64;1033' "{$(newGuid)}"
upgradeCode=$(msiinfo export "$msi" Property | tr -d '\r' | awk -F'\t' '$1 == "UpgradeCode" { print $2 }')
upgradeRow() { echo "INSERT INTO \`Upgrade\` (\`UpgradeCode\`, \`$1\`, \`Attributes\`, \`ActionProperty\`) VALUES ('$upgradeCode', '$newerVersion', $2, '$3')"; }
msibuild "$newerMsi" -q "UPDATE \`Property\` SET \`Value\` = '$newerVersion' WHERE \`Property\` = 'ProductVersion'" \
  -q "UPDATE \`Property\` SET \`Value\` = '{$(newGuid)}' WHERE \`Property\` = 'ProductCode'" \
  -q "DELETE FROM \`Upgrade\`" \
  -q "$(upgradeRow VersionMax 1 WIX_UPGRADE_DETECTED)" -q "$(upgradeRow VersionMin 2 WIX_DOWNGRADE_DETECTED)"
wine msiexec /i "$(winepath -w "$newerMsi")" /qn || fail "msiexec /i of the newer package failed with status $?"
installed=$(installedVersions)
[[ $installed == "DisplayVersion REG_SZ $newerVersion" ]] ||
  fail "after installing the newer package the installed versions are: $installed"
[[ -f "$installDirUnix/cdr55p4w-config.exe" ]] || fail "the newer package left no cdr55p4w-config.exe"

wine msiexec /x "$(winepath -w "$newerMsi")" /qn || fail "msiexec /x failed with status $?"
[[ ! -e $installDirUnix ]] || fail "$installDir is left after uninstalling"
[[ -z $(startMenuEntries) ]] || fail "Start menu entries are left after uninstalling: $(startMenuEntries)"
# (Wine leaves the separator that came with the folder; Windows takes both away.)
[[ $(systemPath) != *"$installDir"* ]] || fail "the PATH still names $installDir: $(systemPath)"
[[ -z $(installedVersions) ]] || fail "still registered as installed: $(installedVersions)"
if wine reg query 'HKLM\Software\cdr55p4w-config' >/dev/null 2>&1; then
  fail "the registry key HKLM\\Software\\cdr55p4w-config is left after uninstalling"
fi
echo "check_packages: $(basename "$msi") and $(basename "$zip") passed ($caption; $toolVersion)"
