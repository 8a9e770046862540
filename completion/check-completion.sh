#!/usr/bin/env bash
# Fails when the completion and opalctl --help disagree on the commands, the sub-commands or the
# fixed choices, or when file names are not offered where a file is expected.
# Usage: check-completion.sh OPALCTL COMPLETION-FILE
set -euo pipefail
opalctl=$1
# shellcheck source=/dev/null
source "$2"

# What the completion offers for the words of a command line, the last one being completed.
offered() {
  COMP_WORDS=("$@")
  COMP_CWORD=$(($# - 1))
  COMPREPLY=()
  _opalctl
  printf '%s\n' "${COMPREPLY[@]}" | sort
}
subcommands() {
  "$opalctl" "$@" --help | sed -n '/^Subcommands:/,$p' | awk 'NR > 1 && /^  [a-z]/ {print $1}' |
    sort
}
# The choices of the first positional (or option) whose help line starts with `name`.
choices() {
  local name=$1
  shift
  "$opalctl" "$@" --help | grep -E "^  $name " | head -1 | grep -o '{[^}]*}' | tr -d '{}' |
    tr ',' '\n' | sort
}

failures=0
expect() {
  if [[ $2 != "$3" ]]; then
    echo "$1: opalctl has [$(echo $2)], the completion offers [$(echo $3)]"
    failures=$((failures + 1))
  fi
}

expect "commands" "$(subcommands)" "$(offered opalctl '')"
for group in $(subcommands); do
  subs=$(subcommands "$group")
  [[ -z $subs ]] || expect "$group" "$subs" "$(offered opalctl "$group" '')"
done
expect "--model" "$(choices --model)" "$(offered opalctl --model '')"
expect "--scenario" "$(choices --scenario)" "$(offered opalctl --scenario '')"
expect "identity" "$(choices MODEL identity)" "$(offered opalctl identity '')"
expect "bid write" "$(choices ROW bid write)" "$(offered opalctl bid write '')"
expect "print pattern" "$(choices NAME print pattern)" "$(offered opalctl print pattern '')"
expect "chip" "$(choices REPORT chip)" "$(offered opalctl chip '')"
expect "chip REPORT" "$(choices CARTRIDGE chip)" "$(offered opalctl chip usage '')"
expect "print a4 --model" "$(choices --model print a4)" "$(offered opalctl print a4 --model '')"
expect "ports" "$(printf '%s\n' LPT1 LPT2 LPT3 VLUSB1: VLUSB2: VLUSB3:)" \
  "$(offered opalctl --port '')"
expect "options after --virtual" "$(printf '%s\n' bid nozzle pattern chips a4 | sort)" \
  "$(offered opalctl --virtual /tmp/p print '')"

files=$(mktemp -d)
trap 'rm -rf "$files"' EXIT
touch "$files/before-repair.bin"
expect "eeprom restore FILE" "$files/before-repair.bin" \
  "$(offered opalctl eeprom restore "$files/bef")"
expect "render FILE" "$files/before-repair.bin" "$(offered opalctl render "$files/bef")"

exit $((failures > 0))
