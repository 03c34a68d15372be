#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Builds the Debian packages with CPack and checks them: quillmate-cli without any Qt package,
# quillmate on top of it with Qt, the contents of each, their copyright and changelog, and
# lintian's verdict (no error; the warnings it may give are listed in docs/packaging.md).
# usage: check_deb.sh BUILD_DIR VERSION
set -euo pipefail
build=$1
version=$2
revision=$version-1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "check_deb: $*" >&2; exit 1; }

cpack --config "$build/CPackConfig.cmake" -B "$work/out" >"$work/cpack.log" 2>&1 || { cat "$work/cpack.log"; fail "cpack"; }
cli_deb=$(ls "$work"/out/quillmate-cli_"$revision"_*.deb 2>/dev/null | head -n 1)
gui_deb=$(ls "$work"/out/quillmate_"$revision"_*.deb 2>/dev/null | head -n 1)
[ -n "$cli_deb" ] || { ls "$work/out"; fail "no quillmate-cli_${revision}_*.deb"; }
[ -n "$gui_deb" ] || { ls "$work/out"; fail "no quillmate_${revision}_*.deb"; }

field() { dpkg-deb -f "$1" "$2"; }
[ "$(field "$cli_deb" Package)" = quillmate-cli ] || fail "quillmate-cli: package name"
[ "$(field "$gui_deb" Package)" = quillmate ] || fail "quillmate: package name"
for deb in "$cli_deb" "$gui_deb"; do
  [ "$(field "$deb" Version)" = "$revision" ] || fail "$(basename "$deb"): version $(field "$deb" Version)"
  maintainer=$(field "$deb" Maintainer)
  grep -q 'Quillmate/VB' <<<"$maintainer" || fail "$(basename "$deb"): maintainer does not name the project: $maintainer"
  grep -q '@localhost' <<<"$maintainer" && fail "$(basename "$deb"): maintainer at localhost"
  [ -n "$(field "$deb" Homepage)" ] || fail "$(basename "$deb"): no Homepage"
done

# The command-line package stands on the C++ library, Hunspell, uchardet and a dictionary, not on Qt.
cli_depends=$(field "$cli_deb" Depends)
for dep in libc6 libstdc++6 libhunspell-1.7-0 libuchardet0 hunspell-dictionary; do
  grep -q "\b$dep\b" <<<"$cli_depends" || fail "quillmate-cli Depends lacks $dep: $cli_depends"
done
grep -qi 'qt' <<<"$cli_depends" && fail "quillmate-cli depends on Qt: $cli_depends"
gui_depends=$(field "$gui_deb" Depends)
for dep in "quillmate-cli (= $revision)" libqt6widgets6 qt6-qpa-plugins; do
  grep -qF "$dep" <<<"$gui_depends" || fail "quillmate Depends lacks $dep: $gui_depends"
done

contents() { dpkg-deb --contents "$1" | awk '{print $6}'; }
contents "$cli_deb" >"$work/cli.list"
contents "$gui_deb" >"$work/gui.list"
for path in ./usr/bin/quillmate-cli ./usr/share/man/man1/quillmate-cli.1.gz \
            ./usr/share/bash-completion/completions/quillmate-cli \
            ./usr/share/zsh/vendor-completions/_quillmate-cli \
            ./usr/share/fish/vendor_completions.d/quillmate-cli.fish \
            ./usr/share/doc/quillmate-cli/copyright ./usr/share/doc/quillmate-cli/changelog.Debian.gz; do
  grep -qx -- "$path" "$work/cli.list" || fail "quillmate-cli lacks $path"
done
for path in ./usr/bin/quillmate ./usr/share/man/man1/quillmate.1.gz \
            ./usr/share/applications/org.quillmate.Quillmate.desktop \
            ./usr/share/metainfo/org.quillmate.Quillmate.metainfo.xml \
            ./usr/share/icons/hicolor/256x256/apps/org.quillmate.Quillmate.png \
            ./usr/share/mime/packages/org.quillmate.Quillmate.xml \
            ./usr/share/doc/quillmate/copyright ./usr/share/doc/quillmate/changelog.Debian.gz; do
  grep -qx -- "$path" "$work/gui.list" || fail "quillmate lacks $path"
done
# No file is in both packages (dpkg would refuse the second), and the desktop one has no CLI.
common=$(comm -12 <(grep -v '/$' "$work/cli.list" | sort) <(grep -v '/$' "$work/gui.list" | sort))
[ -z "$common" ] || fail "files in both packages: $common"
# Nothing of the build or the tests is shipped.
if cat "$work/cli.list" "$work/gui.list" | grep -E 'gtest|test_|bench|iconrender|\.a$|/include/'; then
  fail "packages ship build files"
fi

for deb in "$cli_deb" "$gui_deb"; do
  name=$(field "$deb" Package)
  dpkg -x "$deb" "$work/root-$name"
  copyright=$work/root-$name/usr/share/doc/$name/copyright
  head -n 1 "$copyright" | grep -q '^Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/' ||
    fail "$name: copyright is not DEP-5"
  grep -q '^License: Expat' "$copyright" || fail "$name: copyright names no licence"
  gzip -dc "$work/root-$name/usr/share/doc/$name/changelog.Debian.gz" | head -n 1 |
    grep -qF "quillmate ($revision)" || fail "$name: changelog does not start with $revision"
done
grep -q 'Hunspell' "$work/root-quillmate-cli/usr/share/doc/quillmate-cli/copyright" || fail "quillmate-cli: copyright omits Hunspell"
grep -q 'nlohmann-json' "$work/root-quillmate-cli/usr/share/doc/quillmate-cli/copyright" || fail "quillmate-cli: copyright omits nlohmann-json"
grep -q 'Qt 6' "$work/root-quillmate/usr/share/doc/quillmate/copyright" || fail "quillmate: copyright omits Qt"

# Built with the hardening flags: read-only relocations bound at start, stack protector.
for program in "$work/root-quillmate-cli/usr/bin/quillmate-cli" "$work/root-quillmate/usr/bin/quillmate"; do
  # Read whole before grep -q, whose early exit would fail the pipe.
  dynamic=$(readelf -d "$program")
  segments=$(readelf -lW "$program")
  symbols=$(readelf -W --dyn-syms "$program")
  grep -q 'BIND_NOW\|FLAGS.*NOW' <<<"$dynamic" || fail "$(basename "$program") is not linked with -z now"
  grep -q GNU_RELRO <<<"$segments" || fail "$(basename "$program") has no RELRO segment"
  grep -q __stack_chk_fail <<<"$symbols" || fail "$(basename "$program") has no stack protector"
done

"$work/root-quillmate-cli/usr/bin/quillmate-cli" --version | grep -qx "quillmate-cli $version" || fail "quillmate-cli --version"

# lintian: no error on either package. Warnings are allowed only when docs/packaging.md explains them.
if command -v lintian >/dev/null; then
  doc=$(dirname "$0")/../../docs/packaging.md
  for deb in "$cli_deb" "$gui_deb"; do
    lintian --tag-display-limit 0 "$deb" >"$work/lintian.log" 2>&1 || true
    if grep -q '^E:' "$work/lintian.log"; then cat "$work/lintian.log"; fail "lintian reports errors on $(basename "$deb")"; fi
    for tag in $(awk '/^W:/ {print $3}' "$work/lintian.log" | sort -u); do
      grep -qF -- "$tag" "$doc" || { cat "$work/lintian.log"; fail "lintian warning $tag on $(basename "$deb") is not explained in docs/packaging.md"; }
    done
  done
else
  echo "check_deb: lintian is not installed (scripts/install-deps.sh installs it)" >&2
  exit 1
fi
echo "check_deb: $(basename "$cli_deb") and $(basename "$gui_deb") are complete and lintian-clean"
