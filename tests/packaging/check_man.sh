#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Checks the hand-written manual pages: both format without a warning from groff, lexgrog finds
# their NAME lines, and every option that each subcommand's --help names is described in that
# subcommand's part of quillmate-cli(1), so the page and the program cannot drift apart.
# usage: check_man.sh MAN_DIR QUILLMATE_CLI VERSION
set -euo pipefail
man_dir=$1
cli=$2
version=$3
fail() { echo "check_man: $*" >&2; exit 1; }
export LC_ALL=C.UTF-8 MANWIDTH=200 MAN_KEEP_FORMATTING=
render() { man --warnings -l "$1" 2>"$work/warnings" | col -bx; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

for page in quillmate-cli quillmate; do
  file=$man_dir/$page.1
  [ -f "$file" ] || fail "no $file"
  render "$file" >"$work/$page.txt"
  [ -s "$work/warnings" ] && { cat "$work/warnings"; fail "$page.1 formats with warnings"; }
  lexgrog "$file" | grep -q ": \"$page - " || fail "lexgrog finds no NAME line in $page.1"
  head -n 5 "$file" | grep -q "^\.TH $(tr a-z A-Z <<<"$page") 1 \".*\" \"$page $version\"" ||
    fail "$page.1 does not name version $version"
done
page=$work/quillmate-cli.txt
for section in SYNOPSIS DESCRIPTION COMMANDS "EXIT STATUS" ENVIRONMENT FILES EXAMPLES; do
  grep -qx "$section" "$page" || fail "quillmate-cli.1 has no $section section"
done

# The text of one subsection of COMMANDS (its heading starts with HEADING) up to the next.
part() {
  awk -v heading="$1" '
    /^   [^ ]/ { inside = index($0, "   " heading) == 1; next }
    /^[A-Z]/ { inside = 0 }
    inside' "$page"
}
# Each subcommand: its --help, the heading of its part, and its line in SYNOPSIS.
check() {
  local sub=$1 heading=$2 help options option text
  # diff takes no options: its usage line, on standard error, is its help.
  help=$("$cli" $sub --help 2>&1 || true)
  [ -n "$help" ] || fail "'quillmate-cli${sub:+ $sub} --help' printed nothing"
  text=$(part "$heading")
  [ -n "$text" ] || fail "quillmate-cli.1 has no part \"$heading\""
  grep -q "^       quillmate-cli${sub:+ $sub}\b" <(sed -n '/^SYNOPSIS$/,/^DESCRIPTION$/p' "$page") ||
    fail "SYNOPSIS lacks quillmate-cli $sub"
  # The main help's usage lines sum up the subcommands too: its own options are those below them.
  [ -z "$sub" ] && help=$(sed '1,/^$/d' <<<"$help")
  options=$(grep -o -- '--[a-z][a-z-]*' <<<"$help" | sort -u || true)
  for option in $options; do
    grep -q -- "$option\b" <<<"$text" || fail "'quillmate-cli${sub:+ $sub} --help' names $option, its part of the manual page does not"
  done
  echo "check_man: quillmate-cli${sub:+ $sub}: $(wc -w <<<"$options") options described"
}
check "" "Restyling a project"
check format "format:"
check diff "diff:"
check spell "spell:"
check formtree "formtree:"
check stats "stats:"
check lsp "lsp:"

# Every subcommand that the main help's usage lines name has its part.
for sub in $("$cli" --help | grep -o 'quillmate-cli [a-z]\+' | awk '{print $2}' | sort -u); do
  [ -n "$(part "$sub:")" ] || fail "the main help names subcommand $sub, the manual page does not"
done
echo "check_man: both manual pages format cleanly and match the programs' help"
