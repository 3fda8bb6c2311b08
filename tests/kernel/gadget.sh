# Readers made as USB gadgets inside the guest, sourced by guest.sh. A reader is a configfs gadget with the
# reader's identity and one HID function per interface, bound to a dummy_hcd controller (its "USB port"), so that
# the guest's own usbhid, hid-generic, hidraw and hid-input drive it. A responder answers each command interface.
# Interface kinds: reader (the command collection), keyboard (a boot keyboard), combined (keyboard and command
# collection on one interface). The kernel gives out four HID functions at a time: a scenario makes its readers
# and removeReaders takes them all away again.

gadgets=/sys/kernel/config/usb_gadget
gadgetTool=$CDR_BUILD/tests/kernel/kernel_reader_gadget

loadGadgetModules() {
  modprobe dummy_hcd num=4 && modprobe libcomposite && modprobe usb_f_hid && modprobe usbhid &&
    modprobe hid-generic || return 1
  mountpoint -q /sys/kernel/config || mount -t configfs configfs /sys/kernel/config
}

# waitFor SECONDS COMMAND...: runs COMMAND every 0.1 s until it succeeds; false when it did not within SECONDS.
waitFor() {
  local deadline=$((SECONDS + $1))
  shift
  until "$@"; do
    ((SECONDS < deadline)) || return 1
    sleep 0.1
  done
}

# Each reader's USB port (dummy_udc.N) and the process IDs of its responders.
declare -A readerPort=() readerResponders=()
portOf() { echo "${readerPort[$1]}"; }

# makeReader NAME [--silent] [--typing] [--firmware X.YZ] [--hold-file FILE] KIND...: a reader with those
# interfaces in that order, not plugged in; the responder options apply to its command interfaces, and a silent
# reader has no responder: it never takes an output report from the function's queue.
makeReader() {
  local name=$1 g=$gadgets/$1 interface=0 kind function responderOptions=() silent=false
  shift
  while [[ $1 == --* ]]; do
    case $1 in
      --silent) silent=true && shift ;;
      --typing) responderOptions+=("$1") && shift ;;
      --firmware | --hold-file) responderOptions+=("$1" "$2") && shift 2 ;;
      *) echo "makeReader: unknown option $1" && return 1 ;;
    esac
  done
  readerPort[$name]=dummy_udc.${#readerPort[@]}
  mkdir "$g" "$g/strings/0x409" "$g/configs/c.1" || return 1
  echo 0xffff >"$g/idVendor" && echo 0xfffc >"$g/idProduct" && echo 0x0100 >"$g/bcdDevice" &&
    echo "CDR55P4W test reader $name" >"$g/strings/0x409/product" || return 1
  for kind in "$@"; do
    function=$g/functions/hid.$interface
    mkdir "$function" || return 1
    if [[ $kind == keyboard ]]; then
      echo 1 >"$function/subclass" && echo 1 >"$function/protocol" && echo 8 >"$function/report_length"
    else
      echo 0 >"$function/subclass" && echo 0 >"$function/protocol" && echo 64 >"$function/report_length"
    fi || return 1
    "$gadgetTool" descriptor "$kind" >"$function/report_desc" && ln -s "$function" "$g/configs/c.1/" || return 1
    if [[ $kind != keyboard ]] && ! $silent; then
      "$gadgetTool" serve "/dev/hidg$(cut -d: -f2 "$function/dev")" "${responderOptions[@]}" \
        2>>"$results/responder.log" &
      readerResponders[$name]+=" $!"
    fi
    interface=$((interface + 1))
  done
}

# The hidraw nodes of a plugged reader, in interface order.
nodesOf() {
  local port=$(portOf "$1") entry
  for entry in /sys/class/hidraw/hidraw*; do
    [[ $(readlink -f "$entry") =~ /dummy_hcd\.${port#dummy_udc.}/.*:1\.([0-9]+)/ ]] &&
      echo "${BASH_REMATCH[1]} /dev/${entry##*/}"
  done | sort -n | cut -d' ' -f2
}

interfaceCount() { ls -d "$gadgets/$1"/functions/hid.* | wc -l; }
allNodesPresent() {
  local nodes=($(nodesOf "$1")) node
  ((${#nodes[@]} == $(interfaceCount "$1"))) || return 1
  for node in "${nodes[@]}"; do [[ -c $node ]] || return 1; done
}
noNodes() { [[ -z $(nodesOf "$1") ]]; }

plug() {
  portOf "$1" >"$gadgets/$1/UDC" &&
    waitFor 20 allNodesPresent "$1" || { echo "gadget: $1 plugged in, but its hidraw nodes did not appear"; return 1; }
}

unplug() {
  echo >"$gadgets/$1/UDC" &&
    waitFor 20 noNodes "$1" || { echo "gadget: $1 pulled out, but its hidraw nodes stayed"; return 1; }
}

# Pulls out every reader, stops its responders and takes its gadget apart.
removeReaders() {
  local name g link
  for name in "${!readerPort[@]}"; do
    g=$gadgets/$name
    [[ -n $(<"$g/UDC") ]] && unplug "$name"
    kill ${readerResponders[$name]:-} 2>/dev/null
    wait ${readerResponders[$name]:-} 2>/dev/null
    for link in "$g"/configs/c.1/hid.*; do rm "$link"; done
    rmdir "$g"/configs/c.1 "$g"/functions/hid.* "$g"/strings/0x409 "$g"
  done
  readerPort=()
  readerResponders=()
}
