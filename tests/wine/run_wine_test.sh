#!/usr/bin/env bash
# Runs one GoogleTest program under Wine, then ends whatever it left running
# in the session, as the end-to-end tests do. Every Wine process the test
# started holds its output open, and CTest waits for that to close: Wine's
# services, which the shell's calls start, end on their own only seconds
# later.
wine "$1"
status=$?
wineserver -k 2>/dev/null
exit $status
