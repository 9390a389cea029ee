#!/usr/bin/env bash
# The real device path on a real kernel: boots Debian 12's own kernel under qemu (software
# emulation, no network) with a small busybox initramfs, plugs the simulated controller into
# the kernel's virtual USB host controller (orv_usb_device over USB/IP to vhci-hcd) and runs
# orv_vm_check, which drives it through the Linux HID backend (hidapi/hidraw, libusb, libudev)
# with systemd-udevd running. Prints each check, then "N passed, M failed"; exits non-zero on
# any failure.
#
#   scripts/vm-test.sh [PRESET] [-- CHECK-ARGUMENTS]     (default preset: default)
#
# The kernel, busybox and udev packages are fetched with `apt-get download` into
# build/vm-cache/ and reused by later runs. Needs qemu-system-x86 (scripts/setup.sh).
set -euo pipefail
cd "$(dirname "$0")/.."

preset=default
check_args=()
while [ $# -gt 0 ]; do
  case "$1" in
    --) shift; check_args=("$@"); break ;;
    *) preset="$1"; shift ;;
  esac
done

bin="build/$preset/bin"
cache="build/vm-cache"
work="build/vm-$preset"
vm_timeout=${ORV_VM_TIMEOUT:-420}   # seconds for the whole guest run
mkdir -p "$cache"

log() { echo "vm-test: $*"; }

# orvctl and the databases it reads, when this tree has them.
targets=(orv_usb_device orv_vm_check)
for t in orvctl orv_databases $([ "${ORV_VM_WINDOW:-1}" = 1 ] && echo orvtool); do
  if cmake --build --preset "$preset" --target help 2>/dev/null | grep -q "^$t:"; then
    targets+=("$t")
  fi
done
cmake --build --preset "$preset" --target "${targets[@]}" >/dev/null

# --- Packages ------------------------------------------------------------------------------
# The kernel the current linux-image-amd64 points at; a cached one when offline.
kernel_pkg=$(apt-cache depends linux-image-amd64 2>/dev/null |
  awk '/Depends: linux-image-6/ {print $2; exit}' || true)
fetch() {
  local pattern="$1"; shift
  if ! ls "$cache"/$pattern >/dev/null 2>&1; then
    log "downloading $*"
    if ! (cd "$cache" && apt-get download "$@" >/dev/null 2>&1); then
      sudo_cmd=(); [ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
      "${sudo_cmd[@]}" apt-get update -qq
      (cd "$cache" && apt-get download "$@" >/dev/null)
    fi
  fi
}
if [ -z "$kernel_pkg" ]; then
  kernel_deb=$(ls "$cache"/linux-image-6.1.0-*-amd64_*.deb | head -n 1)
else
  fetch "${kernel_pkg}_*.deb" "$kernel_pkg"
  kernel_deb=$(ls "$cache"/"${kernel_pkg}"_*.deb | head -n 1)
fi
fetch 'busybox-static_*.deb' busybox-static
fetch 'udev_*.deb' udev

# --- Kernel: the uncompressed ELF (PVH entry), so the guest skips its own decompression ----
kver=$(basename "$kernel_deb" | sed -E 's/^linux-image-([^_]+)_.*/\1/')
kroot="$cache/linux-$kver"
if [ ! -f "$kroot/vmlinux" ]; then
  rm -rf "$kroot"; mkdir -p "$kroot/x"
  dpkg-deb -x "$kernel_deb" "$kroot/x"
  # The bzImage carries the kernel XZ-compressed after its set-up code: decompress from each
  # XZ magic until one yields an ELF file (xz complains about the bytes after the stream).
  for offset in $(LC_ALL=C grep -obUaP '\xfd7zXZ\x00' "$kroot/x/boot/vmlinuz-$kver" | cut -d: -f1); do
    tail -c +$((offset + 1)) "$kroot/x/boot/vmlinuz-$kver" | xz -dc 2>/dev/null >"$kroot/vmlinux.tmp" || true
    if [ "$(head -c 4 "$kroot/vmlinux.tmp" | od -An -tx1 | tr -d ' ')" = 7f454c46 ]; then
      mv "$kroot/vmlinux.tmp" "$kroot/vmlinux"; break
    fi
  done
  [ -f "$kroot/vmlinux" ] || { log "no ELF kernel inside vmlinuz-$kver"; exit 1; }
fi

# --- Initramfs -------------------------------------------------------------------------------
rm -rf "$work"; mkdir -p "$work/root"
root="$work/root"
mkdir -p "$root"/{bin,sbin,etc/udev/rules.d,lib/modules,lib/udev/rules.d,lib/systemd,proc,sys,dev,run,tmp,opt/orv}
dpkg-deb --fsys-tarfile "$(ls "$cache"/busybox-static_*.deb | head -n 1)" |
  tar -x -C "$work" ./bin/busybox
mv "$work/bin/busybox" "$root/bin/busybox"
udev_x="$cache/udev-x"
if [ ! -d "$udev_x" ]; then
  mkdir -p "$udev_x"; dpkg-deb -x "$(ls "$cache"/udev_*.deb | head -n 1)" "$udev_x"
fi
cp "$udev_x/bin/udevadm" "$root/bin/udevadm"
ln -s /bin/udevadm "$root/lib/systemd/systemd-udevd"
cp "$udev_x/lib/udev/rules.d/50-udev-default.rules" "$root/lib/udev/rules.d/"
cp packaging/70-orv-controller.rules "$root/opt/orv/"

for m in drivers/usb/common/usb-common drivers/usb/core/usbcore drivers/usb/usbip/usbip-core \
         drivers/usb/usbip/vhci-hcd drivers/hid/hid drivers/hid/usbhid/usbhid \
         drivers/hid/hid-generic; do
  src="$kroot/x/lib/modules/$kver/kernel/$m.ko"
  if [ -f "$src" ]; then cp "$src" "$root/lib/modules/"
  elif [ -f "$src.xz" ]; then xz -dc "$src.xz" >"$root/lib/modules/$(basename "$m").ko"
  fi
done

# The programs and every shared library they load, at the paths the loader expects.
programs=("$bin/orv_usb_device" "$bin/orv_vm_check" "$root/bin/udevadm")
mkdir -p "$root/opt/orv/bin"
cp "$bin/orv_usb_device" "$bin/orv_vm_check" "$root/opt/orv/bin/"
if [ -x "$bin/orvctl" ]; then
  programs+=("$bin/orvctl")
  cp "$bin/orvctl" "$root/opt/orv/bin/"
  # Its run-time data, wherever this tree keeps it (beside the executable or in share/).
  cp "$bin"/*.db "$root/opt/orv/bin/" 2>/dev/null || true
  [ -d "build/$preset/share" ] && cp -r "build/$preset/share" "$root/opt/orv/"
fi
# The window with Qt's offscreen platform (ORV_VM_WINDOW=0 leaves it out).
if [ "${ORV_VM_WINDOW:-1}" = 1 ] && [ -x "$bin/orvtool" ]; then
  qt_plugins=$(ls -d /usr/lib/x86_64-linux-gnu/qt6/plugins 2>/dev/null || true)
  if [ -n "$qt_plugins" ] && [ -f "$qt_plugins/platforms/libqoffscreen.so" ]; then
    cp "$bin/orvtool" "$root/opt/orv/bin/"
    mkdir -p "$root$qt_plugins/platforms"
    cp "$qt_plugins/platforms/libqoffscreen.so" "$root$qt_plugins/platforms/"
    programs+=("$bin/orvtool" "$qt_plugins/platforms/libqoffscreen.so")
    # One small Latin font and a fontconfig that finds it, so the English texts the window
    # draws show in the guest's screenshot (every family the skins name falls back to it).
    for font in /usr/share/fonts/truetype/dejavu/DejaVuSans.ttf \
                /usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf; do
      [ -f "$font" ] && { mkdir -p "$root/usr/share/fonts"; cp "$font" "$root/usr/share/fonts/"; }
    done
    mkdir -p "$root/etc/fonts"
    printf '%s\n' '<?xml version="1.0"?>' '<!DOCTYPE fontconfig SYSTEM "fonts.dtd">' \
      '<fontconfig><dir>/usr/share/fonts</dir><cachedir>/tmp/fontconfig</cachedir></fontconfig>' \
      >"$root/etc/fonts/fonts.conf"
  fi
fi
for p in "${programs[@]}"; do
  # The copies lose their debug information: a smaller initramfs unpacks faster in the guest.
  case "$p" in "$bin"/*) strip --strip-debug "$root/opt/orv/bin/$(basename "$p")" ;; esac
  ldd "$p" | awk '/=> \// {print $3} /^\t\/lib/ {print $1}' | while read -r lib; do
    mkdir -p "$root$(dirname "$lib")"
    cp -L -n "$lib" "$root$lib"
  done
done
[ -e "$root/lib64" ] || { mkdir -p "$root/lib64"; cp -L /lib64/ld-linux-x86-64.so.2 "$root/lib64/"; }

printf 'root:x:0:0:root:/root:/bin/sh\nuser:x:1000:1000:user:/tmp:/bin/sh\n' >"$root/etc/passwd"
printf 'root:x:0:\nplugdev:x:46:user\nuser:x:1000:\n' >"$root/etc/group"

cat >"$root/init" <<'EOF'
#!/bin/busybox sh
/bin/busybox --install -s /bin
export PATH=/bin:/sbin
mount -t proc proc /proc
mount -t sysfs sys /sys
mount -t devtmpfs dev /dev
mount -t tmpfs tmpfs /run
mount -t tmpfs tmpfs /tmp
for m in usb-common usbcore usbip-core vhci-hcd hid usbhid hid-generic; do
  [ -f /lib/modules/$m.ko ] && insmod /lib/modules/$m.ko
done
/lib/systemd/systemd-udevd --daemon
udevadm settle -t 10
echo "vm-test: guest ready after $(cut -d' ' -f1 /proc/uptime) s"
ARGS=$(cat /opt/orv/args 2>/dev/null)
mkdir -p /root /run/user/0 && chmod 700 /run/user/0
export HOME=/root XDG_RUNTIME_DIR=/run/user/0
/opt/orv/bin/orv_vm_check --udev $ARGS
if [ -f /tmp/overview.png ]; then
  echo "vm-test: overview.png begin"; base64 /tmp/overview.png; echo "vm-test: overview.png end"
fi
echo "vm-test: guest done after $(cut -d' ' -f1 /proc/uptime) s"
poweroff -f
EOF
chmod +x "$root/init"
printf '%s\n' "${check_args[*]:-}" >"$root/opt/orv/args"
(cd "$root" && find . | ./bin/busybox cpio -o -H newc 2>/dev/null) | gzip -1 >"$work/initramfs.gz"
log "initramfs $(du -h "$work/initramfs.gz" | cut -f1), kernel $kver"

# --- Boot ------------------------------------------------------------------------------------
start=$(date +%s%N)
set +e
timeout "$vm_timeout" qemu-system-x86_64 -accel tcg -m 768 -smp 2 -nodefaults -no-reboot \
  -display none -serial stdio -nic none \
  -kernel "$kroot/vmlinux" -initrd "$work/initramfs.gz" \
  -append "console=ttyS0 quiet panic=-1 rdinit=/init" |
  tee "$work/guest.log" | sed -u -e '/^vm-test: overview.png \(begin\|end\)/d' -e '/^[A-Za-z0-9+\/=]\{1,76\}\r\?$/d' 
qemu_status=${PIPESTATUS[0]}
set -e
log "qemu ran $(( ($(date +%s%N) - start) / 1000000 )) ms (status $qemu_status)"
if grep -aq '^vm-test: overview.png begin' "$work/guest.log"; then
  sed -n '/^vm-test: overview.png begin/,/^vm-test: overview.png end/p' "$work/guest.log" |
    sed '1d;$d' | tr -d '\r' | base64 -d >"$work/overview.png" 2>/dev/null &&
    log "the window's overview in the guest: $work/overview.png"
fi
summary=$(grep -aE '^[0-9]+ passed, [0-9]+ failed' "$work/guest.log" | tail -n 1 || true)
if [ -z "$summary" ]; then
  log "the guest gave no result (log: $work/guest.log)"
  exit 1
fi
echo "$summary"
case "$summary" in
  *" 0 failed"*) exit 0 ;;
  *) exit 1 ;;
esac
