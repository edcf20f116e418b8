#!/usr/bin/env bash
# By hand, not in CI (it needs root, debootstrap and Debian's mirror): installs
# the two packages with apt into a fresh Debian 12 root and runs them there.
#   tests/apt_install_check.sh WORK_DIR [QUOTALIS_CLI_DEB QUOTALIS_DEB]
# Without the packages it makes them with packaging/make-packages.sh in
# WORK_DIR/build. A minimal Debian 12 made by debootstrap is kept in
# WORK_DIR/pristine (remove it for a new one); each run copies it afresh to
# WORK_DIR/root and then, inside it:
#   1. apt installs quotalis-cli alone: nothing of Qt or X may come with it;
#      quotalis-cli answers 0.1(6) with 1/6, and man and bash completion find
#      its page and its completion;
#   2. apt installs both packages, as a user would: apt install ./quotalis-cli_*.deb ./quotalis_*.deb;
#   3. quotalis starts under Xvfb and its window is shown: xdotool finds it
#      mapped and xwininfo gives its state; a screenshot is left in WORK_DIR;
#   4. apt removes both and their files are gone.
set -euo pipefail

if (($(id -u) != 0)); then
    echo "run as root (chroot, mount)" >&2
    exit 2
fi
if (($# != 1 && $# != 3)); then
    sed -n '2,16p' "$0" | sed 's/^# \{0,1\}//' >&2
    exit 2
fi
source_dir=$(cd "$(dirname "$0")/.." && pwd)
work=$(mkdir -p "$1" && cd "$1" && pwd)
if (($# == 3)); then
    cli_deb=$(realpath "$2")
    gui_deb=$(realpath "$3")
else
    mapfile -t debs < <("$source_dir/packaging/make-packages.sh" "$work/build" "$work/out")
    cli_deb=$(printf '%s\n' "${debs[@]}" | grep '/quotalis-cli_')
    gui_deb=$(printf '%s\n' "${debs[@]}" | grep '/quotalis_')
fi
step() { printf '\n== %s\n' "$*"; }

pristine=$work/pristine
if [[ ! -e $pristine/etc/debian_version ]]; then
    step "debootstrap --variant=minbase bookworm"
    rm -rf "$pristine"
    debootstrap --variant=minbase bookworm "$pristine" http://deb.debian.org/debian
fi
root=$work/root
step "a fresh copy of the Debian $(cat "$pristine/etc/debian_version") root in $root"
rm -rf "$root"
cp -a "$pristine" "$root"
cp /etc/resolv.conf "$root/etc/resolv.conf"
mkdir -p "$root/tmp/debs"
cp "$cli_deb" "$gui_deb" "$root/tmp/debs/"
cli_name=$(basename "$cli_deb")
gui_name=$(basename "$gui_deb")

xvfb_pid=
cleanup() {
    [[ -n $xvfb_pid ]] && kill "$xvfb_pid" 2>/dev/null || true
    for m in sys proc dev/pts dev; do
        mountpoint -q "$root/$m" && umount -l "$root/$m"
    done
    return 0
}
trap cleanup EXIT
mount --bind /dev "$root/dev"
mount --bind /dev/pts "$root/dev/pts"
mount -t proc proc "$root/proc"
mount -t sysfs sys "$root/sys"
in_root() { chroot "$root" /usr/bin/env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin HOME=/root \
    LANG=C.UTF-8 DEBIAN_FRONTEND=noninteractive "$@"; }
apt_get() { in_root apt-get -y -q -o Dpkg::Progress-Fancy=0 "$@"; }

step "apt-get update"
apt_get update

step "apt install ./$cli_name (alone)"
installed() { in_root dpkg-query -W -f='${Package}\n' | sort; }
before=$(installed)
in_root sh -c "cd /tmp/debs && apt-get -y -q install ./$cli_name"
brought=$(comm -13 <(echo "$before") <(installed) | tr '\n' ' ')
echo "installed with it: $brought"
if grep -qiE '(^| )(libqt|qt6|libx|libgl|fonts-)' <<<"$brought"; then
    echo "FAIL: quotalis-cli brought in parts of the window: $brought" >&2
    exit 1
fi
in_root dpkg-query -W -f='${Package} ${Version} depends on: ${Depends}\n' quotalis-cli
answer=$(in_root quotalis-cli '0.1(6)' 2>&1) || true
echo "quotalis-cli '0.1(6)' answers: $answer"
[[ $answer == 1/6 ]] || { echo "FAIL: not 1/6" >&2; exit 1; }
answer=$(in_root quotalis-cli --period 1 0.1666 2>&1) || true
echo "quotalis-cli --period 1 0.1666 answers: $answer"
[[ $answer == 1/6 ]] || { echo "FAIL: not 1/6" >&2; exit 1; }

step "the manual page and the completion, with man-db and bash-completion"
apt_get install --no-install-recommends man-db bash-completion >/dev/null
in_root man -w quotalis-cli
in_root sh -c 'MANWIDTH=80 man quotalis-cli 2>&1 | head -n 4'
offers=$(in_root bash -c 'source /usr/share/bash-completion/bash_completion
    _completion_loader quotalis-cli
    COMP_WORDS=(quotalis-cli --notation ""); COMP_CWORD=2
    _quotalis_cli; echo "${COMPREPLY[*]}"')
echo "completions of 'quotalis-cli --notation ': $offers"
[[ $offers == *parens* && $offers == *keypad* ]] || { echo "FAIL: no notations offered" >&2; exit 1; }

step "apt install ./$cli_name ./$gui_name"
in_root sh -c "cd /tmp/debs && apt-get -y -q install ./$cli_name ./$gui_name"
in_root dpkg-query -W -f='${Package} ${Version} ${Status}\n' quotalis quotalis-cli
in_root ldd /usr/bin/quotalis | grep -E 'libQt6|not found'
if in_root ldd /usr/bin/quotalis | grep -q 'not found'; then
    echo "FAIL: quotalis misses libraries" >&2
    exit 1
fi

step "quotalis under Xvfb"
# Only the tools of the check, not things the program needs.
apt_get install --no-install-recommends xvfb xauth x11-utils xdotool x11-apps netpbm >/dev/null
display=:57
rm -f "$root/tmp/.X57-lock"
chroot "$root" /usr/bin/env -i PATH=/usr/bin:/bin Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp \
    >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
for _ in $(seq 50); do
    [[ -S $root/tmp/.X11-unix/X57 ]] && break
    sleep 0.1
done
mkdir -m 0700 "$root/tmp/runtime"
in_root sh -c "DISPLAY=$display XDG_RUNTIME_DIR=/tmp/runtime quotalis >/tmp/quotalis.log 2>&1 &
    echo \$! >/tmp/quotalis.pid"
window=$(in_root env DISPLAY=$display timeout 20 xdotool search --sync --onlyvisible --name '^Quotalis$' |
    head -n 1)
[[ -n $window ]] || { echo "FAIL: no window named Quotalis was shown" >&2; cat "$root/tmp/quotalis.log" >&2; exit 1; }
sleep 1  # let it paint before the screenshot
echo "xdotool: visible window $window named '$(in_root env DISPLAY=$display xdotool getwindowname "$window")'"
in_root env DISPLAY=$display xwininfo -id "$window" | grep -E 'Window id|Map State|Width|Height|Absolute'
in_root sh -c "DISPLAY=$display xwd -root -silent | xwdtopnm 2>/dev/null | pnmtopng >/tmp/quotalis-window.png"
cp "$root/tmp/quotalis-window.png" "$work/quotalis-window.png"
echo "screenshot: $work/quotalis-window.png"
echo "the program's output: $(cat "$root/tmp/quotalis.log")"
kill "$(cat "$root/tmp/quotalis.pid")"

step "apt remove quotalis quotalis-cli"
apt_get purge quotalis quotalis-cli >/dev/null
for file in /usr/bin/quotalis /usr/bin/quotalis-cli /usr/share/man/man1/quotalis.1.gz \
    /usr/share/bash-completion/completions/quotalis-cli /usr/share/doc/quotalis/copyright; do
    [[ ! -e $root$file ]] || { echo "FAIL: $file stays after removal" >&2; exit 1; }
done
echo "both removed, their files gone"
step "all checks passed"
