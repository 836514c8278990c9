#!/usr/bin/env bash
# Runs a command and shows what it printed only when it fails; a compiler
# warning is shown either way.
log=$(mktemp)
"$@" >"$log" 2>&1
status=$?
if [[ $status -eq 0 ]]; then
    grep -A3 'warning:' "$log"
else
    cat "$log"
fi
rm -f "$log"
exit $status
