#!/usr/bin/env bash
# The rollover check's cost on every timer tick.
set -uo pipefail
wine "$TW_BUILD/check_date_bench.exe" | tr -d '\r'
