#!/usr/bin/env bash
# Builds the Debian package with CPack and checks it: its dependencies (found from the shared
# libraries), its contents, and that quillmate-cli runs from the unpacked tree.
# usage: check_deb.sh BUILD_DIR VERSION
set -euo pipefail
build=$1
version=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "check_deb: $*" >&2; exit 1; }

cpack --config "$build/CPackConfig.cmake" -B "$work/out" >"$work/cpack.log" 2>&1 || { cat "$work/cpack.log"; fail "cpack"; }
deb=$(ls "$work"/out/quillmate_"$version"_*.deb 2>/dev/null | head -n 1)
[ -n "$deb" ] || { cat "$work/cpack.log"; fail "no quillmate_${version}_*.deb"; }

depends=$(dpkg-deb -f "$deb" Depends)
for dep in libc6 libstdc++6 libqt6widgets6 qt6-qpa-plugins; do
  grep -q "\b$dep\b" <<<"$depends" || fail "Depends lacks $dep: $depends"
done
[ "$(dpkg-deb -f "$deb" Package)" = quillmate ] || fail "package name"

contents=$(dpkg-deb --contents "$deb" | awk '{print $6}')
for path in ./usr/bin/quillmate ./usr/bin/quillmate-cli ./usr/share/applications/org.quillmate.Quillmate.desktop \
            ./usr/share/metainfo/org.quillmate.Quillmate.metainfo.xml ./usr/share/man/man1/quillmate-cli.1.gz \
            ./usr/share/icons/hicolor/256x256/apps/org.quillmate.Quillmate.png \
            ./usr/share/mime/packages/org.quillmate.Quillmate.xml; do
  grep -qx -- "$path" <<<"$contents" || fail "package lacks $path"
done
# Nothing of the build or the tests is shipped.
if grep -E 'gtest|test_|bench|\.a$|/include/' <<<"$contents"; then fail "package ships build files"; fi

dpkg -x "$deb" "$work/root"
"$work/root/usr/bin/quillmate-cli" --version | grep -qx "quillmate-cli $version" || fail "quillmate-cli --version"
echo "check_deb: $(basename "$deb") is complete"
