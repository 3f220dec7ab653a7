"""The light engine itself: identity, channel state, read-outs and stand-by.

`Engine.answer` takes one command line (without its CR) and returns the
answer line (without its CR), exactly as the engine's firmware would. Faults
and the serial line are elsewhere; this module knows nothing of them.
"""

import dataclasses
import time

STANDBY = 6
WAKING = 7
# First firmware that knows "WAKEUP" and has a stand-by state.
STANDBY_FIRMWARE = (2, 1, 19)


@dataclasses.dataclass
class Identity:
    """What an engine is configured as; the start-up state of every session."""

    model: str = "Spectra III"
    firmware: str = "2.1.19"
    serial: str = "13021"
    maxint: int = 4095
    chmap: tuple = ("TEAL", "CYAN", "YELLOW", "RED", "GREEN", "NIR", "BLUE", "VIOLET")
    temp: tuple = ("31",)
    supply_current: tuple = ("412.5",)
    supply_power: tuple = ("48.2",)
    awake_code: int = 0
    # How many "GET STAT" answers report 7 after a wake-up from stand-by.
    waking_polls: int = 0
    # Seconds without "WAKEUP" or a light command after which an engine with
    # stand-by falls asleep; 0: never.
    sleep_after: float = 0.0


def firmware_numbers(text):
    """(major, minor, patch) of a version text; missing parts read as 0."""
    parts = []
    for piece in text.split(".")[:3]:
        digits = ""
        for c in piece.strip():
            if not c.isdigit():
                break
            digits += c
        parts.append(int(digits) if digits else 0)
    return tuple(parts + [0] * (3 - len(parts)))


class Readout:
    """A read-out that steps through its values, one per query, round and round."""

    def __init__(self, values):
        self.values = list(values) or ["0"]
        self.next = 0

    def take(self):
        value = self.values[self.next % len(self.values)]
        self.next += 1
        return value


class CommandError(Exception):
    """Rejects a command; the text follows the "E" of the answer."""


class Engine:
    def __init__(self, identity=None, clock=time.monotonic):
        self.identity = identity or Identity()
        self.clock = clock
        self.reset()

    def reset(self):
        ident = self.identity
        self.model = ident.model
        self.firmware = ident.firmware
        self.serial = ident.serial
        self.maxint = ident.maxint
        self.awake_code = ident.awake_code
        self.waking_polls = ident.waking_polls
        self.sleep_after = ident.sleep_after
        self.last_activity = self.clock()
        self.readouts = {
            "TEMP": Readout(ident.temp),
            "SUPPLYCURRENT": Readout(ident.supply_current),
            "SUPPLYPOWER": Readout(ident.supply_power),
        }
        self.stat = ident.awake_code
        self.waking_left = 0
        self.ttl_polarity = "POS"
        self.ttl_enable = 0
        self.set_chmap(ident.chmap)

    def set_chmap(self, names):
        self.chmap = list(names)
        self.on = [0] * len(self.chmap)
        self.intensity = [0] * len(self.chmap)

    def has_standby(self):
        return firmware_numbers(self.firmware) >= STANDBY_FIRMWARE

    def in_standby(self):
        return self.stat in (STANDBY, WAKING)

    def fall_asleep_when_idle(self):
        """Stand-by once the idle time has run out; called before each use."""
        idle = self.clock() - self.last_activity
        if self.sleep_after and self.has_standby() and idle >= self.sleep_after:
            if not self.in_standby():
                self.stat = STANDBY

    def answer(self, line: str) -> str:
        self.fall_asleep_when_idle()
        words = line.split(" ")
        try:
            if len(words) >= 2 and words[0] in ("GET", "SET"):
                handler = getattr(self, "_%s_%s" % (words[0].lower(), words[1].lower()), None)
                if handler is not None:
                    return "A " + handler(words[2:])
            if words == ["WAKEUP"] and self.has_standby():
                return "A " + self._wakeup()
            raise CommandError("UNKNOWN")
        except CommandError as error:
            return "E " + str(error)

    # Identity and read-outs.
    def _get_model(self, args):
        return self._plain("MODEL", args, self.model)

    def _get_ver(self, args):
        return self._plain("VER", args, self.firmware)

    def _get_sn(self, args):
        return self._plain("SN", args, self.serial)

    def _get_maxint(self, args):
        return self._plain("MAXINT", args, str(self.maxint))

    def _get_chmap(self, args):
        return self._plain("CHMAP", args, " ".join(self.chmap))

    def _get_temp(self, args):
        return self._plain("TEMP", args, self.readouts["TEMP"].take())

    def _get_supplycurrent(self, args):
        return self._plain("SUPPLYCURRENT", args, self.readouts["SUPPLYCURRENT"].take())

    def _get_supplypower(self, args):
        return self._plain("SUPPLYPOWER", args, self.readouts["SUPPLYPOWER"].take())

    @staticmethod
    def _plain(key, args, value):
        if args:
            raise CommandError("ARG")
        return "%s %s" % (key, value)

    # Stand-by.
    def _get_stat(self, args):
        code = self.stat
        if self.stat == WAKING:
            self.waking_left -= 1
            if self.waking_left <= 0:
                self.stat = self.awake_code
        return self._plain("STAT", args, str(code))

    def _wakeup(self):
        self.last_activity = self.clock()
        if self.stat == STANDBY:
            self.waking_left = self.waking_polls
            self.stat = WAKING if self.waking_polls > 0 else self.awake_code
        return "WAKEUP"

    # TTL set-up.
    def _set_ttlpol(self, args):
        if len(args) != 1 or args[0] not in ("POS", "NEG"):
            raise CommandError("ARG")
        self.ttl_polarity = args[0]
        return "TTLPOL " + args[0]

    def _get_ttlpol(self, args):
        return self._plain("TTLPOL", args, self.ttl_polarity)

    def _set_ttlenable(self, args):
        (value,) = self._numbers(args, [1])
        self.ttl_enable = value
        return "TTLENABLE %d" % value

    def _get_ttlenable(self, args):
        return self._plain("TTLENABLE", args, str(self.ttl_enable))

    # Channels, one at a time.
    def _set_ch(self, args):
        channel, value = self._numbers(args, [self._channel_limit(), 1])
        self._refuse_in_standby()
        self.on[channel] = value
        return "CH %d %d" % (channel, value)

    def _get_ch(self, args):
        (channel,) = self._numbers(args, [self._channel_limit()])
        return "CH %d" % self.on[channel]

    def _set_chint(self, args):
        channel, value = self._numbers(args, [self._channel_limit(), self.maxint])
        self._refuse_in_standby()
        self.intensity[channel] = value
        return "CHINT %d %d" % (channel, value)

    def _get_chint(self, args):
        (channel,) = self._numbers(args, [self._channel_limit()])
        return "CHINT %d" % self.intensity[channel]

    # Channels, the first n of them at once.
    def _set_mulch(self, args):
        values = self._list(args, 1)
        self.on[: len(values)] = values
        return "MULCH " + " ".join(map(str, values))

    def _get_mulch(self, args):
        return self._plain("MULCH", args, " ".join(map(str, self.on)))

    def _set_mulchint(self, args):
        values = self._list(args, self.maxint)
        self.intensity[: len(values)] = values
        return "MULCHINT " + " ".join(map(str, values))

    def _get_mulchint(self, args):
        return self._plain("MULCHINT", args, " ".join(map(str, self.intensity)))

    def _channel_limit(self):
        return len(self.chmap) - 1

    def _refuse_in_standby(self):
        if self.in_standby():
            raise CommandError("STANDBY")
        self.last_activity = self.clock()

    def _list(self, args, largest):
        if not 1 <= len(args) <= len(self.chmap):
            raise CommandError("ARG")
        values = self._numbers(args, [largest] * len(args))
        self._refuse_in_standby()
        return values

    @staticmethod
    def _numbers(args, limits):
        """One decimal argument per entry of `limits`, each within 0..its limit."""
        if len(args) != len(limits):
            raise CommandError("ARG")
        values = []
        for text, limit in zip(args, limits):
            if not (text.isascii() and text.isdigit()):
                raise CommandError("ARG")
            value = int(text)
            if value > limit:
                raise CommandError("RANGE")
            values.append(value)
        return values
