#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Installs the build into a temporary prefix and checks what a desktop and a shell find there:
# both programs, their manual pages, the desktop entry, the AppStream metainfo, the MIME types
# and the icon in every size.
# usage: check_install.sh BUILD_DIR
set -euo pipefail
build=$1
id=org.quillmate.Quillmate
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
fail() { echo "check_install: $*" >&2; exit 1; }

cmake --install "$build" --prefix "$prefix" >/dev/null

for file in bin/quillmate bin/quillmate-cli \
            share/man/man1/quillmate.1.gz share/man/man1/quillmate-cli.1.gz \
            share/applications/$id.desktop share/metainfo/$id.metainfo.xml \
            share/mime/packages/$id.xml share/icons/hicolor/scalable/apps/$id.svg \
            share/bash-completion/completions/quillmate-cli \
            share/zsh/vendor-completions/_quillmate-cli share/fish/vendor_completions.d/quillmate-cli.fish \
            share/doc/quillmate-cli/copyright share/doc/quillmate/copyright; do
  [ -f "$prefix/$file" ] || fail "missing $file"
done
[ -x "$prefix/bin/quillmate" ] && [ -x "$prefix/bin/quillmate-cli" ] || fail "programs not executable"

# Every bitmap icon is a PNG of its directory's size (width and height from the IHDR chunk).
for size in 16 22 24 32 48 64 128 256; do
  png=$prefix/share/icons/hicolor/${size}x${size}/apps/$id.png
  [ -f "$png" ] || fail "missing ${size}x${size} icon"
  [ "$(od -An -tx1 -N8 "$png" | tr -d ' \n')" = 89504e470d0a1a0a ] || fail "${size}x${size} icon is not a PNG"
  dims=$(od -An -tu1 -j16 -N8 "$png" | awk '{print $1*16777216+$2*65536+$3*256+$4 "x" $5*16777216+$6*65536+$7*256+$8}')
  [ "$dims" = "${size}x${size}" ] || fail "${size}x${size} icon measures $dims"
done

desktop-file-validate "$prefix/share/applications/$id.desktop"
appstreamcli validate --no-net --pedantic "$prefix/share/metainfo/$id.metainfo.xml" >/dev/null ||
  appstreamcli validate --no-net "$prefix/share/metainfo/$id.metainfo.xml"
grep -q "^Exec=quillmate %f$" "$prefix/share/applications/$id.desktop" || fail "desktop entry does not pass the file"

# The MIME package compiles, and names the project files and the sources.
update-mime-database "$prefix/share/mime" 2>"$prefix/mime.log" || { cat "$prefix/mime.log"; fail "MIME package"; }
for type in x-vb-project x-vb-form x-vb-module x-vb-class; do
  [ -f "$prefix/share/mime/text/$type.xml" ] || fail "MIME type text/$type not defined"
done
for glob in '\*.vbp' '\*.mak' '\*.frm' '\*.bas' '\*.cls'; do
  grep -q ":$glob$" "$prefix/share/mime/globs2" || fail "no MIME glob $glob"
done
# Makefiles named *.mak keep their type: the project glob weighs less than the makefile glob of
# the shared MIME database (50 when no weight is given).
mak_weight=$(awk -F: '$2 == "text/x-vb-project" && $3 == "*.mak" {print $1}' "$prefix/share/mime/globs2")
makefile_weight=$(awk -F: '$2 == "text/x-makefile" && $3 == "*.mak" {print $1}' /usr/share/mime/globs2 2>/dev/null)
[ -n "$mak_weight" ] && [ "$mak_weight" -lt "${makefile_weight:-50}" ] ||
  fail "*.mak weighs $mak_weight for projects, ${makefile_weight:-50} for makefiles"

# The manual pages are installed compressed and read as man reads them.
for program in quillmate quillmate-cli; do
  page=$(gzip -dc "$prefix/share/man/man1/$program.1.gz")
  grep -q "^\.TH $(echo "$program" | tr a-z A-Z) 1 " <<<"$page" || fail "$program.1 has no title line"
  grep -qF -- '\-\-version' <<<"$page" || fail "$program.1 does not describe --version"
done

# Both installed programs run, the desktop program without a display for --version.
"$prefix/bin/quillmate-cli" --version | grep -qx "quillmate-cli [0-9.]*" || fail "quillmate-cli --version"
env -u DISPLAY -u WAYLAND_DISPLAY "$prefix/bin/quillmate" --version | grep -qx "quillmate [0-9.]*" ||
  fail "quillmate --version"
echo "check_install: the installed tree is complete"
