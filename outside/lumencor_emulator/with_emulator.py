#!/usr/bin/env python3
"""Runs a Windows program of a build tree under Wine with an emulated light
engine on a COM port of the tree's prefix, then stops the engine.

    with_emulator.py <wine-state-dir> [emulator options...] -- <program.exe> [args...]

The program finds the engine through LUMENCOR_EMULATOR_COM (the COM number)
and LUMENCOR_EMULATOR_CONTROL (the control port on 127.0.0.1). The exit
status is the program's.
"""

import os
import subprocess
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
TOOLS_WINE = os.path.join(os.path.dirname(os.path.dirname(HERE)), "tools", "wine")


def main(argv):
    if len(argv) < 2:
        sys.exit(__doc__)
    state, rest = argv[0], argv[1:]
    # Emulator options come first and end with "--"; a program's own "--"
    # stays its own.
    if rest[0].startswith("-") and "--" in rest:
        cut = rest.index("--")
        options, program = rest[:cut], rest[cut + 1 :]
    else:
        options, program = [], rest
    if not program:
        sys.exit("no program to run")

    # The prefix must exist before the COM link can go into it.
    subprocess.run([os.path.join(TOOLS_WINE, "session.sh"), "start", state], check=True,
                   stdout=subprocess.DEVNULL)
    prefix = os.path.join(os.path.abspath(state), "prefix")
    # Standard input is a pipe only we hold: when we end, however we end, the
    # emulator reads end-of-file and exits.
    emulator = subprocess.Popen(
        [sys.executable, "-B", os.path.join(HERE, "lumencor_emulator.py"), "--prefix", prefix,
         "--stop-on-eof"] + options,
        stdin=subprocess.PIPE, stdout=subprocess.PIPE)
    try:
        ready = emulator.stdout.readline().decode().split()
        emulator.stdout.close()
        settings = dict(item.split("=", 1) for item in ready)
        if "COM" not in settings:
            sys.exit("the emulator did not start")
        env = dict(os.environ, LUMENCOR_EMULATOR_COM=settings["COM"],
                   LUMENCOR_EMULATOR_CONTROL=settings["CONTROL"])
        return subprocess.call([os.path.join(TOOLS_WINE, "run.sh"), state] + program, env=env)
    finally:
        emulator.stdin.close()
        try:
            emulator.wait(10)
        except subprocess.TimeoutExpired:
            emulator.kill()
            emulator.wait()


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
