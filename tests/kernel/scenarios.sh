# The scenarios of the real-kernel tests, sourced by guest.sh. Each group makes its readers once (setUp_GROUP,
# none plugged in) and lists its scenarios (scenariosOf); each scenario plugs in what it needs, runs in a subshell
# of its own and fails at its first failed check. Every reader is pulled out again after each scenario.

scenariosOf() {
  case $1 in
    plain) echo list-one version-one read-write-one ;;
  esac
}

setUp_plain() {
  makeReader one reader
}

unplugAll() {
  local name
  for name in "${!readerPort[@]}"; do
    [[ -n $(<"$gadgets/$name/UDC") ]] && unplug "$name"
  done
  return 0
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
  plug one || fail "plug"
  local node=$(nodesOf one)
  runCli list
  expectStatus 0
  expectOutLines 1
  expectOut "^$node ffff:fffc ok$"
}

scenario_version-one() {
  plug one || fail "plug"
  runCli version
  expectStatus 0
  expectOut '1\.05'
}

scenario_read-write-one() {
  plug one || fail "plug"
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
