#!/usr/bin/env bash
# The Debian package: `cpack -G DEB` from the build, then its control fields, its contents,
# its AppStream file, and the packaged kelvane-cli run from the unpacked tree.
#
#   tests/install/package_test.sh BUILD_DIR SOURCE_DIR [CPACK]
set -euo pipefail

build=$(cd "$1" && pwd)
source_dir=$(cd "$2" && pwd)
cpack=${3:-cpack}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

unset DESTDIR KELVANE_HOME
"$cpack" -G DEB --config "$build/CPackConfig.cmake" -B "$work/out" > "$work/cpack.log" 2>&1 ||
    fail "cpack: $(tail -n 20 "$work/cpack.log")"
version=$(sed -n 's/^project(Kelvane VERSION \([0-9.]*\).*/\1/p' "$source_dir/CMakeLists.txt")
deb=$work/out/kelvane_${version}_$(dpkg --print-architecture).deb
[ -f "$deb" ] || fail "no $(basename "$deb") (made: $(ls "$work/out"))"

field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Package)" = kelvane ] || fail "Package: $(field Package)"
[ "$(field Version)" = "$version" ] || fail "Version: $(field Version)"
[ "$(field Architecture)" = "$(dpkg --print-architecture)" ] || fail "Architecture: $(field Architecture)"
[ -n "$(field Maintainer)" ] || fail "no Maintainer"
[ -n "$(field Description)" ] || fail "no Description"
depends=$(field Depends)
for lib in libc6 libstdc++6 libqt6core6; do
    grep -q "$lib" <<<"$depends" || fail "Depends lacks $lib: $depends"
done

dpkg-deb -x "$deb" "$work/root"
usr=$work/root/usr
for file in lib/kelvane/kelvane-cli lib/kelvane/kelvane.CFG lib/kelvane/kelvane.CFA \
    lib/kelvane/kelvane.CFM lib/kelvane/ZOL_deu.lan lib/kelvane/help/help.css \
    share/man/man1/kelvane-cli.1; do
    [ -f "$usr/$file" ] || fail "not packaged: /usr/$file"
done
[ "$(readlink "$usr/bin/kelvane-cli")" = ../lib/kelvane/kelvane-cli ] || fail "bin/kelvane-cli link"
if [ -f "$build/kelvane" ]; then
    [ "$(readlink "$usr/bin/kelvane")" = ../lib/kelvane/kelvane ] || fail "bin/kelvane link"
    for file in share/applications/kelvane.desktop share/applications/morvane.desktop \
        share/icons/hicolor/scalable/apps/kelvane.svg share/metainfo/org.kelvane.Kelvane.metainfo.xml; do
        [ -f "$usr/$file" ] || fail "not packaged: /usr/$file"
    done
    grep -q 'libqt6widgets6' <<<"$depends" || fail "Depends lacks libqt6widgets6: $depends"
    if command -v appstreamcli > /dev/null; then
        appstreamcli validate --no-net "$usr/share/metainfo/org.kelvane.Kelvane.metainfo.xml" \
            > "$work/appstream.log" 2>&1 || fail "AppStream: $(cat "$work/appstream.log")"
    fi
    if command -v desktop-file-validate > /dev/null; then
        desktop-file-validate "$usr/share/applications/kelvane.desktop" \
            "$usr/share/applications/morvane.desktop" || fail "desktop entries"
    fi
fi
file "$usr/lib/kelvane/kelvane-cli" 2>/dev/null | grep -q 'not stripped' && fail "kelvane-cli is not stripped"

# The packaged tool runs from its own program folder.
python3 "$source_dir/data/make-samples" "$work/samples" > /dev/null
"$usr/bin/kelvane-cli" version | grep -q "V $version" || fail "kelvane-cli version"
"$usr/bin/kelvane-cli" list -s "$work/samples/Styles" > "$work/list.txt" ||
    fail "packaged kelvane-cli list: $(tail -n 5 "$work/list.txt")"
grep -q '^Showing [0-9]* styles out of' "$work/list.txt" || fail "no status line in the list"
echo "package: $(basename "$deb"), $(du -k "$deb" | cut -f1) KiB, Depends: $depends"
