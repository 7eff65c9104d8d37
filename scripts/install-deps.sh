#!/bin/bash
# Installs what the build and the tests need on a Debian machine (run as root);
# does nothing for what is already there.
set -euo pipefail
export DEBIAN_FRONTEND=noninteractive

have_pkg() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q 'install ok installed'; }
install_missing() {
  local need=() pkg
  for pkg in "$@"; do have_pkg "$pkg" || need+=("$pkg"); done
  [ ${#need[@]} -gt 0 ] || return 0
  echo "install-deps: installing ${need[*]}"
  apt-get update -qq
  apt-get install -y -qq "${need[@]}" >/dev/null
}

install_missing cmake make g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix wine64 googletest \
                locales fonts-ipafont-gothic clang libclang-rt-14-dev python3 rsync file

# Code page 932 under Wine needs the Japanese locale.
if ! locale -a 2>/dev/null | grep -qi '^ja_JP\.utf8$'; then
  echo "install-deps: generating ja_JP.UTF-8"
  localedef -i ja_JP -f UTF-8 ja_JP.UTF-8
fi

# The i686 tests run under Debian's 32-bit Wine, which wine64 hands 32-bit programs to.
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  echo "install-deps: adding the i386 architecture"
  dpkg --add-architecture i386
  apt-get update -qq
fi
install_missing wine32:i386

# Where the kernel cannot run 32-bit programs itself they go to qemu through binfmt_misc.
# bookworm's qemu 7.2 takes a minute to start each Wine process (it ignores the addresses
# Wine reserves); the backported 10.0 takes well under a second.
runs_32bit() { /usr/lib/wine/wine --version >/dev/null 2>&1; }
if ! runs_32bit; then
  backports=/etc/apt/sources.list.d/genba-bookworm-backports.sources
  if ! grep -rqs 'bookworm-backports' /etc/apt/sources.list /etc/apt/sources.list.d; then
    echo "install-deps: adding bookworm-backports"
    printf '%s\n' 'Types: deb' 'URIs: http://deb.debian.org/debian' 'Suites: bookworm-backports' \
      'Components: main' 'Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg' >"$backports"
    apt-get update -qq
  fi
  if ! dpkg --compare-versions "$(dpkg-query -W -f='${Version}' qemu-user 2>/dev/null || echo 0)" ge 1:10; then
    echo "install-deps: installing qemu-user from bookworm-backports"
    apt-get update -qq
    apt-get install -y -qq -t bookworm-backports qemu-user >/dev/null
  fi
  install_missing binfmt-support
  [ -e /proc/sys/fs/binfmt_misc/register ] ||
    mount -t binfmt_misc binfmt_misc /proc/sys/fs/binfmt_misc
  # Debian leaves i386 unregistered on amd64 hosts.
  if [ ! -e /proc/sys/fs/binfmt_misc/qemu-i386 ]; then
    echo "install-deps: registering i386 programs with qemu-i386"
    if [ -e /var/lib/binfmts/qemu-i386 ]; then
      update-binfmts --enable qemu-i386
    else
      update-binfmts --package genbaenv --install qemu-i386 /usr/bin/qemu-i386 \
        --magic '\x7f\x45\x4c\x46\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00' \
        --mask '\xff\xff\xff\xff\xff\xfe\xfe\xfc\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff'
    fi
  fi
  runs_32bit || { echo "install-deps: 32-bit programs still do not run" >&2; exit 1; }
fi
