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

echo "== lumencor_v2_device: the light-engine driver in the bench host kahost"
if [ -n "${COM:-}" ]; then
    echo "(the light engine on COM$COM)"
    run "$build/bin/kahost.exe" --com "$COM" "$here/kahost/demo_session.txt"
else
    echo "(the simulated engine; make demo COM=<n> drives a real one on COM<n>)"
    run "$build/bin/kahost.exe" --sim "$here/kahost/demo_session.txt"
fi

echo "== lumencor_v2_device: the pad in a window (kahost --gui; screenshots: $build/bin/lumencor_pad*.png)"
if [ -n "${COM:-}" ]; then
    run "$build/bin/kahost.exe" --gui --com "$COM" "$here/kahost/gui_session.txt"
else
    run "$build/bin/kahost.exe" --gui --sim "$here/kahost/gui_session.txt"
    echo "-- the pad while the emulated engine sleeps"
    "$here/wine/with_emulator.sh" "$build/wine" --sleep-after 1500 -- \
        "$build/bin/kahost.exe" --gui "$here/kahost/gui_asleep_session.txt"
fi

echo "== lumencor_v2_device: the configuration dialog from the pad's Configure... (kahost --gui --sim; screenshots: $build/bin/cfg_mode0_en.png, cfg_mode1_en.png, cfg_mode0_de.png, cfg_mode1_de.png)"
run "$build/bin/kahost.exe" --gui --sim "$here/kahost/gui_cfg_session.txt"

echo "== lumencor_v2_device: control mode 1, the lines switched through a simulated NI-DAQ card"
run "$build/bin/kahost.exe" --sim "$here/kahost/nidaq_session.txt"

echo "== RvWindow: a dialog built control by control, its window tree through rvspy, and the custom controls (screenshots: $build/bin/rvwindow_demo.png, $build/bin/rvwindow_controls.png)"
run "$build/bin/rvwindow_demo.exe"

echo "== RvListCtrl: lists of typed cells in a builder dialog, themed and plain (screenshot: $build/bin/rvlistctrl_demo.png)"
run "$build/bin/rvlistctrl_demo.exe"

echo "== RvTLPM: readings from the simulated power meter, in this thread and in the background"
run "$build/bin/rvtlpm_demo.exe"
