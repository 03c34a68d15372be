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
    --encoding)
      COMPREPLY=($(compgen -W 'auto shift_jis gbk big5 windows-949 windows-1250 windows-1251 windows-1252
        windows-1253 windows-1254 windows-1255 windows-1256 windows-1257 windows-1258 windows-874 utf-8' -- "$cur"))
      return
      ;;
  esac
  [[ $cur == --*=* ]] && return

  local options
  case $command in
    format) options='--write -i --check --diff --settings --kind --stdin-filename --verbose --help' ;;
    diff) _filedir; return ;;
    spell) options='--settings --encoding --literals --comments --help' ;;
    formtree) options='--project --encoding --help' ;;
    stats) options='--json --encoding --help' ;;
    lsp) options='--help' ;;
    *) options='--settings --output --in-place --encoding --check --diff --force --quiet --verbose --report --help --version' ;;
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
