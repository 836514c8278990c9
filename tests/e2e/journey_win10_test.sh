#!/usr/bin/env bash
# The whole journey with Wine reporting Windows 10.
exec bash "$(dirname "$0")/journey.sh" win10
