#!/usr/bin/env bash
# Runs a command inside the Wine session kept in DIR (see wine-session.sh).
set -uo pipefail
dir=$1
shift
if [[ ! -f "$dir/env" ]]; then
    echo "no Wine session in $dir" >&2
    exit 1
fi
# shellcheck disable=SC1091
source "$dir/env"
exec "$@"
