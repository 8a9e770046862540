#!/usr/bin/env bash
# Fails when the completion and opalctl disagree: on the commands, the sub-commands, the fixed
# choices, or the options each command takes (as its own --help lists them, with what each
# needs and excludes, and as opalctl's parser takes them: an offered option it refuses is a
# fault), or when file names are not offered where a file is expected.
# Usage: check-completion.sh OPALCTL COMPLETION-FILE
set -euo pipefail
opalctl=$(realpath -- "$1")
# shellcheck source=/dev/null
source /usr/share/bash-completion/bash_completion
# shellcheck source=/dev/null
source "$2"

# What the completion offers for the words of a command line, the last one being completed,
# split into words as bash splits them (a colon is a word of its own).
offered() {
  COMP_LINE="$*"
  COMP_POINT=${#COMP_LINE}
  COMP_WORDS=()
  local word
  for word in "$@"; do
    if [[ $word != *:* ]]; then
      COMP_WORDS+=("$word")
      continue
    fi
    while [[ $word == *:* ]]; do
      [[ -z ${word%%:*} ]] || COMP_WORDS+=("${word%%:*}")
      COMP_WORDS+=(:)
      word=${word#*:}
    done
    [[ -z $word ]] || COMP_WORDS+=("$word")
  done
  COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
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

# A value of an option or positional's type as --help shows it: the first of its choices, 1 for a
# number, x for the rest.
value_of='function value_of(type) {
    if (match(type, /[{][^,}]*/)) return substr(type, RSTART + 1, RLENGTH - 1)
    return type ~ /^INT/ ? 1 : "x"
  }'
# A command's own options from its --help, one a line: NAME|VALUE|REQUIRED|NEEDS|EXCLUDES, VALUE
# empty for a flag. These are all it takes: opalctl's own options go before the command.
options_table() {
  "$opalctl" "$@" --help | awk "$value_of"'
    /^[A-Za-z]+:$/ { on = ($0 == "Options:"); next }
    on && /^  (-[a-z],)?--[a-z]/ {
      name = $1; sub(/^-[a-z],/, "", name)
      value = ($0 ~ /^  [^ ]+ [^ ]/) ? value_of($2) : ""
      required = ""; needs = ""; excludes = ""; mode = ""
      for (i = 3; i <= NF; i++) {
        if ($i == "REQUIRED") required = "yes"
        else if ($i == "Needs:" || $i == "Excludes:") mode = $i
        else if ($i ~ /^--/ && mode == "Needs:") needs = needs " " $i
        else if ($i ~ /^--/ && mode == "Excludes:") excludes = excludes " " $i
        else mode = ""
      }
      print name "|" value "|" required "|" needs "|" excludes
    }'
}
# Values for a command's required positionals.
positionals() {
  "$opalctl" "$@" --help | awk "$value_of"'
    /^[A-Za-z]+:$/ { on = ($0 == "Positionals:"); next }
    on && / REQUIRED/ { print value_of($2) }'
}
# The options a command takes once the options GIVEN (the first argument) were given: none
# twice, none without what it needs, none beside one that excludes it.
expected_options() {
  local given=" $1 " name value required needs excludes option
  shift
  options_table "$@" | while IFS='|' read -r name value required needs excludes; do
    [[ $given == *" $name "* ]] && continue
    for option in $needs; do [[ $given == *" $option "* ]] || continue 2; done
    for option in $excludes; do [[ $given == *" $option "* ]] && continue 2; done
    echo "$name"
  done | sort
}
# Every command and group down the tree, one a line.
command_paths() {
  local sub
  for sub in $(subcommands "$@"); do
    echo "$* $sub"
    command_paths "$@" "$sub"
  done
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

expect "after --port VLUSB1:" "$(offered opalctl '')" "$(offered opalctl --port VLUSB1: '')"

files=$(mktemp -d)
trap 'rm -rf "$files"' EXIT

# Runs opalctl on ARGS in a home of its own and fails when it refuses OPTION: as not expected,
# as given twice, or for what the option needs or excludes.
refuses() {
  local option=$1 said status=0
  shift
  said=$(cd "$files" && HOME=$files XDG_DATA_HOME=$files/data XDG_CONFIG_HOME=$files/config \
    timeout 20 "$opalctl" "$@" </dev/null 2>&1) || status=$?
  if ((status > 3 && status != 130)); then
    echo "opalctl $*: ended with status $status: $(head -1 <<<"$said")"
    failures=$((failures + 1))
  elif grep -qE -- "(not expected: (.* )?|^)$option( requires| excludes|: At Most|$| )" <<<"$said"; then
    echo "opalctl $*: the completion offers $option, opalctl refuses it: $(head -1 <<<"$said")"
    failures=$((failures + 1))
  fi
}
# Every option the completion offers after a command, tried on opalctl with what the command
# requires besides, so that only the option itself can be refused.
try_offered_options() {
  local table option value demand required rest
  table=$(options_table "$@")
  for option in $(offered opalctl "$@" -); do
    [[ $option == --help ]] && continue
    local demands=()
    while IFS='|' read -r demand value required rest; do
      [[ $required == yes && $demand != "$option" ]] && demands+=("$demand" $value)
    done <<<"$table"
    IFS='|' read -r _ value _ <<<"$(grep -- "^$option|" <<<"$table")"
    refuses "$option" "$@" $(positionals "$@") "${demands[@]}" "$option" $value
  done
}

for given in "" "--virtual $files/p" "--port VLUSB1:" "--replay t" "--port LPT1 --replay t" \
  "--virtual $files/p --model 310"; do
  read -ra line <<<"$given"
  names=$(printf '%s\n' "${line[@]}" | grep -- '^--' || true)
  expect "options after [$given]" "$(expected_options "$(echo $names)")" \
    "$(offered opalctl "${line[@]}" -)"
  for option in $(offered opalctl "${line[@]}" -); do
    [[ $option == --help || $option == --version ]] && continue
    IFS='|' read -r _ value _ <<<"$(options_table | grep -- "^$option|")"
    refuses "$option" "${line[@]}" "$option" $value journal
  done
done
while read -r path; do
  read -ra command <<<"$path"
  expect "options of $path" "$(expected_options "" "${command[@]}")" \
    "$(offered opalctl "${command[@]}" -)"
  try_offered_options "${command[@]}"
done < <(command_paths)
touch "$files/before-repair.bin"
expect "eeprom restore FILE" "$files/before-repair.bin" \
  "$(offered opalctl eeprom restore "$files/bef")"
expect "render FILE" "$files/before-repair.bin" "$(offered opalctl render "$files/bef")"

exit $((failures > 0))
