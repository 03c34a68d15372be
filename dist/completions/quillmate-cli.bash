# SPDX-License-Identifier: MIT
# bash completion for quillmate-cli                                -*- shell-script -*-

_quillmate_cli() {
  local cur prev words cword
  _init_completion -s || return

  local command= i
  for ((i = 1; i < cword; i++)); do
    case ${words[i]} in
      format | diff | spell | formtree | stats | lsp) command=${words[i]}; break ;;
      -*) ;;
      *) break ;;
    esac
  done

  case $prev in
    --settings) _filedir '@(ini|INI)'; return ;;
    --output) _filedir -d; return ;;
    --report) COMPREPLY=($(compgen -W 'json' -- "$cur")); return ;;
    --kind) COMPREPLY=($(compgen -W 'form module class' -- "$cur")); return ;;
    --stdin-filename) _filedir '@(frm|FRM|bas|BAS|cls|CLS)'; return ;;
    --project) return ;;
  esac
  [[ $cur == --*=* ]] && return

  local options
  case $command in
    format) options='--check --diff --settings --kind --stdin-filename --verbose --help' ;;
    diff) _filedir; return ;;
    spell) options='--settings --literals --comments --help' ;;
    formtree) options='--project --help' ;;
    stats) options='--json --help' ;;
    lsp) options='--help' ;;
    *) options='--settings --output --check --diff --force --quiet --verbose --report --help --version' ;;
  esac
  if [[ $cur == -* ]]; then
    COMPREPLY=($(compgen -W "$options" -- "$cur"))
    return
  fi
  case $command in
    format | formtree) _filedir '@(frm|FRM|bas|BAS|cls|CLS|ctl|CTL|pag|PAG|dob|DOB|dsr|DSR)' ;;
    spell) _filedir '@(vbp|VBP|mak|MAK|frm|FRM|bas|BAS|cls|CLS)' ;;
    stats) _filedir '@(vbp|VBP|mak|MAK)' ;;
    lsp) ;;
    *)
      if ((cword == 1)); then
        COMPREPLY=($(compgen -W 'format diff spell formtree stats lsp' -- "$cur"))
      fi
      _filedir '@(vbp|VBP|mak|MAK)'
      ;;
  esac
} &&
  complete -F _quillmate_cli quillmate-cli
