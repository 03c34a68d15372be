#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Runs the Windows build of quillmate-cli under Wine beside the Linux build and compares their
# results byte for byte: `format` of every example source and of the formatter's test sources,
# `format --check`, `diff` and `formtree` of the examples, and a project run (written output and
# the check) of both example projects, restyling in place (format --write, --in-place, also of
# LF copies), and formtree of a Shift-JIS form with --encoding. Both use the default settings (no
# settings file found).
# Prints one line per case and "N passed, N failed".
# usage: compare.sh LINUX_QUILLMATE_CLI WINDOWS_QUILLMATE_CLI_EXE
set -uo pipefail
linux=$(realpath "$1")
exe=$(realpath "$2")
root=$(cd "$(dirname "$0")/../.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
[ -x "$linux" ] || { echo "compare: no Linux program $linux" >&2; exit 2; }
[ -f "$exe" ] || { echo "compare: no Windows program $exe" >&2; exit 2; }
command -v wine >/dev/null || { echo "compare: Wine is not installed (scripts/build-windows.sh --test installs it)" >&2; exit 2; }

# A Wine prefix of its own, made once per checkout (build-windows/wine is rebuilt when missing).
export WINEPREFIX=${WINEPREFIX:-$(dirname "$exe")/wine}
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" WINEARCH=win64
unset DISPLAY WAYLAND_DISPLAY
export XDG_CONFIG_HOME=$work/linux-config
mkdir -p "$XDG_CONFIG_HOME"
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  echo "compare: making the Wine prefix $WINEPREFIX"
  wineboot --init >/dev/null 2>&1 || true
  wineserver -w
fi

passed=0
failed=0
# Runs one case on both sides from directory dir: same exit status, same standard output. Both
# read standard input from the file named by $input (none: /dev/null).
# usage: [input=FILE] same NAME DIR ARG...
same() {
  local name=$1 dir=$2
  shift 2
  local rl rw
  (cd "$dir" && "$linux" "$@" <"${input:-/dev/null}" >"$work/linux.out" 2>"$work/linux.err"); rl=$?
  (cd "$dir" && wine "$exe" "$@" <"${input:-/dev/null}" >"$work/windows.out" 2>"$work/windows.err"); rw=$?
  if [ "$rl" -eq "$rw" ] && cmp -s "$work/linux.out" "$work/windows.out"; then
    passed=$((passed + 1))
    echo "ok: $name"
  else
    failed=$((failed + 1))
    echo "FAIL: $name (exit $rl on Linux, $rw on Windows)"
    diff <(od -c "$work/linux.out") <(od -c "$work/windows.out") | head -n 10
    head -n 5 "$work/windows.err"
  fi
}

cd "$root"
mapfile -t sources < <(find examples tests/data -type f \( -iname '*.frm' -o -iname '*.bas' -o -iname '*.cls' \) \
                         -not -path '*/STYLED/*' -not -path '*/expected*' -not -path '*/actual*' | sort)
for source in "${sources[@]}"; do
  same "format $source" "$root" format "$source"
done
# The formatter's golden cases, each with its own settings file (read by both sides' profile code).
for case in tests/data/format/*/; do
  case=${case%/}
  kind=$(sed -n 's/^Kind=\([a-z]*\).*/\1/p' "$case/settings.ini" 2>/dev/null | head -n 1)
  same "format $case" "$root" format --settings "$case/settings.ini" --kind "${kind:-module}" "$case/input"
done
mapfile -t examples < <(find examples -type f \( -iname '*.frm' -o -iname '*.bas' -o -iname '*.cls' \) -not -path '*/STYLED/*' | sort)
same "format --check (examples)" "$root" format --check "${examples[@]}"
same "format --diff (examples)" "$root" format --diff "${examples[@]}"
input=$root/examples/vb3/LEDGER.FRM same "format from standard input" "$root" format --stdin-filename examples/vb3/LEDGER.FRM
for form in $(find examples -type f -iname '*.frm' | sort); do
  same "formtree $form" "$root" formtree "$form"
done
same "diff of two example sources" "$root" diff examples/vb3/GLOBAL.BAS examples/vb3/REPORT.BAS
# A file name and a directory outside ASCII reach the program and the disk unchanged.
mkdir -p "$work/Prüfung"
cp examples/vb3/GLOBAL.BAS "$work/Prüfung/Größe_€.bas"
same "format of a file with a Unicode name" "$work" format "Prüfung/Größe_€.bas"
same "format --check of a file with a Unicode name" "$work" format --check "Prüfung/Größe_€.bas"

# This build has no spell checker, and says so.
wine "$exe" spell examples/vb3/LEDGER.MAK >/dev/null 2>"$work/spell.err"
if [ $? -eq 2 ] && grep -q 'this build has no spell checker' "$work/spell.err"; then
  passed=$((passed + 1)); echo "ok: spell says this build has no spell checker"
else
  failed=$((failed + 1)); echo "FAIL: spell without a spell checker"; cat "$work/spell.err"
fi

# Project runs: each side restyles its own copy; the output directories must be the same.
for project in vb3/LEDGER.MAK vb4/Inventory.vbp; do
  dir=${project%/*}
  for side in linux windows; do
    rm -rf "$work/$side"
    mkdir -p "$work/$side"
    cp -r "examples/$dir" "$work/$side/"
  done
  same "--check $project" "$work/linux" --check --quiet "$project"
  (cd "$work/linux" && "$linux" --quiet "$project" >/dev/null 2>&1); rl=$?
  (cd "$work/windows" && wine "$exe" --quiet "$project" >/dev/null 2>&1); rw=$?
  if [ "$rl" -eq "$rw" ] && [ -d "$work/linux/$dir/STYLED" ] &&
     diff -r "$work/linux/$dir/STYLED" "$work/windows/$dir/STYLED" >"$work/run.diff"; then
    passed=$((passed + 1))
    echo "ok: project run $project ($(ls "$work/linux/$dir/STYLED" | wc -l) files the same)"
  else
    failed=$((failed + 1))
    echo "FAIL: project run $project (exit $rl on Linux, $rw on Windows)"
    head -n 20 "$work/run.diff"
  fi
done

# In place: each side restyles its own copy (the CRLF examples, and an LF copy of them), with
# format --write and with the project run's --in-place; the trees must be the same afterwards,
# with no output directory. A patch of --diff of the LF copy is the same on both sides.
for project in vb3/LEDGER.MAK vb4/Inventory.vbp; do
  dir=${project%/*}
  for mode in write in-place write-lf; do
    for side in linux windows; do
      rm -rf "$work/$side"
      mkdir -p "$work/$side"
      cp -r "examples/$dir" "$work/$side/"
      if [ "$mode" = write-lf ]; then
        find "$work/$side" -type f ! -iname '*.frx' -exec sed -i 's/\r$//' {} +
      fi
    done
    if [ "$mode" = write-lf ]; then
      mapfile -t files < <(cd "$work/linux" && find "$dir" -type f \( -iname '*.frm' -o -iname '*.bas' -o -iname '*.cls' \) | sort)
      same "format --diff of LF sources ($dir)" "$work/linux" format --diff "${files[@]}"
    fi
    for side in linux windows; do
      prog=("$linux")
      [ "$side" = windows ] && prog=(wine "$exe")
      if [ "$mode" = in-place ]; then
        (cd "$work/$side" && "${prog[@]}" --quiet --in-place "$project" >/dev/null 2>&1)
      else
        (cd "$work/$side" && find "$dir" -type f \( -iname '*.frm' -o -iname '*.bas' -o -iname '*.cls' \) -print0 |
           xargs -0 "${prog[@]}" format --write >/dev/null 2>&1)
      fi
      echo $? >"$work/$side.rc"
    done
    if cmp -s "$work/linux.rc" "$work/windows.rc" && [ ! -e "$work/linux/$dir/STYLED" ] &&
       diff -r "$work/linux" "$work/windows" >"$work/run.diff" && ! diff -rq "examples/$dir" "$work/linux/$dir" >/dev/null; then
      passed=$((passed + 1))
      echo "ok: $mode $project"
    else
      failed=$((failed + 1))
      echo "FAIL: $mode $project (exit $(cat "$work/linux.rc") on Linux, $(cat "$work/windows.rc") on Windows)"
      head -n 20 "$work/run.diff"
    fi
  done
done

# Code pages: a Shift-JIS form's captions, by option and by the settings' Encoding choice.
mkdir -p "$work/jp"
printf 'VERSION 5.00\r\nBegin VB.Form frmMain\r\n   Caption         =   "\223\372\226\173\214\352"\r\nEnd\r\n' >"$work/jp/JP.FRM"
same "formtree --encoding shift_jis" "$work/jp" formtree --encoding shift_jis JP.FRM
same "formtree --encoding windows-1251" "$work/jp" formtree --encoding windows-1251 JP.FRM
printf '[Encoding]\nCodePage=932\n' >"$work/jp/VBQUILL3.INI"
same "formtree with the settings' code page" "$work/jp" formtree JP.FRM
same "formtree --encoding of an unknown name" "$work/jp" formtree --encoding klingon JP.FRM

echo "windows: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
