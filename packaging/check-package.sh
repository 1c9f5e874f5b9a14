#!/usr/bin/env bash
# Builds the Debian package in a build folder and checks it as a school's
# administrator meets it: lintian finds no error; it holds the programs, the
# desktop entry, the icon, the metadata, the translation, the manual pages
# and the documents; the entry and the metadata validate; apt could install
# it here (its dependencies resolve); and the program unpacked from it starts
# and names its version.
set -euo pipefail
build=$1 version=$2
cd "$build"
rm -f torvak_*.deb
cpack -G DEB >/dev/null
deb="torvak_${version}_$(dpkg --print-architecture).deb"

contents="$(dpkg-deb --contents "$deb" | awk '{print $6}')"
for file in usr/bin/torvak usr/bin/torvak-headsim usr/share/applications/torvak.desktop \
            usr/share/icons/hicolor/scalable/apps/torvak.svg usr/share/metainfo/org.torvak.Torvak.metainfo.xml \
            usr/share/torvak/translations/torvak_en.qm usr/share/man/man1/torvak.1.gz \
            usr/share/man/man1/torvak-headsim.1.gz \
            usr/share/doc/torvak/copyright usr/share/doc/torvak/changelog.gz; do
  grep -qx "\./$file" <<<"$contents" || { echo "missing from $deb: /$file"; exit 1; }
done
dpkg-deb --field "$deb" Depends | grep -q 'libqt6widgets6' || { echo "no computed library dependencies"; exit 1; }

if ! report="$(lintian --fail-on error "$deb" 2>&1)"; then
  echo "$report"
  exit 1
fi
grep -v "^running with root privileges" <<<"$report" || true  # warnings, if any

unpacked="$(mktemp -d)"
trap 'rm -rf "$unpacked"' EXIT
dpkg-deb -x "$deb" "$unpacked"
desktop-file-validate "$unpacked/usr/share/applications/torvak.desktop"
appstreamcli validate --no-net "$unpacked/usr/share/metainfo/org.torvak.Torvak.metainfo.xml" >/dev/null

apt-get install --simulate "$PWD/$deb" >/dev/null
answer="$(DISPLAY= "$unpacked/usr/bin/torvak" --version)"
[ "$answer" = "torvak $version" ] || { echo "unpacked torvak --version said: $answer"; exit 1; }
echo "$deb: checked"
