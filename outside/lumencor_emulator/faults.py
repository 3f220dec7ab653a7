"""Faults a test chooses: how the answer to matching commands goes wrong.

A fault is written `<KIND>[=<arg>][*<times>] <command>`: the command is the
first words of the commands it matches ("SET CH" matches "SET CH 1 1" but not
"SET CHINT 1 9"), or "*" for every command; the arg is escaped wire text.
"""

import dataclasses

import wire_text

JUNK = b"\x00\xff\x80#?\x11\x13~%\x7f\r"
OVERLONG_DEFAULT = 300


@dataclasses.dataclass
class Outcome:
    """What happens to one received command."""

    reply: bytes = None  # bytes sent back; None = nothing
    delay: float = 0.0  # seconds before the reply goes out
    close: bool = False  # the engine drops its end of the line


@dataclasses.dataclass
class Fault:
    kind: str
    arg: bytes
    times: int  # applications left; None = for ever
    match: list  # leading command words; empty = every command

    @property
    def executes(self):
        """Whether the engine still acts on a command that this fault hits."""
        return self.kind not in ("ERROR", "CLOSE")

    def matches(self, words):
        return words[: len(self.match)] == self.match

    def outcome(self, answer: bytes) -> Outcome:
        """The outcome for a command whose proper answer line is `answer` (no CR)."""
        if self.kind == "ERROR":
            return Outcome(reply=(self.arg or b"E") + b"\r")
        if self.kind == "SILENT":
            return Outcome()
        if self.kind == "GARBAGE":
            return Outcome(reply=self.arg or JUNK)
        if self.kind == "NOCR":
            return Outcome(reply=answer)
        if self.kind == "OVERLONG":
            length = int(self.arg or OVERLONG_DEFAULT)
            return Outcome(reply=answer.ljust(length, b"X") + b"\r")
        if self.kind == "DELAY":
            return Outcome(reply=answer + b"\r", delay=int(self.arg) / 1000.0)
        return Outcome(close=True)  # CLOSE


KINDS = ("ERROR", "SILENT", "GARBAGE", "NOCR", "OVERLONG", "DELAY", "CLOSE")
_NEEDS_NUMBER = ("OVERLONG", "DELAY")


def parse(text):
    """A Fault from `<KIND>[=<arg>][*<times>] <command>`; ValueError when malformed."""
    head, _, command = text.partition(" ")
    if not command.strip():
        raise ValueError("no command to match")
    times = None
    if "*" in head:
        head, _, count = head.rpartition("*")
        times = int(count)
        if times < 1:
            raise ValueError("times must be at least 1")
    kind, has_arg, arg = head.partition("=")
    if kind not in KINDS:
        raise ValueError("unknown fault " + kind)
    arg = wire_text.unescape(arg) if has_arg else b""
    if kind in _NEEDS_NUMBER and arg and not arg.isdigit():
        raise ValueError(kind + " takes a number")
    if kind == "DELAY" and not arg:
        raise ValueError("DELAY needs milliseconds")
    match = [] if command.strip() == "*" else command.split()
    return Fault(kind, arg, times, match)


class FaultTable:
    def __init__(self):
        self.faults = []

    def add(self, fault):
        self.faults.append(fault)

    def clear(self):
        self.faults.clear()

    def take(self, words):
        """The newest fault that matches, used up once; None when none does."""
        for fault in reversed(self.faults):
            if fault.matches(words):
                if fault.times is not None:
                    fault.times -= 1
                    if fault.times == 0:
                        self.faults.remove(fault)
                return fault
        return None
