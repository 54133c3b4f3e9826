#!/bin/sh
# Makes the Debian package from the build tree and puts it before the checks a
# distribution makes: lintian on the package (no error; warnings and notes are
# printed), desktop-file-validate on the menu entries and appstreamcli on the
# metainfo. Then what it holds and depends on, and how a desktop with it
# installed names a ledger's type and the program that opens one.
#   check_package.sh <cpack> <build dir> <version> <work dir>
# Exits 77 (skipped) where a tool is missing.
set -u
cpack=$1 build=$2 version=$3 work=$4
fail() { echo "FAIL: $*"; exit 1; }

missing=
for tool in dpkg-deb lintian desktop-file-validate appstreamcli update-mime-database update-desktop-database gio sqlite3; do
    command -v "$tool" >/dev/null 2>&1 || missing="$missing $tool"
done
[ -z "$missing" ] || { echo "package check skipped, not installed:$missing"; exit 77; }

rm -rf "$work" && mkdir -p "$work"
"$cpack" -G DEB --config "$build/CPackConfig.cmake" -B "$work" >"$work/cpack.log" 2>&1 ||
    { cat "$work/cpack.log"; fail "cpack"; }
deb=$work/kinzo_${version}_amd64.deb
[ -f "$deb" ] || fail "cpack made no $deb"

echo "== lintian"
lintian --fail-on error --display-info --tag-display-limit 0 "$deb" || fail "lintian reports errors"
root=$work/root
dpkg-deb -x "$deb" "$root"
echo "== desktop-file-validate"
for entry in "$root"/usr/share/applications/*.desktop; do
    desktop-file-validate "$entry" || fail "$entry"
done
echo "== appstreamcli"
appstreamcli validate --no-net "$root"/usr/share/metainfo/*.metainfo.xml || fail "metainfo"

echo "== contents"
program=$root/usr/lib/kinzo
for file in Kinzo2/Kinzo2 Sanbo/Sanbo Tebiki/Tebiki2 lib/libVoice.so Kinzo2/_kinzoTemplate.kzd \
            Kinzo2/DEFAULT_Kinzo.ini Kinzo2/Holiday.txt Kinzo2/Kinzo_Manual.txt Sanbo/DEFAULT_Sanbo.ini \
            Sanbo/Sanbo_Manual.txt; do
    [ -f "$program/$file" ] || fail "the package lacks /usr/lib/kinzo/$file"
done
for launcher in kinzo2 sanbo tebiki2; do
    [ -x "$root/usr/bin/$launcher" ] || fail "/usr/bin/$launcher leads to no program"
done
# Caches belong to the triggers of shared-mime-info, desktop-file-utils and
# the icon theme, not to the package.
if dpkg-deb -c "$deb" | grep -E '\./(opt|usr/local)/|mime\.cache|/mime/(globs|magic)|mimeinfo\.cache|icon-theme\.cache'; then
    fail "the package holds files outside its places or caches"
fi
depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
for library in libqt6widgets6 libqt6printsupport6 libsqlite3-0 libspeechd2; do
    echo "$depends" | grep -q "$library" || fail "no dependency on $library"
done

echo "== the desktop's view"
export LC_ALL=C.UTF-8 XDG_DATA_HOME="$work/home" XDG_CONFIG_HOME="$work/config" XDG_CONFIG_DIRS="$work/config"
export XDG_DATA_DIRS="$root/usr/share:/usr/share" PATH="$root/usr/bin:$PATH"
update-mime-database "$root/usr/share/mime"
update-desktop-database "$root/usr/share/applications"
type_of() { gio info -a standard::content-type "$1" | sed -n 's/.*standard::content-type: //p'; }
cp "$build/out/Kinzo2/_kinzoTemplate.kzd" "$work/家計.kzd"
cp "$build/out/Kinzo2/_kinzoTemplate.kzd" "$work/ledger-without-suffix"
sqlite3 "$work/other-database" "CREATE TABLE t (x);"
for case in "家計.kzd application/x-kinzo-ledger" "ledger-without-suffix application/x-kinzo-ledger" \
            "other-database application/vnd.sqlite3"; do
    set -- $case
    found=$(type_of "$work/$1")
    echo "$1: $found"
    [ "$found" = "$2" ] || fail "$1 is taken for $found, not $2"
done
opener=$(gio mime application/x-kinzo-ledger | head -n 1)
echo "$opener"
case "$opener" in *": kinzo2.desktop") ;; *) fail "a ledger is not opened by kinzo2.desktop" ;; esac
echo "package check passed: $deb"
