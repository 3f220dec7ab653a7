#!/bin/sh
# Runs a Windows program of the build tree under Wine with an emulated light
# engine on a free COM port of the tree's prefix; the program finds it through
# LUMENCOR_EMULATOR_COM and LUMENCOR_EMULATOR_CONTROL.
#   with_emulator.sh <state-dir> [emulator options...] -- <program.exe> [args...]
here=$(cd "$(dirname "$0")" && pwd)
exec python3 "$here/../../outside/lumencor_emulator/with_emulator.py" "$@"
