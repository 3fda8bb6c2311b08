#!/usr/bin/env bash
# Checks a udev rule file that grants the local user access to the reader: every rule in it matches the reader's
# hidraw node by the USB identity (lowercase hex, as udev compares it), asks the access helper about the node's
# report descriptor before it grants anything, and grants access only through the uaccess tag; the file sorts
# before 73-seat-late.rules, which applies that tag.
# Usage: check_udev_rule.sh RULE_FILE VENDOR_ID PRODUCT_ID HELPER   (the ids as four hex digits; HELPER the name
#        of the access helper in /usr/lib/udev)
set -uo pipefail
export LC_ALL=C

ruleFile=$1
vendorId=${2,,}
productId=${3,,}
helper=$4
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
  program="PROGRAM==\"$helper %S%p/device/report_descriptor\""
  for key in 'SUBSYSTEM=="hidraw"' "ATTRS{idVendor}==\"$vendorId\"" "ATTRS{idProduct}==\"$productId\"" \
             "$program" 'TAG+="uaccess"'; do
    [[ $line == *"$key"* ]] || complain "rule lacks $key: $line"
  done
  [[ $line == *"$program"*'TAG+="uaccess"'* ]] || complain "the helper must be asked before the tag is set: $line"
  [[ $line =~ (MODE|GROUP|OWNER)[[:space:]]*:?= ]] && complain "access must come from uaccess alone: $line"
done < "$ruleFile"
((ruleCount > 0)) || complain "no rule"

((problems == 0)) && echo "$ruleFile: $ruleCount rule(s) for hidraw $vendorId:$productId, uaccess if $helper agrees"
((problems == 0))
