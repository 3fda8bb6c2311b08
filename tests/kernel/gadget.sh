# Readers made as USB gadgets inside the guest, sourced by guest.sh. A reader is a configfs gadget with the
# reader's identity and one HID function per interface, bound to a dummy_hcd controller (its "USB port"), so that
# the guest's own usbhid, hid-generic, hidraw and hid-input drive it. A responder answers each command interface.
# Interface kinds: reader (the command collection), keyboard (a boot keyboard), combined (keyboard and command
# collection on one interface).

gadgets=/sys/kernel/config/usb_gadget
gadgetTool=$CDR_BUILD/tests/kernel/kernel_reader_gadget
readerId=0003:0000FFFF:0000FFFC

loadGadgetModules() {
  modprobe dummy_hcd num=4 && modprobe libcomposite && modprobe usb_f_hid && modprobe usbhid &&
    modprobe hid-generic && mountpoint -q /sys/kernel/config || mount -t configfs configfs /sys/kernel/config
}

# waitFor SECONDS COMMAND...: runs COMMAND every 0.1 s until it succeeds; false when it never did.
waitFor() {
  local tries=$(($1 * 10))
  shift
  until "$@"; do
    ((--tries > 0)) || return 1
    sleep 0.1
  done
}

# makeReader NAME [--typing] [--firmware X.YZ] [--hold-at N MARKER] KIND...: a reader with those interfaces in
# that order, not plugged in; the responder options apply to its command interfaces.
makeReader() {
  local name=$1 g=$gadgets/$1 interface=0 kind function responderOptions=()
  shift
  while [[ $1 == --* ]]; do
    case $1 in
      --typing) responderOptions+=("$1"); shift ;;
      --firmware) responderOptions+=("$1" "$2"); shift 2 ;;
      --hold-at) responderOptions+=("$1" "$2" "$3"); shift 3 ;;
    esac
  done
  readerPort[$name]=dummy_udc.${#readerPort[@]}
  mkdir "$g" "$g/strings/0x409" "$g/configs/c.1"
  echo 0xffff >"$g/idVendor"
  echo 0xfffc >"$g/idProduct"
  echo 0x0100 >"$g/bcdDevice"
  echo "CDR55P4W test reader $name" >"$g/strings/0x409/product"
  echo 100 >"$g/configs/c.1/MaxPower"
  for kind in "$@"; do
    function=$g/functions/hid.$interface
    mkdir "$function"
    if [[ $kind == keyboard ]]; then
      echo 1 >"$function/subclass"
      echo 1 >"$function/protocol"
      echo 8 >"$function/report_length"
    else
      echo 0 >"$function/subclass"
      echo 0 >"$function/protocol"
      echo 64 >"$function/report_length"
    fi
    "$gadgetTool" descriptor "$kind" >"$function/report_desc"
    ln -s "$function" "$g/configs/c.1/"
    if [[ $kind != keyboard ]]; then
      local node=/dev/hidg$(cut -d: -f2 "$function/dev")
      "$gadgetTool" serve "$node" "${responderOptions[@]}" 2>>"$results/responder.log" &
      echo $! >>"$results/responders.pid"
    fi
    interface=$((interface + 1))
  done
}

# The USB port of each reader: dummy_udc.N, N its place among the readers made.
declare -A readerPort
portOf() { echo "${readerPort[$1]}"; }

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
  portOf "$1" >"$gadgets/$1/UDC"
  waitFor 20 allNodesPresent "$1" || { echo "gadget: $1 plugged in, but its hidraw nodes did not appear"; return 1; }
}

unplug() {
  echo >"$gadgets/$1/UDC"
  waitFor 20 noNodes "$1" || { echo "gadget: $1 pulled out, but its hidraw nodes stayed"; return 1; }
}
