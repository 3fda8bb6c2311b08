#!/usr/bin/env bash
# Compares installed files with the install manifest (lines "MODE PATH", PATH relative to the install prefix):
# every listed file is present with its mode, and nothing else is installed.
# Usage: check_install_tree.sh MANIFEST PREFIX [DIR]
#   PREFIX is put before each manifest path ("" for an install tree, "usr/" for a Debian package's contents).
#   With DIR, the files under DIR are checked; without, "MODE PATH" lines read from standard input.
set -uo pipefail
export LC_ALL=C

manifest=$1
prefix=$2

if (($# > 2)); then
  [[ -d $3 ]] || { echo "no such folder: $3" >&2; exit 1; }
  installed=$(find "$3" \( -type f -o -type l \) -printf '%m %P\n' | sort -k2)
else
  installed=$(sort -k2)
fi
expected=$(sed "s|^\([0-7]*\) |\1 $prefix|" "$manifest" | sort -k2)

# Lines only in the manifest are files missing or with another mode; lines only installed are strays or modes.
difference=$(diff <(echo "$expected") <(echo "$installed") | grep '^[<>]')
if [[ -n $difference ]]; then
  echo "installed files differ from $manifest (< expected, > installed):" >&2
  echo "$difference" >&2
  exit 1
fi
echo "$(grep -c . <<<"$expected") files installed as listed in $manifest"
