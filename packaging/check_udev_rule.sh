#!/usr/bin/env bash
# Checks a udev rule file that grants the local user access to the reader: every rule in it matches the reader's
# hidraw node by the USB identity (lowercase hex, as udev compares it) and grants access only through the uaccess
# tag, and the file sorts before 73-seat-late.rules, which applies that tag.
# Usage: check_udev_rule.sh RULE_FILE VENDOR_ID PRODUCT_ID   (the ids as four hex digits)
set -uo pipefail
export LC_ALL=C

ruleFile=$1
vendorId=${2,,}
productId=${3,,}
problems=0

complain() {
  echo "$ruleFile: $1" >&2
  problems=$((problems + 1))
}

name=$(basename "$ruleFile")
[[ $name == *.rules ]] || complain "the name must end in .rules, or udev ignores the file"
[[ $name < 73-seat-late.rules ]] || complain "the name must sort before 73-seat-late.rules, which applies uaccess"

ruleCount=0
while IFS= read -r line; do
  [[ $line =~ ^[[:space:]]*(#|$) ]] && continue
  ruleCount=$((ruleCount + 1))
  [[ $line == *\\ ]] && complain "continued lines are not supported by this check: $line"
  for key in 'SUBSYSTEM=="hidraw"' "ATTRS{idVendor}==\"$vendorId\"" "ATTRS{idProduct}==\"$productId\"" \
             'TAG+="uaccess"'; do
    [[ $line == *"$key"* ]] || complain "rule lacks $key: $line"
  done
  [[ $line =~ (MODE|GROUP|OWNER)[[:space:]]*:?= ]] && complain "access must come from uaccess alone: $line"
done < "$ruleFile"
((ruleCount > 0)) || complain "no rule"

((problems == 0)) && echo "$ruleFile: $ruleCount rule(s) for hidraw $vendorId:$productId, uaccess"
((problems == 0))
