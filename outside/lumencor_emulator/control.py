"""The control protocol: requests from a test, one line each, answered with
"OK[ <text>]" or "ERR <text>" (LOG answers "OK <n>" and n more lines).
The README lists every request.
"""

import engine as engine_module
import faults
import wire_text


class Wait:
    """A WAIT request that is answered later, by the event loop."""

    def __init__(self, count, timeout_ms):
        self.count = count
        self.timeout = timeout_ms / 1000.0


def _number(text):
    if not (text.isascii() and text.isdigit()):
        raise ValueError("not a number: " + text)
    return int(text)


def _channel(eng, text):
    channel = _number(text)
    if channel >= len(eng.chmap):
        raise ValueError("no channel %d" % channel)
    return channel


def _set(session, rest):
    key, _, value = rest.partition(" ")
    eng = session.engine
    if key in ("MODEL", "VER", "SN"):
        setattr(eng, {"MODEL": "model", "VER": "firmware", "SN": "serial"}[key], value)
    elif key == "MAXINT":
        eng.maxint = _number(value)
    elif key == "CHMAP":
        eng.set_chmap(value.split())
    elif key in eng.readouts:
        eng.readouts[key] = engine_module.Readout(value.split())
    elif key == "STAT":
        eng.stat = _number(value)
        eng.waking_left = eng.waking_polls
    elif key == "AWAKE":
        eng.awake_code = _number(value)
    elif key == "WAKING":
        eng.waking_polls = _number(value)
    elif key == "SLEEPAFTER":
        eng.sleep_after = _number(value) / 1000.0
        eng.last_activity = eng.clock()
    elif key == "BAUD":
        session.only_baud = 0 if value == "ANY" else _number(value)
    elif key == "PACE":
        session.pace = _number(value) != 0
    elif key in ("CH", "CHINT"):
        channel, level = value.split(" ")
        values = eng.on if key == "CH" else eng.intensity
        values[_channel(eng, channel)] = _number(level)
    else:
        raise ValueError("unknown setting " + key)
    return ["OK"]


def _get(session, rest):
    key, _, arg = rest.partition(" ")
    eng = session.engine
    simple = {
        "MODEL": lambda: eng.model,
        "VER": lambda: eng.firmware,
        "SN": lambda: eng.serial,
        "MAXINT": lambda: str(eng.maxint),
        "CHMAP": lambda: " ".join(eng.chmap),
        "STAT": lambda: str(eng.stat),
        "AWAKE": lambda: str(eng.awake_code),
        "WAKING": lambda: str(eng.waking_polls),
        "SLEEPAFTER": lambda: str(round(eng.sleep_after * 1000)),
        "BAUD": lambda: str(session.only_baud) if session.only_baud else "ANY",
        "PACE": lambda: str(int(session.pace)),
        "TTLPOL": lambda: eng.ttl_polarity,
        "TTLENABLE": lambda: str(eng.ttl_enable),
        "MULCH": lambda: " ".join(map(str, eng.on)),
        "MULCHINT": lambda: " ".join(map(str, eng.intensity)),
    }
    if key in simple and not arg:
        return ["OK " + simple[key]()]
    if key in eng.readouts and not arg:
        return ["OK " + " ".join(eng.readouts[key].values)]
    if key in ("CH", "CHINT"):
        values = eng.on if key == "CH" else eng.intensity
        return ["OK %d" % values[_channel(eng, arg)]]
    raise ValueError("unknown setting " + key)


def _log(session, rest):
    if rest:
        raise ValueError("LOG takes no argument")
    lines = ["OK %d" % len(session.log)]
    lines += ["%d %s" % (r.baud, wire_text.escape(r.data)) for r in session.log]
    return lines


def handle(emulator, line):
    """Reply lines for one request, or a Wait for the event loop."""
    request, _, rest = line.strip().partition(" ")
    session = emulator.session
    session.engine.fall_asleep_when_idle()
    try:
        if request == "PING":
            return ["OK"]
        if request == "RESET":
            emulator.reset()
            return ["OK COM%d" % emulator.com]
        if request == "SET":
            return _set(session, rest)
        if request == "GET":
            return _get(session, rest)
        if request == "FAULT":
            session.faults.add(faults.parse(rest))
            return ["OK"]
        if request == "CLEARFAULTS":
            session.faults.clear()
            return ["OK"]
        if request == "LOG":
            return _log(session, rest)
        if request == "CLEARLOG":
            session.log.clear()
            return ["OK"]
        if request == "PENDING":
            return ["OK " + wire_text.escape(session.pending)]
        if request == "WAIT":
            count, timeout_ms = rest.split(" ")
            return Wait(_number(count), _number(timeout_ms))
        if request == "CLOSE":
            emulator.hang_up()
            return ["OK"]
        if request == "QUIT":
            emulator.quit()
            return ["OK"]
        return ["ERR unknown request " + request]
    except (ValueError, IndexError) as error:
        return ["ERR " + str(error)]
