#!/usr/bin/env bash
# Runs README's test command on a new minimal Debian 12, as a new user would meet it:
# a minbase bookworm root made with debootstrap (plus git and ca-certificates), the
# committed project cloned into it, scripts/test.sh run there as root. Exits with the
# status of that run. Needs root on a Debian machine that reaches Debian's packages.
#
# The first run keeps the untouched root as build-fresh/bookworm.tar, so later runs only
# unpack it (and reuse the downloaded .deb files), then install and build from scratch.
# The used root stays in build-fresh/root until the next run, for a look inside
# (chroot build-fresh/root); `scripts/fresh-check.sh --nowy` makes the pristine root anew.
set -euo pipefail
KORZEN="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
KATALOG="$KORZEN/build-fresh"
WZORZEC="$KATALOG/bookworm.tar"
R="$KATALOG/root"
ARCHIWUM="$KATALOG/apt-archives"
SERWER="http://deb.debian.org"

if [ "$(id -u)" -ne 0 ]; then
    echo "fresh-check.sh: uruchom jako root (debootstrap, chroot i mount tego wymagają)." >&2
    exit 2
fi
[ "${1:-}" = "--nowy" ] && rm -f "$WZORZEC"

odmontuj() {
    local m
    for m in dev/shm dev/pts dev sys proc var/cache/apt/archives; do
        mountpoint -q "$R/$m" 2>/dev/null && umount "$R/$m"
    done
    return 0
}
trap odmontuj EXIT
start=$(date +%s)
czas() { local s=$(($(date +%s) - start)); printf '%d min %02d s' $((s / 60)) $((s % 60)); }

odmontuj
rm -rf "$R"
mkdir -p "$KATALOG" "$ARCHIWUM/partial"

if [ ! -f "$WZORZEC" ]; then
    if ! command -v debootstrap >/dev/null; then
        apt-get update -qq
        DEBIAN_FRONTEND=noninteractive apt-get install -y -qq debootstrap
    fi
    echo "== debootstrap: bookworm, minbase"
    rm -rf "$R.tmp"
    debootstrap --variant=minbase --include=git,ca-certificates bookworm "$R.tmp" "$SERWER/debian"
    # The sources of an ordinary installation: updates and security fixes too.
    cat >"$R.tmp/etc/apt/sources.list" <<EOF
deb $SERWER/debian bookworm main
deb $SERWER/debian bookworm-updates main
deb $SERWER/debian-security bookworm-security main
EOF
    chroot "$R.tmp" apt-get clean
    tar --numeric-owner -C "$R.tmp" -cf "$WZORZEC.tmp" .
    mv "$WZORZEC.tmp" "$WZORZEC"
    rm -rf "$R.tmp"
    echo "== czysty system zapisany w $WZORZEC po $(czas)"
fi

mkdir -p "$R"
tar --numeric-owner -C "$R" -xpf "$WZORZEC"
cp /etc/resolv.conf "$R/etc/resolv.conf"
# This machine's own certificate authorities (a network that inspects HTTPS, say), so
# that npm reaches its registry from the fresh system as it does from here.
if compgen -G "/usr/local/share/ca-certificates/*.crt" >/dev/null; then
    mkdir -p "$R/usr/local/share/ca-certificates"
    cp /usr/local/share/ca-certificates/*.crt "$R/usr/local/share/ca-certificates/"
    chroot "$R" update-ca-certificates >/dev/null 2>&1 || true
fi
mount -t proc proc "$R/proc"
mount -t sysfs sysfs "$R/sys"
mount --bind /dev "$R/dev"
mount -t devpts -o newinstance,ptmxmode=0666 devpts "$R/dev/pts"
mount -t tmpfs tmpfs "$R/dev/shm"
mount --bind "$ARCHIWUM" "$R/var/cache/apt/archives"

# The committed state of the current branch, cloned as a user would clone it.
git clone -q "$KORZEN" "$R/root/symulator"
git -C "$R/root/symulator" checkout -q --detach "$(git -C "$KORZEN" rev-parse HEAD)"
echo "== test.sh na świeżym systemie ($(git -C "$KORZEN" log -1 --format='%h %s'))"

status=0
chroot "$R" /usr/bin/env -i HOME=/root LANG=C.UTF-8 TERM=dumb \
    NODE_EXTRA_CA_CERTS=/etc/ssl/certs/ca-certificates.crt \
    PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin \
    bash -c 'cd /root/symulator && scripts/test.sh' || status=$?
echo "== fresh-check.sh: scripts/test.sh zakończony kodem $status po $(czas)"
exit "$status"
