#!/bin/busybox sh
# The guest's first process, from the initramfs that run.sh makes: loads what the shares need, mounts the host's
# root read-only with the usual kernel file systems over it, mounts the results share, runs guest.sh inside that
# root and powers the guest off. The share's guest.env tells guest.sh what to run.
/bin/busybox --install -s /bin
export PATH=/bin
mount -t proc proc /proc
mount -t sysfs sysfs /sys
mount -t devtmpfs devtmpfs /dev
while read -r module; do insmod "/modules/$module" || echo "init: cannot load $module"; done </modules/order

share() { mount -t 9p -o "trans=virtio,version=9p2000.L,msize=512000,$2" "$1" "$3"; }
root=/host
mkdir -p "$root"
if share hostroot ro,cache=loose "$root"; then
  mount -t proc proc "$root/proc"
  mount -t sysfs sysfs "$root/sys"
  mount -t devtmpfs devtmpfs "$root/dev"
  # The host's /tmp stays reachable: a checkout or build folder there would otherwise be hidden by the guest's.
  mkdir -p /hosttmp
  mount -o bind "$root/tmp" /hosttmp
  mount -t tmpfs tmpfs "$root/tmp"
  mount -t tmpfs tmpfs "$root/run"
  mkdir -p "$root/tmp/results"
  share results rw "$root/tmp/results"
  . "$root/tmp/results/guest.env"
  for folder in "$CDR_REPO" "$CDR_BUILD"; do
    case "$folder" in
      /tmp/results | /tmp/results/*) ;;
      /tmp/*)
        mkdir -p "$root$folder"
        mount -o bind "/hosttmp/${folder#/tmp/}" "$root$folder"
        ;;
    esac
  done
  chroot "$root" /bin/bash "$CDR_REPO/tests/kernel/guest.sh"
  echo "init: guest.sh ended with $?"
  dmesg >"$root/tmp/results/dmesg.txt"
  umount "$root/tmp/results"
else
  echo "init: the host's root could not be mounted"
fi
sync
poweroff -f
