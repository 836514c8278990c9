#!/usr/bin/env bash
# Runs a command inside a small Debian machine emulated in software, for
# hosts that refuse 32-bit programs (no ia32 mode, no KVM): the machine's
# own kernel runs the 32-bit Wine, Xvfb and xdotool the tests need.
#   vm.sh needed           succeeds when this host's kernel refuses Wine's
#                          32-bit programs, so that they must run in here,
#                          or when TW_VM=1 asks for the machine anyway (to
#                          measure it on a host that runs them itself)
#   vm.sh image            builds the machine's disk once, as root
#   vm.sh run [--out HOST_DIR] DIR CMD...
#                          copies the tree at DIR into the machine at the
#                          same path, runs CMD there, prints its output as it
#                          comes and exits with its status; what CMD puts in
#                          the folder $TW_VM_OUT is HOST_DIR, shared
# The disk is kept in TW_VM_DIR (~/.cache/tallywhirl-vm by default).
set -euo pipefail

vm_dir=${TW_VM_DIR:-${XDG_CACHE_HOME:-$HOME/.cache}/tallywhirl-vm}
image_version=3
guest_packages=(wine wine32:i386 xvfb xdotool x11-utils imagemagick cmake python3 procps psmisc
                kmod file iproute2)

# The guest's first process: mounts the job's folder, runs its script with
# the output in that folder, and switches the machine off.
guest_init() {
    cat <<'EOT'
#!/bin/sh
mount -t proc proc /proc
mount -t sysfs sys /sys
mount -t devtmpfs dev /dev 2>/dev/null
mkdir -p /dev/pts /dev/shm
mount -t devpts devpts /dev/pts
mount -t tmpfs tmpfs /tmp
mount -t tmpfs tmpfs /dev/shm
mount -t tmpfs tmpfs /run
ip link set lo up
modprobe 9pnet_virtio
modprobe 9p
mkdir -p /job
mount -t 9p -o trans=virtio,version=9p2000.L job /job
sh /job/run.sh >/job/output 2>&1 </dev/null
echo $? >/job/status
sync
echo o >/proc/sysrq-trigger
EOT
}

# The mounts below the folder DIR, the last mounted first.
mounts_below() {
    local m
    findmnt -rn -o TARGET | tac | while read -r m; do
        m=$(printf '%b' "$m")
        if [[ $m == "$1"/* ]]; then echo "$m"; fi
    done
}

# Ends what still runs of a build in DIR (this one's step, or what a build
# killed outright left running in the guest's tree) and unmounts everything
# below DIR, the last mounted first, lazily if busy: a removal of DIR must
# never reach the host's /dev. Fails if anything stays mounted there.
release_build() {
    local m p
    if [[ -n ${step_pid:-} ]]; then
        kill -KILL -- "-$step_pid" 2>/dev/null || true
        wait "$step_pid" 2>/dev/null || true
    fi
    for p in /proc/[0-9]*; do
        if [[ $(readlink "$p/root" 2>/dev/null) == "$1"/* ]]; then kill -KILL "${p#/proc/}" 2>/dev/null || true; fi
    done
    while read -r m; do
        umount "$m" 2>/dev/null || { sleep 1; umount "$m" 2>/dev/null; } || umount -l "$m" || true
    done < <(mounts_below "$1")
    if [[ -n $(mounts_below "$1") ]]; then
        echo "vm: still mounted below $1, left as it is:" >&2
        mounts_below "$1" >&2
        exit 1
    fi
}

# Runs a long build step in a process group of its own and waits for it: a
# signal is then handled at once, and release_build ends the whole step.
step() {
    local status=0
    setsid "$@" &
    step_pid=$!
    wait "$step_pid" || status=$?
    step_pid=
    return "$status"
}

# This host's Debian bookworm archives as apt reads them from its sources,
# in either format (disabled files and other origins left out): "URI SUITE"
# for bookworm, bookworm-updates and bookworm-security, as far as it has them.
debian_archives() {
    # shellcheck disable=SC2016
    apt-get indextargets --format '$(SITE) $(CODENAME)' 'Origin: Debian' 'Component: main' \
        'Target-Of: deb' | grep -E ' bookworm(-updates|-security)?$' | sort -u
}

image_ready() {
    [[ "$(cat "$vm_dir/version" 2>/dev/null)" == "$image_version" ]]
}

build_image() {
    if [[ $(id -u) -ne 0 ]]; then
        echo "vm: building the machine's disk needs root" >&2
        exit 1
    fi
    local archives mirror work
    # apt knows an archive's origin from its lists only.
    archives=$(debian_archives) || { apt-get update -qq || true; archives=$(debian_archives) || true; }
    mirror=$(awk '$2 == "bookworm" { print $1; exit }' <<<"$archives")
    if [[ -z $mirror ]]; then
        echo "vm: apt has no Debian bookworm archive (main) among its sources; the machine's" >&2
        echo "    disk is built from one: add it to /etc/apt/sources.list(.d) and run apt-get update" >&2
        exit 1
    fi
    work=$(realpath -m "$vm_dir/build")
    # An interrupted build may have left the host's /dev mounted in there.
    release_build "$work"
    rm -rf --one-file-system "$work" "$vm_dir/version"
    mkdir -p "$work"
    # Signals end the script through exit, so that the EXIT trap runs; the
    # trap holds the folder's name itself, as $work is this function's.
    # shellcheck disable=SC2064
    trap "release_build $(printf '%q' "$work")" EXIT
    trap 'exit 130' INT; trap 'exit 143' TERM; trap 'exit 129' HUP
    echo "vm: building the machine's disk in $vm_dir (a few minutes, once)"
    step debootstrap --variant=minbase --include=linux-image-amd64 bookworm "$work/root" "$mirror" \
        >"$work/debootstrap.log" 2>&1 || { tail -20 "$work/debootstrap.log" >&2; exit 1; }
    local root=$work/root
    awk '{ print "deb " $1 " " $2 " main" }' <<<"$archives" >"$root/etc/apt/sources.list"
    cp /etc/resolv.conf "$root/etc/"
    for m in proc sys dev; do mount --bind "/$m" "$root/$m"; done
    local status=0
    # As scripts/deps.sh on the host: an update that could refresh only some
    # lists (a mirror in the middle of a sync) goes on with what it has, and
    # an install that does not resolve takes the release's own versions.
    step chroot "$root" sh -c "dpkg --add-architecture i386 &&
        { apt-get update -qq || apt-get update -qq || echo 'vm: some package lists are old'; } &&
        export DEBIAN_FRONTEND=noninteractive &&
        { apt-get install -y -qq --no-install-recommends ${guest_packages[*]} ||
          apt-get install -y -qq --no-install-recommends -t bookworm ${guest_packages[*]}; }" \
        >"$work/packages.log" 2>&1 || status=$?
    release_build "$work"
    if ((status)); then
        tail -20 "$work/packages.log" >&2
        exit 1
    fi
    guest_init >"$root/tw-init"
    chmod 755 "$root/tw-init"
    cp "$root"/boot/vmlinuz-* "$vm_dir/vmlinuz"
    cp "$root"/boot/initrd.img-* "$vm_dir/initrd.img"
    rm -f "$vm_dir/disk.img"
    mkfs.ext4 -q -d "$root" -L twvm "$vm_dir/disk.img" 8G
    release_build "$work"
    rm -rf --one-file-system "$work"
    trap - EXIT INT TERM HUP
    echo "$image_version" >"$vm_dir/version"
}

run() {
    local tree out=""
    if [[ $1 == --out ]]; then
        out=$2
        shift 2
    fi
    tree=$(realpath "$1")
    shift
    image_ready || build_image
    local job
    job=$(mktemp -d)
    [[ -n $out ]] || out=$job/out
    mkdir -p "$out"
    # Wine maps program files from the 9p share wrongly (a program dies at
    # its first instruction), so the tree is copied into the guest's memory
    # at its own path: the build's absolute paths then hold there too.
    # No transparent huge pages in the guest: a program that has written a
    # few pages of a 2 MB span would hold all of it, by the chance of where
    # its mappings fell, and its memory figures would jump by 2 MB.
    cat >"$job/run.sh" <<EOT
set -e
echo never >/sys/kernel/mm/transparent_hugepage/enabled
mkdir -p /src /out $(printf '%q' "$tree")
mount -t 9p -o trans=virtio,version=9p2000.L,ro src /src
mount -t 9p -o trans=virtio,version=9p2000.L out /out
mount -t tmpfs -o size=6g tmpfs $(printf '%q' "$tree")
tar -C /src -c --exclude=./.git --exclude=./build/host --exclude=./build/fuzz . |
    tar -C $(printf '%q' "$tree") -x
umount /src
cd $(printf '%q' "$tree")
export TW_VM_OUT=/out
set +e
$(printf '%q ' "$@")
EOT
    : >"$job/output"
    # This QEMU's emulation of a 32-bit program's IRET faults with SMAP on
    # (an oops in the first wineboot), so the guest's processor has none.
    qemu-system-x86_64 -accel tcg,thread=multi,tb-size=1024 -cpu max,-smap,-pku -smp 2 -m 6G \
        -kernel "$vm_dir/vmlinuz" -initrd "$vm_dir/initrd.img" \
        -append "root=/dev/vda rw console=ttyS0 init=/tw-init quiet panic=1" \
        -drive "file=$vm_dir/disk.img,if=virtio,format=raw,snapshot=on" \
        -virtfs "local,path=$job,mount_tag=job,security_model=none,id=job" \
        -virtfs "local,path=$tree,mount_tag=src,security_model=none,id=src,readonly=on" \
        -virtfs "local,path=$(realpath "$out"),mount_tag=out,security_model=none,id=out" \
        -nic none -display none -serial "file:$job/console.log" -monitor none -no-reboot &
    local qemu=$!
    tail -n +1 --pid=$qemu -f "$job/output"
    wait $qemu || true
    local status
    status=$(cat "$job/status" 2>/dev/null || echo none)
    if [[ $status == none ]]; then
        echo "vm: the machine stopped before the command ended; its console:" >&2
        tail -20 "$job/console.log" >&2
        status=1
    fi
    rm -rf "$job"
    return "$status"
}

case "${1:-}" in
    needed) [[ ${TW_VM:-} == 1 ]] || grep -q 'Exec format error' <<<"$(wine --version 2>&1)" ;;
    image) image_ready || build_image ;;
    run) shift; run "$@" ;;
    *) echo "usage: $0 needed | image | run [--out HOST_DIR] DIR COMMAND..." >&2; exit 2 ;;
esac
