#!/bin/bash
# Installs what the build and the tests need on a Debian machine (run as root);
# does nothing for what is already there.
set -euo pipefail

need=()
have_pkg() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q 'install ok installed'; }
for pkg in cmake make g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix wine64 googletest locales \
           fonts-ipafont-gothic clang libclang-rt-14-dev python3 rsync; do
  have_pkg "$pkg" || need+=("$pkg")
done
if [ ${#need[@]} -gt 0 ]; then
  echo "install-deps: installing ${need[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq "${need[@]}" >/dev/null
fi

# Code page 932 under Wine needs the Japanese locale.
if ! locale -a 2>/dev/null | grep -qi '^ja_JP\.utf8$'; then
  echo "install-deps: generating ja_JP.UTF-8"
  localedef -i ja_JP -f UTF-8 ja_JP.UTF-8
fi
