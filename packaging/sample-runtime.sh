#!/bin/sh
# A show packed onto this script plays itself with the installed program.
exec screensaver play "$0" "$@"
