#!/usr/bin/env bash
# Builds the Debian package from the build folder and checks it: its files, computed library
# dependencies, stripped binaries, and the desktop entry, metainfo and package validators.
# Usage: test_package.sh BUILD_DIR
set -euo pipefail
cd "$1"
id=io.github.tqmanage.TqManage
rm -f tqmanage_*.deb
cpack -G DEB > cpack.log 2>&1 || { cat cpack.log; exit 1; }
deb=$(ls tqmanage_*_*.deb)
fail() { echo "FAIL: $*"; exit 1; }
files=$(dpkg-deb -c "$deb" | grep -o '\./.*')
for f in usr/bin/tqmanage usr/bin/tqmanage-cli usr/bin/tqunit-sim usr/share/tqmanage/System/Language.ini \
         "usr/share/tqmanage/System/Update log.ini" usr/share/tqmanage/System/Help/help_en.html \
         usr/share/applications/$id.desktop usr/share/metainfo/$id.metainfo.xml \
         usr/share/icons/hicolor/48x48/apps/$id.png usr/share/icons/hicolor/128x128/apps/$id.png \
         usr/share/icons/hicolor/scalable/apps/$id.svg usr/share/man/man1/tqmanage.1.gz \
         usr/share/man/man1/tqunit-sim.1.gz usr/share/man/man1/tqmanage-cli.1.gz usr/share/doc/tqmanage/copyright usr/share/doc/tqmanage/changelog.gz \
         usr/share/tqmanage/screenshots/screenshot-150-en.png usr/share/tqmanage/screenshots/screenshot-150-zh.png; do
  grep -qxF "./$f" <<< "$files" || fail "$deb lacks /$f"
done
depends=$(dpkg-deb -f "$deb" Depends)
for lib in libqt5widgets5 libqt5serialport5 libc6 qttranslations5-l10n; do
  grep -q "$lib" <<< "$depends" || fail "Depends lacks $lib: $depends"
done
x=$(mktemp -d)
trap 'rm -rf "$x"' EXIT
dpkg-deb -x "$deb" "$x"
for b in tqmanage tqmanage-cli tqunit-sim; do
  file "$x/usr/bin/$b" | grep -q ', stripped' || fail "/usr/bin/$b is not stripped"
done
desktop-file-validate "$x/usr/share/applications/$id.desktop" || fail "desktop-file-validate"
appstreamcli validate --no-net "$x/usr/share/metainfo/$id.metainfo.xml" || fail "appstreamcli validate"
lintian --tag-display-limit 0 "$deb" > lintian.log 2>&1 || true
cat lintian.log
! grep -q '^E:' lintian.log || fail "lintian reports errors"
echo "$deb: $(wc -l <<< "$files") entries, Depends: $depends"
