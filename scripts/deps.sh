#!/usr/bin/env bash
# Installs what the build and the tests need from Debian's archive, once.
# Quiet when everything is there already.
#
# The archive has bad days: a mirror in the middle of a sync serves one list
# of the wrong size, and `apt-get update` then exits non-zero although every
# other list was refreshed; and packages of the second architecture (i386)
# may then not resolve against the newer ones of the first. So the update is
# tried again, and a partial one goes on with a warning; an install that does
# not resolve is tried again with the release's own versions (-t CODENAME).
set -euo pipefail

packages=(make cmake g++ clang libclang-rt-14-dev googletest g++-mingw-w64-i686 mingw-w64-tools
          wine wine32:i386 xvfb xdotool x11-utils imagemagick)

apt_quiet() {
    apt-get -y -qq -o Dpkg::Use-Pty=0 "$@"
}

# Up to three tries; a run that fetched some lists but not all still leaves
# apt able to install from what it has.
update_lists() {
    local try
    for try in 1 2 3; do
        if apt_quiet update >/tmp/tw-deps-update.log 2>&1; then
            return 0
        fi
        sleep $((try * 5))
    done
    echo "deps: warning: 'apt-get update' could not refresh every package list:" >&2
    grep -E '^(E|W):' /tmp/tw-deps-update.log | head -5 >&2 || true
    echo "deps: going on with the lists that could be had" >&2
}

# The release the machine runs, as apt names it (bookworm), or nothing.
release_codename() {
    local VERSION_CODENAME=""
    # shellcheck disable=SC1091
    [[ -r /etc/os-release ]] && source /etc/os-release
    echo "${VERSION_CODENAME:-}"
}

install_packages() {
    local log=/tmp/tw-deps-install.log release
    if apt_quiet install --no-install-recommends "$@" >"$log" 2>&1; then
        return 0
    fi
    release=$(release_codename)
    if [[ -z "$release" ]]; then
        cat "$log" >&2
        return 1
    fi
    echo "deps: the install did not resolve with the newest versions; trying the release's own (-t $release)" >&2
    if apt_quiet install --no-install-recommends -t "$release" "$@" >"$log" 2>&1; then
        echo "deps: installed with the versions of $release" >&2
        return 0
    fi
    cat "$log" >&2
    return 1
}

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
    update_lists
    install_packages "${missing[@]}"
}

install "${packages[@]}"
# A kernel that refuses 32-bit programs, or TW_VM=1, gets the tests under
# Wine run in an emulated machine (scripts/vm.sh).
if bash "$(dirname "$0")/vm.sh" needed; then
    install qemu-system-x86 debootstrap
fi
