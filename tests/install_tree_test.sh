#!/bin/sh
# SPDX-License-Identifier: MIT
# Installs the build into a fresh prefix and checks what a packager and a
# user get: the programs, the versioned library, the header with its
# pkg-config file (a C program builds and runs against them), the desktop
# entry, the icons, the AppStream data and the manual pages.
#   install_tree_test.sh BUILD_DIR LIBDIR VERSION
set -eu
build=$1
libdir=$2
version=$3
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
failures=0
fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}

cmake --install "$build" --prefix "$prefix" >/dev/null

for program in ovaline ovaline-cli ovaline-unit; do
    [ -x "$prefix/bin/$program" ] || fail "bin/$program missing"
done

lib=$prefix/$libdir
[ -f "$lib/libovaline.so.$version" ] || fail "$libdir/libovaline.so.$version missing"
[ "$(readlink "$lib/libovaline.so.2")" = libovaline.so.$version ] || fail "libovaline.so.2 link"
[ "$(readlink "$lib/libovaline.so")" = libovaline.so.2 ] || fail "libovaline.so link"
soname=$(objdump -p "$lib/libovaline.so.$version" | awk '$1 == "SONAME" { print $2 }')
[ "$soname" = libovaline.so.2 ] || fail "SONAME is '$soname'"
# The installed programs find the library by its name alone, without a path
# into the build tree.
if objdump -p "$prefix/bin/ovaline-cli" | grep -q 'R.*PATH'; then
    fail "ovaline-cli keeps a run path"
fi

share=$prefix/share
desktop=$share/applications/org.ovaline.Ovaline.desktop
desktop-file-validate "$desktop" || fail "desktop entry does not validate"
grep -qx 'Exec=ovaline' "$desktop" || fail "desktop entry does not run ovaline"
appstreamcli validate --no-net "$share/metainfo/org.ovaline.Ovaline.metainfo.xml" >/dev/null ||
    fail "AppStream data does not validate"
for size in 16 32 48 256; do
    icon=$share/icons/hicolor/${size}x${size}/apps/org.ovaline.Ovaline.png
    file "$icon" | grep -q "PNG image data, $size x $size" || fail "icon of $size pixels"
done
for page in ovaline ovaline-cli ovaline-unit; do
    manual=$share/man/man1/$page.1.gz
    [ -f "$manual" ] || { fail "man page $page missing"; continue; }
    warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$manual" 2>&1 >/dev/null)
    [ -z "$warnings" ] || fail "man page $page: $warnings"
    LC_ALL=C.UTF-8 MANWIDTH=80 man -l "$manual" 2>/dev/null | grep -q "^NAME" ||
        fail "man page $page shows no NAME"
done

# A C program against the installed header and library, through pkg-config.
cat >"$prefix/probe.c" <<'PROGRAM'
#include <ovaline.h>
#include <ovaline_fingerprint.h>
#include <stdio.h>
#include <string.h>

int main(void) {
    char name[32];
    if (OvalineSetPortName(2, "virtual") != 0)
        return 1;
    if (OvalineGetPortName(2, name, sizeof name) != 7 || strcmp(name, "virtual") != 0)
        return 2;
    /* The standard CRC-32 check value. */
    if (OvalineCrc32("123456789", 9) != 0xCBF43926u)
        return 4;
    puts(OvalineResultText(OVALINE_E_OPEN));
    return sizeof(TrafficBlock) == 55 || sizeof(TrafficBlock) == 63 ? 0 : 3;
}
PROGRAM
export PKG_CONFIG_PATH="$lib/pkgconfig"
[ "$(pkg-config --modversion ovaline)" = "$version" ] || fail "pkg-config version"
# shellcheck disable=SC2046
if cc -std=c11 -Wall -Werror -o "$prefix/probe" "$prefix/probe.c" $(pkg-config --cflags --libs ovaline); then
    out=$(LD_LIBRARY_PATH="$lib" "$prefix/probe") || fail "the C program failed"
    [ "$out" = "Failed to open COM" ] || fail "the C program printed '$out'"
else
    fail "a C program does not build against the installed library"
fi

if [ "$failures" -ne 0 ]; then
    echo "$failures failed"
    exit 1
fi
echo "install tree: all checks passed"
