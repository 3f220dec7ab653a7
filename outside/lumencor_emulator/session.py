"""One emulated engine on its line: what it received and how it answers.

Commands are recorded byte for byte, with the baud rate set at the moment
they arrived, before any fault or rate rule decides the answer.
"""

import dataclasses

import engine as engine_module
import faults as faults_module


@dataclasses.dataclass
class Received:
    baud: int
    data: bytes  # the whole line, CR included


class Session:
    def __init__(self, identity, only_baud=0, pace=False):
        self.identity = identity
        self.start_only_baud = only_baud
        self.start_pace = pace
        self.engine = engine_module.Engine(identity)
        self.faults = faults_module.FaultTable()
        self.log = []
        self.reset()

    def reset(self):
        self.engine.reset()
        self.faults.clear()
        self.log.clear()
        self.pending = b""
        # Answers wait for the time the command and the answer would take on
        # a wire at the current rate, 10 bits a byte.
        self.pace = self.start_pace
        # 0: answers at any rate; otherwise only at this one (a wrong rate
        # garbles every byte, so a real engine would stay silent).
        self.only_baud = self.start_only_baud

    def receive(self, data, baud):
        """Outcomes for the complete lines in `data`, in order."""
        self.pending += data
        outcomes = []
        while b"\r" in self.pending:
            line, _, self.pending = self.pending.partition(b"\r")
            outcomes.append(self._line(line + b"\r", baud))
        return outcomes

    def _line(self, line, baud):
        outcome = self._outcome(line, baud)
        if self.pace and baud and outcome.reply:
            outcome.delay += (len(line) + len(outcome.reply)) * 10.0 / baud
        return outcome

    def _outcome(self, line, baud):
        self.log.append(Received(baud, line))
        if self.only_baud and baud != self.only_baud:
            return faults_module.Outcome()
        text = line[:-1].decode("latin-1")
        fault = self.faults.take(text.split())
        if fault is not None and not fault.executes:
            return fault.outcome(b"")
        answer = self.engine.answer(text).encode("latin-1")
        if fault is None:
            return faults_module.Outcome(reply=answer + b"\r")
        return fault.outcome(answer)
