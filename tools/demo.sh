#!/bin/sh
# The demonstration `make demo` runs: each step is a Windows program of the
# build tree run under Wine.
#   demo.sh <build-dir>
set -eu
build=$1
here=$(cd "$(dirname "$0")" && pwd)
run() { "$here/wine/run.sh" "$build/wine" "$@"; }

echo "== RvString: string maps, regular expressions and string helpers"
run "$build/bin/rvstring_demo.exe"

echo "== RvWindow: a dialog built control by control (screenshot: $build/bin/rvwindow_demo.png)"
run "$build/bin/rvwindow_demo.exe"

echo "== RvTLPM: readings from the simulated power meter, in this thread and in the background"
run "$build/bin/rvtlpm_demo.exe"
