# SPDX-License-Identifier: MIT
# fish completion for quillmate-cli

set -l commands format diff spell formtree stats
set -l encodings auto shift_jis gbk big5 windows-949 windows-1250 windows-1251 windows-1252 windows-1253 windows-1254 windows-1255 windows-1256 windows-1257 windows-1258 windows-874 utf-8

complete -c quillmate-cli -f
complete -c quillmate-cli -n "not __fish_seen_subcommand_from $commands" -a "$commands"
complete -c quillmate-cli -n "not __fish_seen_subcommand_from $commands" -a "(__fish_complete_suffix .vbp .VBP .mak .MAK)"

# A project run.
complete -c quillmate-cli -n "not __fish_seen_subcommand_from $commands" -l settings -r -F -d 'Settings file to use'
complete -c quillmate-cli -n "not __fish_seen_subcommand_from $commands" -l output -r -a '(__fish_complete_directories)' -d 'Output directory'
complete -c quillmate-cli -n "not __fish_seen_subcommand_from $commands" -l in-place -d 'Restyle the sources themselves, no output directory'
complete -c quillmate-cli -n "not __fish_seen_subcommand_from $commands" -l check -d 'Write nothing; exit 1 when a file would change'
complete -c quillmate-cli -n "not __fish_seen_subcommand_from $commands" -l diff -d 'Print a patch of every source that would change'
complete -c quillmate-cli -n "not __fish_seen_subcommand_from $commands" -l force -d 'Replace output files changed since they were written'
complete -c quillmate-cli -n "not __fish_seen_subcommand_from $commands" -s q -l quiet -d 'Print no line per file'
complete -c quillmate-cli -n "not __fish_seen_subcommand_from $commands" -s v -l verbose -d 'Say which settings file is used'
complete -c quillmate-cli -n "not __fish_seen_subcommand_from $commands" -l report -x -a json -d 'Print one JSON object'
complete -c quillmate-cli -n "not __fish_seen_subcommand_from $commands" -l encoding -x -a "$encodings" -d 'Code page of the names in the report'
complete -c quillmate-cli -n "not __fish_seen_subcommand_from $commands" -l version -d 'Print the version'
complete -c quillmate-cli -s h -l help -d 'Print the help'

# format
complete -c quillmate-cli -n "__fish_seen_subcommand_from format" -a "(__fish_complete_suffix .frm .FRM .bas .BAS .cls .CLS .ctl .CTL .pag .PAG .dob .DOB .dsr .DSR)"
complete -c quillmate-cli -n "__fish_seen_subcommand_from format" -s i -l write -d 'Restyle each file in place'
complete -c quillmate-cli -n "__fish_seen_subcommand_from format" -l check -d 'List the files that would change'
complete -c quillmate-cli -n "__fish_seen_subcommand_from format" -l diff -d 'Print a patch of every file that would change'
complete -c quillmate-cli -n "__fish_seen_subcommand_from format" -l settings -r -F -d 'Settings file to use'
complete -c quillmate-cli -n "__fish_seen_subcommand_from format" -l kind -x -a 'form module class' -d 'Kind of the source'
complete -c quillmate-cli -n "__fish_seen_subcommand_from format" -l stdin-filename -r -F -d 'Name of the source read from standard input'
complete -c quillmate-cli -n "__fish_seen_subcommand_from format" -s v -l verbose -d 'Say which settings file is used'

# diff
complete -c quillmate-cli -n "__fish_seen_subcommand_from diff" -F

# spell
complete -c quillmate-cli -n "__fish_seen_subcommand_from spell" -a "(__fish_complete_suffix .vbp .VBP .mak .MAK .frm .FRM .bas .BAS .cls .CLS)"
complete -c quillmate-cli -n "__fish_seen_subcommand_from spell" -l settings -r -F -d 'Settings file to use'
complete -c quillmate-cli -n "__fish_seen_subcommand_from spell" -l encoding -x -a "$encodings" -d 'Code page of the sources'
complete -c quillmate-cli -n "__fish_seen_subcommand_from spell" -l literals -d 'Check string literals'
complete -c quillmate-cli -n "__fish_seen_subcommand_from spell" -l comments -d 'Check comments'

# formtree
complete -c quillmate-cli -n "__fish_seen_subcommand_from formtree" -a "(__fish_complete_suffix .frm .FRM)"
complete -c quillmate-cli -n "__fish_seen_subcommand_from formtree" -l project -x -d 'Name the root caption gives the form'
complete -c quillmate-cli -n "__fish_seen_subcommand_from formtree" -l encoding -x -a "$encodings" -d "Code page of the form's text"

# stats
complete -c quillmate-cli -n "__fish_seen_subcommand_from stats" -a "(__fish_complete_suffix .vbp .VBP .mak .MAK)"
complete -c quillmate-cli -n "__fish_seen_subcommand_from stats" -l json -d 'Print one JSON object'
complete -c quillmate-cli -n "__fish_seen_subcommand_from stats" -l encoding -x -a "$encodings" -d 'Code page of the names in the project file'
