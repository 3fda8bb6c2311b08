# The scenarios of the real-kernel tests, sourced by guest.sh. A group is one guest boot: setUp_GROUP prepares
# what its scenarios share and scenariosOf lists them. Each scenario makes and plugs in the readers it needs, runs
# in a subshell of its own and fails at its first failed check; its readers are taken away after it.

scenariosOf() {
  case $1 in
    plain)
      echo list-one list-in-use version-one read-write-one link-one two-readers composite-discovery composite-list \
        composite-tool combined-typing silent-reader pull-during-command pull-cause
      ;;
    udev) echo rule-verdicts provision-replug provision-present ;;
  esac
}

holdFile=/tmp/hold-next-command

setUp_plain() { :; }

# udevd with the packaged rule, its helper taken from the build folder (the root is read-only, so the rule goes
# to /run/udev/rules.d with the helper's full path).
setUp_udev() {
  mkdir -p /run/udev/rules.d
  sed "s|PROGRAM==\"cdr55p4w-hidraw-access |PROGRAM==\"$CDR_BUILD/src/hid/linux/cdr55p4w-hidraw-access |" \
    "$CDR_REPO/packaging/udev/70-cdr55p4w-reader.rules" >/run/udev/rules.d/70-cdr55p4w-reader.rules
  grep -q "$CDR_BUILD" /run/udev/rules.d/70-cdr55p4w-reader.rules || return 1
  /lib/systemd/systemd-udevd --daemon && udevadm settle
}

fail() {
  echo "FAILED: $*"
  exit 1
}

# runCli ARG...: the tool with a time limit; its standard output, error and exit status in out, err and status.
runCli() {
  timeout 60 "$cli" "$@" >cli.out 2>cli.err
  status=$?
  out=$(<cli.out)
  err=$(<cli.err)
  echo "\$ cdr55p4w-cli $* -> exit $status"
  [[ -n $out ]] && sed 's/^/  out: /' cli.out
  [[ -n $err ]] && sed 's/^/  err: /' cli.err
  return 0
}

expectStatus() { ((status == $1)) || fail "exit status $status, expected $1"; }
expectOut() { grep -Eq -- "$1" cli.out || fail "standard output lacks /$1/"; }
expectErr() { grep -Eq -- "$1" cli.err || fail "standard error lacks /$1/"; }
expectOutLines() { (($(wc -l <cli.out) == $1)) || fail "$(wc -l <cli.out) lines on standard output, expected $1"; }

# A settings file other than the factory settings: tracks 1 and 2, start sentinel ";" on track 1, AAMVA, Enter
# after the card's data.
writeSampleSettings() {
  printf '%s\r\n' 1 1 0 1 ';' '' '' 0 '' '' '' False True False False True >"$1"
}

scenario_list-one() {
  makeReader one reader && plug one || fail "plug"
  local node=$(nodesOf one)
  runCli list
  expectStatus 0
  expectOutLines 1
  expectOut "^$node ffff:fffc ok$"
  runCli list --json
  expectStatus 0
  expectOut "\"$node\""
}

# A reader that another program holds (flock(1) here): list names that program.
scenario_list-in-use() {
  makeReader one reader && plug one || fail "plug"
  local node=$(nodesOf one)
  flock --exclusive "$node" sleep 600 &
  local holder=$!
  waitFor 20 grep -q FLOCK /proc/locks || fail "the lock was never taken"
  runCli list
  kill $(cat /proc/$holder/task/$holder/children) $holder
  expectStatus 0
  expectOut "^$node ffff:fffc ok, in use by flock \\(process $holder\\)$"
}

scenario_version-one() {
  makeReader one reader && plug one || fail "plug"
  runCli version
  expectStatus 0
  expectOut '1\.05'
  runCli version --json
  expectStatus 0
  expectOut '"1\.05"'
}

scenario_read-write-one() {
  makeReader one reader && plug one || fail "plug"
  writeSampleSettings sample.cfg
  runCli write sample.cfg
  expectStatus 0
  expectOut 'written and checked'
  runCli read -o back.cfg
  expectStatus 0
  cmp sample.cfg back.cfg || fail "the settings read back differ from those written"
  runCli factory
  expectStatus 0
  runCli read
  expectStatus 0
  expectOut '^True'
}

# runLinkTests NODE FILTER: the link tests over the real platform, the reader's command interface at NODE.
runLinkTests() {
  CDR_READER_NODE=$1 timeout 120 "$linkTests" --gtest_filter="$2" --gtest_brief=1 || fail "link tests"
}

scenario_link-one() {
  makeReader one reader && plug one || fail "plug"
  runLinkTests "$(nodesOf one)" '*'
}

scenario_two-readers() {
  makeReader one reader && makeReader two --firmware 2.07 reader && plug one && plug two || fail "plug"
  local first=$(nodesOf one) second=$(nodesOf two)
  runCli list
  expectStatus 0
  expectOutLines 2
  runCli version
  ((status != 0)) || fail "version chose a reader of two"
  expectErr 'several readers'
  runCli version --device "$second"
  expectStatus 0
  expectOut '2\.07'
  runCli factory --all
  expectStatus 0
  (($(grep -c 'written and checked' cli.out) == 2)) || fail "not both readers written"
  runLinkTests "$first" '*TakesTheCommandInterface*'
}

# The composite reader: its keyboard interface first, then the command interface.
plugComposite() { makeReader composite keyboard reader && plug composite; }
commandNodeOfComposite() { nodesOf composite | sed -n 2p; }

scenario_composite-discovery() {
  plugComposite || fail "plug"
  CDR_KEYBOARD_NODES=$(nodesOf composite | sed -n 1p) runLinkTests "$(commandNodeOfComposite)" '*FindTheHid*'
}

scenario_composite-list() {
  plugComposite || fail "plug"
  runCli list
  expectStatus 0
  expectOutLines 1
  expectOut "^$(commandNodeOfComposite) ffff:fffc ok$"
}

scenario_composite-tool() {
  plugComposite || fail "plug"
  runCli version
  expectStatus 0
  expectOut '1\.05'
  runCli factory --all
  expectStatus 0
  expectOutLines 1
}

# Key reports of the same interface come just before and after every reply.
scenario_combined-typing() {
  makeReader combined --typing combined && plug combined || fail "plug"
  runCli version
  expectStatus 0
  expectOut '1\.05'
  writeSampleSettings sample.cfg
  runCli write sample.cfg
  expectStatus 0
  runCli read -o back.cfg
  expectStatus 0
  cmp sample.cfg back.cfg || fail "the settings read back differ from those written"
  runLinkTests "$(nodesOf combined)" '*'
}

# Nothing ever reads the function's queue: the first output reports fill it, after which the kernel's write
# blocks until its 5 s USB time-out and fails.
scenario_silent-reader() {
  makeReader silent --silent reader && plug silent || fail "plug"
  local node=$(nodesOf silent)
  runCli version
  ((status != 0)) || fail "a reader that never answers counted as answering"
  expectErr 'no answer within 6000 ms'
  timeout 60 dd if=/dev/zero of="$node" bs=25 count=16 2>dd.err
  cat dd.err
  grep -q 'timed out' dd.err || fail "the kernel took every output report"
  runCli version
  ((status != 0)) || fail "a reader whose queue is full counted as answering"
  [[ -n $err ]] || fail "no message"
}

# pullDuringVersion: runs version on the pulled reader, pulls it out while the command waits for its answer,
# and plugs it back in once the tool has ended.
pullDuringVersion() {
  makeReader pulled --hold-file "$holdFile" reader && plug pulled || fail "plug"
  touch "$holdFile"
  timeout 60 "$cli" version >cli.out 2>cli.err &
  local tool=$!
  waitFor 20 test -e "$holdFile.held" || fail "the command never reached the reader"
  rm -f "$holdFile.held"
  unplug pulled || fail "unplug"
  wait "$tool"
  status=$?
  echo "\$ cdr55p4w-cli version (pulled during the command) -> exit $status"
  sed 's/^/  err: /' cli.err
  plug pulled || fail "replug"
}

scenario_pull-during-command() {
  pullDuringVersion
  ((status != 0)) || fail "a pulled reader counted as answering"
  runCli version
  expectStatus 0
  expectOut '1\.05'
}

scenario_pull-cause() {
  pullDuringVersion
  ! grep -q 'no answer within' cli.err || fail "a pulled reader reported as one that did not answer"
  expectErr 'went away|No such device|Input/output error'
}

# udev's verdict on each node: the command interfaces (alone or beside the keyboard) are granted, the
# keyboard-only interface is not.
scenario_rule-verdicts() {
  makeReader one reader && makeReader combined combined && plugComposite && plug one && plug combined || fail "plug"
  udevadm settle
  local keyboard=$(nodesOf composite | sed -n 1p) node
  for node in $(nodesOf one) $(commandNodeOfComposite) $(nodesOf combined) $keyboard; do
    local tags=$(udevadm info --query=property --name="$node" | grep '^TAGS=')
    echo "$node: $tags"
    if [[ $node == "$keyboard" ]]; then
      [[ $tags != *:uaccess:* ]] || fail "the keyboard-only node $node is granted"
    else
      [[ $tags == *:uaccess:* ]] || fail "the command node $node is not granted"
    fi
  done
}

writtenAtLeast() { (($(grep -c 'written and checked' provision.out) >= $1)); }
# waitForWritten N: until provision has written N readers.
waitForWritten() { waitFor 20 writtenAtLeast "$1"; }

# endProvision PID: Ctrl-C, then its exit status in status.
endProvision() {
  # The signal goes to the tool alone, as Ctrl-C's would: timeout, signalled itself, passes it on to the tool and
  # then to its whole process group, and the second signal ends the tool without its summary.
  kill -INT $(cat "/proc/$1/task/$1/children")
  wait "$1"
  status=$?
  echo "\$ cdr55p4w-cli provision -> exit $status"
  sed 's/^/  out: /' provision.out
  sed 's/^/  err: /' provision.err
  cp provision.out cli.out
}

scenario_provision-replug() {
  makeReader one reader || fail "make"
  writeSampleSettings sample.cfg
  timeout 120 "$cli" provision sample.cfg >provision.out 2>provision.err &
  local tool=$!
  waitFor 20 grep -q 'waiting for readers' provision.err || fail "provision did not start"
  plug one || fail "plug"
  waitForWritten 1 || fail "the reader plugged in was not written"
  unplug one || fail "unplug"
  plug one || fail "replug"
  waitForWritten 2 || fail "the replugged reader was not written"
  endProvision "$tool"
  expectStatus 0
  expectOut '^2 written, 0 failed$'
  runCli read -o back.cfg
  cmp sample.cfg back.cfg || fail "the reader does not hold the settings provisioned"
}

scenario_provision-present() {
  makeReader one reader && plug one || fail "plug"
  runCli factory
  writeSampleSettings sample.cfg
  timeout 120 "$cli" provision sample.cfg >provision.out 2>provision.err &
  local tool=$!
  waitForWritten 1
  endProvision "$tool"
  expectOut '^1 written, 0 failed$'
}
