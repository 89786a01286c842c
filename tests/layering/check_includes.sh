#!/usr/bin/env bash
# Checks every `#include "..."` of the project's sources against the layering below: an arrow the table does not
# allow fails, so that a new dependency between folders is a decision taken here, not an accident.
# Argument: SOURCE_DIR.
set -eu
cd "$1"

# The layer a file belongs to, in REPLY. The ground floor of the interface is what the binary layer and the model
# use to fail: the exception, the message table and its identifiers, the input limits.
layer_of() {
  case "$1" in
    platform/*) REPLY=platform ;;
    interface/conv_exception.h | interface/input_limits.h | interface/message*) REPLY=ground ;;
    bin/* | resources/* | schema/* | convert/* | editing/* | interface/* | client/* | tools/* | python/*)
      REPLY=${1%%/*} ;;
    tests/* | bench/* | fuzz/*) REPLY=harness ;;  # may include anything
    *) REPLY=unknown ;;
  esac
}

# The one table: each layer and the layers it may include, bottom to top. The model (schema) sits below the
# conversions, which sit below editing; the interface objects, the client library, the tool and the Python module
# stand on top.
declare -A allowed=(
  [platform]="platform"
  [resources]="platform resources"
  [ground]="platform ground resources"
  [bin]="platform ground bin"
  [schema]="platform ground bin resources schema"
  [convert]="platform ground bin resources schema convert"
  [editing]="platform ground bin resources schema convert editing"
  [interface]="platform ground bin resources schema convert editing interface"
  [client]="platform ground bin resources schema convert editing interface client"
  [tools]="platform ground bin resources schema convert editing interface client tools"
  [python]="platform ground bin resources schema convert editing interface client python"
)

# Arrows against the layers that the design itself needs, by header: descriptors record their changes in the undo
# journal, and the ranges of cycle-based values come from the device's cycles.
named_arrows="
schema -> editing/undo_journal.h
schema -> editing/undo_group.h
schema -> editing/undo_operations.h
schema -> convert/param_dev_cycle_converter.h
"

declare -A named
while IFS= read -r line; do [ -n "$line" ] && named[$line]=1; done <<<"$named_arrows"

failures=0
while read -r file header; do
  layer_of "$file"
  from=$REPLY
  [ "$from" = harness ] && continue
  # A header named without a folder is the includer's neighbour.
  [[ $header == */* ]] || header="${file%/*}/$header"
  if [ ! -f "$header" ]; then
    echo "FAIL $file includes $header, which does not exist"
    failures=$((failures + 1))
    continue
  fi
  layer_of "$header"
  to=$REPLY
  if [ "$from" = unknown ] || [ "$to" = unknown ]; then
    echo "FAIL $file -> $header: the folder has no place in the layering"
    failures=$((failures + 1))
  elif [ "$from" = "$to" ] || [[ " ${allowed[$from]} " == *" $to "* ]] || [ -n "${named[$from -> $header]:-}" ]; then
    :
  else
    echo "FAIL $file ($from) includes $header ($to)"
    failures=$((failures + 1))
  fi
done < <(find . -path ./.git -prune -o -path './build*' -prune -o -type f \
           \( -name '*.c' -o -name '*.cc' -o -name '*.cpp' -o -name '*.h' -o -name '*.hpp' \) -print0 |
         xargs -0 grep -HE '^[[:space:]]*#[[:space:]]*include[[:space:]]+"' |
         sed -E 's|^\./||; s|^([^:]+):[^"]*"([^"]+)".*|\1 \2|' | sort)

[ "$failures" -eq 0 ] || { echo "$failures failure(s)"; exit 1; }
echo "every include follows the layering"
