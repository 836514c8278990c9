#!/usr/bin/env bash
# Installs what the build and the tests need from Debian's archive, once.
# Quiet when everything is there already.
set -euo pipefail

packages=(make cmake g++ clang libclang-rt-14-dev googletest g++-mingw-w64-i686 mingw-w64-tools
          wine wine32:i386 xvfb xdotool x11-utils imagemagick)

install() {
    local p status missing=()
    for p in "$@"; do
        status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
        [[ "$status" == "install ok installed" ]] || missing+=("$p")
    done
    [[ ${#missing[@]} -eq 0 ]] && return 0
    if [[ $(id -u) -ne 0 ]]; then
        echo "deps: missing packages: ${missing[*]} (run as root to install them)" >&2
        exit 1
    fi
    echo "deps: installing ${missing[*]}"
    if ! dpkg --print-foreign-architectures | grep -qx i386; then
        dpkg --add-architecture i386
    fi
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq
    apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
}

install "${packages[@]}"
# A kernel that refuses 32-bit programs, or TW_VM=1, gets the tests under
# Wine run in an emulated machine (scripts/vm.sh).
if bash "$(dirname "$0")/vm.sh" needed; then
    install qemu-system-x86 debootstrap
fi
