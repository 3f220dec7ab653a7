#!/usr/bin/env python3
"""Emulates a Lumencor light engine on a COM port of a Wine prefix.

Prints "COM=<n> CONTROL=<port>" on standard output once the port and the
control socket are ready, then nothing more there. See README.md.
"""

import argparse
import heapq
import itertools
import os
import selectors
import signal
import socket
import sys
import time

import control
import engine
import serial_link
import session as session_module
import wire_text


class _Client:
    def __init__(self, sock):
        self.sock = sock
        self.buffered = b""


class Emulator:
    def __init__(self, args, identity):
        self.args = args
        self.session = session_module.Session(identity, args.only_baud, args.pace)
        self.claim = serial_link.ComClaim(args.lock_dir, args.com_numbers)
        self.com = self.claim.number
        self.link = serial_link.SerialLink(args.dosdevices, self.com)
        self.selector = selectors.DefaultSelector()
        self.timers = []  # heap of (due, seq, generation, action)
        self.seq = itertools.count()
        self.generation = 0  # bumps when the line is dropped; stale replies die
        self.outgoing = b""
        self.waits = []  # (deadline, count, client socket)
        self.running = True

        self.listener = socket.create_server(("127.0.0.1", args.control_port))
        self.selector.register(self.listener, selectors.EVENT_READ, self._accept)
        self.control_port = self.listener.getsockname()[1]
        self._open_line()
        if args.stop_on_eof:
            self.selector.register(sys.stdin.fileno(), selectors.EVENT_READ, self._stdin)

    # The serial line.
    def _open_line(self):
        self.link.open()
        self.outgoing = b""
        self.selector.register(self.link.master, selectors.EVENT_READ, self._serial)

    def hang_up(self):
        if self.link.is_open:
            self.selector.unregister(self.link.master)
            self.link.hang_up()
        self.generation += 1

    def reset(self):
        """Start-up state; the line stays as it is unless it was dropped."""
        self.generation += 1
        self.outgoing = b""
        self.session.reset()
        if not self.link.is_open:
            self._open_line()

    def quit(self):
        self.running = False

    def _serial(self, events):
        if events & selectors.EVENT_WRITE:
            self._flush()
        if not events & selectors.EVENT_READ:
            return
        try:
            data = os.read(self.link.master, 4096)
        except (BlockingIOError, InterruptedError):
            return
        except OSError:
            data = b""
        if not data:
            return
        baud = self.link.baud()
        for outcome in self.session.receive(data, baud):
            if self.args.verbose:
                received = wire_text.escape(self.session.log[-1].data)
                print("emulator: %d %s" % (baud, received), file=sys.stderr)
            if outcome.close:
                self.hang_up()
                break
            if outcome.reply is None:
                continue
            if outcome.delay:
                self._later(outcome.delay, lambda reply=outcome.reply: self._send(reply))
            else:
                self._send(outcome.reply)
        self._answer_waits()

    def _send(self, data):
        if not self.link.is_open:
            return
        self.outgoing += data
        self._flush()

    def _flush(self):
        try:
            written = os.write(self.link.master, self.outgoing)
        except BlockingIOError:
            written = 0
        except OSError:
            written = len(self.outgoing)  # nobody listens: drop it, as a wire would
        self.outgoing = self.outgoing[written:]
        mask = selectors.EVENT_READ | (selectors.EVENT_WRITE if self.outgoing else 0)
        self.selector.modify(self.link.master, mask, self._serial)

    # Timers.
    def _later(self, seconds, action):
        due = time.monotonic() + seconds
        heapq.heappush(self.timers, (due, next(self.seq), self.generation, action))

    def _run_timers(self):
        now = time.monotonic()
        while self.timers and self.timers[0][0] <= now:
            _, _, generation, action = heapq.heappop(self.timers)
            if generation == self.generation:
                action()
        self._answer_waits(now)

    def _next_timeout(self):
        dues = [t[0] for t in self.timers[:1]] + [w[0] for w in self.waits]
        return max(0.0, min(dues) - time.monotonic()) if dues else None

    # Control clients.
    def _accept(self, _events):
        client = _Client(self.listener.accept()[0])
        self.selector.register(client.sock, selectors.EVENT_READ, lambda _ev: self._request(client))

    def _request(self, client):
        try:
            data = client.sock.recv(4096)
        except OSError:
            data = b""
        if not data:
            self._drop_client(client)
            return
        buffered = client.buffered + data
        while b"\n" in buffered and self.running:
            line, _, buffered = buffered.partition(b"\n")
            reply = control.handle(self, line.decode("latin-1").rstrip("\r"))
            if isinstance(reply, control.Wait):
                self.waits.append((time.monotonic() + reply.timeout, reply.count, client))
                self._answer_waits()
            else:
                self._reply(client, reply)
        client.buffered = buffered

    def _reply(self, client, lines):
        try:
            client.sock.sendall("".join(line + "\n" for line in lines).encode("latin-1"))
        except OSError:
            self._drop_client(client)

    def _answer_waits(self, now=None):
        now = now if now is not None else time.monotonic()
        count = len(self.session.log)
        for wait in list(self.waits):
            deadline, wanted, client = wait
            if count >= wanted:
                self._reply(client, ["OK %d" % count])
            elif now >= deadline:
                self._reply(client, ["ERR timeout %d" % count])
            else:
                continue
            self.waits.remove(wait)

    def _drop_client(self, client):
        self.waits = [w for w in self.waits if w[2] is not client]
        try:
            self.selector.unregister(client.sock)
        except (KeyError, ValueError):
            pass
        client.sock.close()

    def _stdin(self, _events):
        if not os.read(sys.stdin.fileno(), 4096):
            self.quit()

    def run(self):
        while self.running:
            for key, events in self.selector.select(self._next_timeout()):
                key.data(events)
                if not self.running:
                    break
            self._run_timers()

    def close(self):
        self.link.remove()
        self.claim.release()
        self.listener.close()


def _com_numbers(text):
    first, _, last = text.partition("-")
    return list(range(int(first), int(last or first) + 1))


def parse_args(argv):
    d = engine.Identity()
    p = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    p.add_argument("--prefix", help="Wine prefix; the COM link goes into its dosdevices")
    p.add_argument("--dosdevices", help="directory of the COM link (default: <prefix>/dosdevices)")
    p.add_argument("--lock-dir",
                   help="where COM numbers are claimed (default: <prefix>/lumencor-emulator)")
    p.add_argument("--com", default="20-99", type=_com_numbers, dest="com_numbers",
                   help="COM number, or range to take the first free one from (default 20-99)")
    p.add_argument("--control-port", type=int, default=0,
                   help="TCP port on 127.0.0.1 (default: any free one)")
    p.add_argument("--model", default=d.model)
    p.add_argument("--firmware", default=d.firmware)
    p.add_argument("--serial", default=d.serial)
    p.add_argument("--maxint", type=int, default=d.maxint)
    p.add_argument("--chmap", default=" ".join(d.chmap), help="channel names, separated by spaces")
    p.add_argument("--temp", default=" ".join(d.temp), help="values answered in turn")
    p.add_argument("--supply-current", default=" ".join(d.supply_current))
    p.add_argument("--supply-power", default=" ".join(d.supply_power))
    p.add_argument("--awake-code", type=int, default=d.awake_code, help="state code when awake")
    p.add_argument("--waking-polls", type=int, default=d.waking_polls,
                   help='"GET STAT" answers of 7 after a wake-up from stand-by')
    p.add_argument("--sleep-after", type=int, default=0,
                   help="milliseconds without WAKEUP or light command before stand-by (0: never)")
    p.add_argument("--only-baud", type=int, default=0, help="answer only at this rate (e.g. 9600)")
    p.add_argument("--pace", action="store_true",
                   help="answer after the wire time of command and answer at the set rate")
    p.add_argument("--stop-on-eof", action="store_true", help="exit when standard input closes")
    p.add_argument("--verbose", action="store_true", help="echo each received command on stderr")
    args = p.parse_args(argv)
    if not args.dosdevices:
        if not args.prefix:
            p.error("give --prefix or --dosdevices")
        args.dosdevices = os.path.join(args.prefix, "dosdevices")
    if not args.lock_dir:
        prefix = os.path.dirname(os.path.abspath(args.dosdevices))
        args.lock_dir = os.path.join(prefix, "lumencor-emulator")
    identity = engine.Identity(
        model=args.model, firmware=args.firmware, serial=args.serial, maxint=args.maxint,
        chmap=tuple(args.chmap.split()), temp=tuple(args.temp.split()),
        supply_current=tuple(args.supply_current.split()),
        supply_power=tuple(args.supply_power.split()),
        awake_code=args.awake_code, waking_polls=args.waking_polls,
        sleep_after=args.sleep_after / 1000.0)
    return args, identity


def main(argv):
    args, identity = parse_args(argv)
    emulator = Emulator(args, identity)

    def stop(*_):
        raise KeyboardInterrupt

    signal.signal(signal.SIGTERM, stop)
    try:
        print("COM=%d CONTROL=%d" % (emulator.com, emulator.control_port), flush=True)
        # Whoever reads the ready line may close its end of standard output.
        os.dup2(sys.stderr.fileno(), sys.stdout.fileno())
        emulator.run()
    except KeyboardInterrupt:
        pass
    finally:
        emulator.close()
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
