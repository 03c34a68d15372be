#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Checks the shell completions: each parses in its shell (when that shell is installed), and every
# long option that each subcommand's --help names is offered by the bash, zsh and fish completion,
# so that a new option cannot be left out of one of them.
# usage: check_completions.sh COMPLETIONS_DIR QUILLMATE_CLI
set -euo pipefail
dir=$1
cli=$2
fail() { echo "check_completions: $*" >&2; exit 1; }
bash=$dir/quillmate-cli.bash zsh=$dir/_quillmate-cli fish=$dir/quillmate-cli.fish
for file in "$bash" "$zsh" "$fish"; do [ -f "$file" ] || fail "no $file"; done
bash -n "$bash" || fail "the bash completion does not parse"
if command -v zsh >/dev/null; then zsh -n "$zsh" || fail "the zsh completion does not parse"; fi
if command -v fish >/dev/null; then fish -n "$fish" || fail "the fish completion does not parse"; fi

for sub in "" format spell formtree stats; do
  options=$("$cli" $sub --help | grep -oE '^  (-[a-z], )?--[a-z-]+' | grep -oE -- '--[a-z-]+' | sort -u)
  [ -n "$options" ] || fail "no options in the help of '${sub:-project run}'"
  for option in $options; do
    grep -qE -- "(^|[ '(\"])$option([ '=\"[)]|$)" "$bash" || fail "bash completion lacks $option (${sub:-project run})"
    grep -qE -- "$option([ '=\"[)},]|$)" "$zsh" || fail "zsh completion lacks $option (${sub:-project run})"
    grep -qE -- "-l ${option#--}( |$)" "$fish" || fail "fish completion lacks $option (${sub:-project run})"
  done
done
echo "check_completions: every option of every subcommand is offered in bash, zsh and fish"
