#!/bin/sh
# Installs what building and testing need on Debian 12, skipping what is
# already there; safe to run again. Run by demo.sh and test.sh.
set -eu

missing=
need() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q "install ok installed" || missing="$missing $1"; }
need g++-mingw-w64-i686
need wine
need wine32:i386
need xvfb
need xauth
need cmake
need ninja-build
need googletest
need clang
need lld
need zip

[ -z "$missing" ] && exit 0

echo "Installing:$missing"
if [ "$(id -u)" -eq 0 ]; then sudo=; else sudo=sudo; fi
case " $(dpkg --print-foreign-architectures | tr '\n' ' ') " in
*" i386 "*) ;;
*) $sudo dpkg --add-architecture i386 ;;
esac
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends $missing >/dev/null
