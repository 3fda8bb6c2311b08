#!/bin/bash
# Runs inside the guest, as root in the host's root shared read-only: loads the USB gadget and HID modules,
# prepares the group and runs its scenarios, each with its log in the results share. guest.env (written by
# run.sh) gives CDR_REPO, CDR_BUILD, CDR_GROUP, CDR_SCENARIOS (empty: all of the group) and CDR_GATED.
# udevadm would otherwise see the chroot and refuse to settle or trigger.
export PATH=/usr/sbin:/usr/bin:/sbin:/bin HOME=/tmp LC_ALL=C.UTF-8 SYSTEMD_IGNORE_CHROOT=1
results=/tmp/results
here=$CDR_REPO/tests/kernel
cli=$CDR_BUILD/src/cli/cdr55p4w-cli
linkTests=$CDR_BUILD/tests/kernel/kernel_link_tests
source "$here/gadget.sh"
source "$here/scenarios.sh"
mkdir -p "$results/scenarios"
summary=$results/summary.txt
: >"$summary"

echo "guest: Linux $(uname -r), group $CDR_GROUP"
if ! loadGadgetModules; then
  echo "FAIL setup: the USB gadget and HID modules did not load" | tee -a "$summary"
  exit 1
fi
"setUp_$CDR_GROUP" >"$results/setup.log" 2>&1 || {
  echo "FAIL setup: see setup.log" | tee -a "$summary"
  exit 1
}

isGated() { [[ " $CDR_GATED " == *" $1 "* ]]; }
wanted() { [[ -z $CDR_SCENARIOS || " $CDR_SCENARIOS " == *" $1 "* ]]; }

for name in $CDR_SCENARIOS; do
  [[ " $(scenariosOf "$CDR_GROUP") " == *" $name "* ]] || echo "FAIL $name: no such scenario" | tee -a "$summary"
done
for name in $(scenariosOf "$CDR_GROUP"); do
  wanted "$name" || continue
  log=$results/scenarios/$name.log
  started=$SECONDS
  (set -uo pipefail && trap removeReaders EXIT && cd "$(mktemp -d)" && "scenario_$name") >"$log" 2>&1
  status=$?
  if ((status == 0)); then
    verdict=$(isGated "$name" && echo "PASS (gated, now passes: take it off the gated list)" || echo PASS)
  else
    verdict=$(isGated "$name" && echo "GATED (fails until its fault is mended)" || echo FAIL)
  fi
  echo "$verdict $name ($((SECONDS - started)) s)" | tee -a "$summary"
done
# Tells run.sh that the guest did not stop half-way.
echo "every scenario of $CDR_GROUP ran" >"$results/finished"
