#!/usr/bin/env bash
# The whole journey with Wine reporting Windows XP.
exec bash "$(dirname "$0")/journey.sh" winxp
