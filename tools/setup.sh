#!/usr/bin/env bash
# Installs the build and test tools and fetches the dependency sources.
# Idempotent: a second run only checks what the first one did.
set -euo pipefail
export DEBIAN_FRONTEND=noninteractive

cache=${ZENTARIUM_DEPS_CACHE:-/var/cache/zentarium-deps}

packages=(cmake ninja-build g++-mingw-w64-x86-64 g++-mingw-w64-i686 mingw-w64-tools
          wine wine64 wine32:i386 xvfb xdotool imagemagick fonts-wqy-microhei libz-mingw-w64-dev
          libstb-dev googletest 7zip wixl openssl osslsigncode python3 dpkg-dev locales
          qrencode zbar-tools icoutils librsvg2-bin optipng fonts-dejavu-core
          clang-14 libclang-rt-14-dev)

enable_source_lists() {
    local changed=0 f
    for f in /etc/apt/sources.list.d/*.sources; do
        [ -f "$f" ] || continue
        if grep -qE '^Types:[[:space:]]*deb[[:space:]]*$' "$f"; then
            sed -i -E 's/^Types:[[:space:]]*deb[[:space:]]*$/Types: deb deb-src/' "$f"
            changed=1
        fi
    done
    for f in /etc/apt/sources.list /etc/apt/sources.list.d/*.list; do
        [ -f "$f" ] || continue
        while IFS= read -r line; do
            local src="deb-src${line#deb}"
            if ! grep -qxF "$src" "$f"; then
                echo "$src" >>"$f"
                changed=1
            fi
        done < <(grep -E '^deb[[:space:]]' "$f" || true)
    done
    echo $changed
}

# 32-bit Wine makes the test prefix a WOW64 machine, so the x86 exe runs as it does for 32-bit
# users of 64-bit Windows.
arch_added=0
if ! dpkg --print-foreign-architectures | grep -qx i386; then
    dpkg --add-architecture i386
    arch_added=1
fi

# A mirror in the middle of a sync fails an index now and then; retry, then go on with the lists
# there are (the install below fails on its own if a package is really missing).
apt_update() {
    local try
    for try in 1 2 3; do
        apt-get update -q </dev/null && return 0
        sleep $((try * 10))
    done
    echo "setup.sh: apt-get update failed three times; using the package lists there are" >&2
}

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
src_changed=$(enable_source_lists)
if [ ${#missing[@]} -gt 0 ] || [ "$src_changed" = 1 ] || [ "$arch_added" = 1 ] || [ ! -d /var/lib/apt/lists ] \
   || ! ls /var/lib/apt/lists/*Sources* >/dev/null 2>&1; then
    apt_update
fi
if [ ${#missing[@]} -gt 0 ]; then
    apt-get install -y -q --no-install-recommends "${missing[@]}" </dev/null
fi

# The tests run under the Chinese locale of the tool's users and, in places, under an English one.
for loc in "zh_CN.UTF-8 UTF-8" "en_US.UTF-8 UTF-8"; do
    if ! grep -qxF "$loc" /etc/locale.gen 2>/dev/null; then
        echo "$loc" >>/etc/locale.gen
        regen=1
    fi
done
if [ "${regen:-0}" = 1 ] || ! locale -a 2>/dev/null | grep -qi '^zh_CN.utf8$'; then
    locale-gen </dev/null >/dev/null
fi

mkdir -p "$cache"
# zlib: the MinGW build links Debian's libz-mingw-w64-dev; the fuzz build instruments the source.
# A security mirror mid-sync can list a version whose files it does not have yet; then the
# versions listed before it are tried, newest first.
fetch_source() {
    local src=$1 version
    (cd "$cache" && apt-get source --download-only -q "$src" </dev/null) && return 0
    for version in $(apt-cache showsrc "$src" | sed -n 's/^Version: //p' | sort -u -r -V); do
        echo "setup.sh: trying $src=$version" >&2
        (cd "$cache" && apt-get source --download-only -q "$src=$version" </dev/null) && return 0
    done
    return 1
}
for src in libjsoncpp tinyxml 7zip zlib; do
    if ! ls "$cache/${src}"_*.dsc >/dev/null 2>&1; then
        fetch_source "$src"
    fi
done
echo "setup: done (dependency sources in $cache)"
