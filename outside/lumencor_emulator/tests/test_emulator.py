"""The emulator's pieces on the Linux side, without Wine: wire text, fault
parsing and the session's rate and fault rules."""

import os
import sys
import unittest

sys.path.insert(0, os.path.dirname(os.path.dirname(os.path.abspath(__file__))))

import engine  # noqa: E402
import faults  # noqa: E402
import session  # noqa: E402
import wire_text  # noqa: E402


class WireText(unittest.TestCase):
    def test_every_byte_round_trips_on_one_printable_line(self):
        data = bytes(range(256))
        text = wire_text.escape(data)
        self.assertTrue(all(0x20 <= ord(c) < 0x7F for c in text))
        self.assertEqual(wire_text.unescape(text), data)

    def test_malformed_escapes_are_refused(self):
        for text in ("\\", "\\q", "\\x4"):
            with self.subTest(text=text), self.assertRaises(ValueError):
                wire_text.unescape(text)


class FaultParsing(unittest.TestCase):
    def test_parts(self):
        cases = [
            ("ERROR GET MODEL", ("ERROR", b"", None, ["GET", "MODEL"])),
            ("ERROR=E\\x2012*2 SET CH", ("ERROR", b"E 12", 2, ["SET", "CH"])),
            ("SILENT *", ("SILENT", b"", None, [])),
            ("OVERLONG=400 GET SN", ("OVERLONG", b"400", None, ["GET", "SN"])),
        ]
        for text, (kind, arg, times, match) in cases:
            with self.subTest(text=text):
                fault = faults.parse(text)
                self.assertEqual((fault.kind, fault.arg, fault.times, fault.match),
                                 (kind, arg, times, match))

    def test_malformed(self):
        for text in ("ERROR", "BOGUS GET SN", "DELAY GET SN", "OVERLONG=x GET SN", "ERROR*0 *"):
            with self.subTest(text=text), self.assertRaises(ValueError):
                faults.parse(text)

    def test_matches_whole_words(self):
        fault = faults.parse("SILENT SET CH")
        self.assertTrue(fault.matches("SET CH 1 1".split()))
        self.assertFalse(fault.matches("SET CHINT 1 1".split()))


class SessionRules(unittest.TestCase):
    def setUp(self):
        self.session = session.Session(engine.Identity())

    def replies(self, data, baud=115200):
        return [o.reply for o in self.session.receive(data, baud)]

    def test_lines_split_at_cr_and_the_rest_waits(self):
        self.assertEqual(self.replies(b"GET SN\rGET MAXINT\rGET V"),
                         [b"A SN 13021\r", b"A MAXINT 4095\r"])
        self.assertEqual(self.session.pending, b"GET V")
        self.assertEqual(self.replies(b"ER\r"), [b"A VER 2.1.19\r"])
        self.assertEqual([r.data for r in self.session.log],
                         [b"GET SN\r", b"GET MAXINT\r", b"GET VER\r"])

    def test_silent_at_another_rate_yet_recorded(self):
        self.session.only_baud = 9600
        self.assertEqual(self.replies(b"GET SN\r"), [None])
        self.assertEqual(self.replies(b"GET SN\r", 9600), [b"A SN 13021\r"])
        self.assertEqual([r.baud for r in self.session.log], [115200, 9600])

    def test_an_error_fault_keeps_the_command_from_acting_other_faults_do_not(self):
        self.session.faults.add(faults.parse("ERROR SET CHINT"))
        self.session.faults.add(faults.parse("SILENT SET CH"))
        self.assertEqual(self.replies(b"SET CHINT 0 7\rSET CH 0 1\r"), [b"E\r", None])
        self.assertEqual((self.session.engine.intensity[0], self.session.engine.on[0]), (0, 1))

    def test_newest_fault_wins_and_counted_ones_wear_off(self):
        self.session.faults.add(faults.parse("SILENT *"))
        self.session.faults.add(faults.parse("NOCR*1 GET SN"))
        self.assertEqual(self.replies(b"GET SN\rGET SN\r"), [b"A SN 13021", None])

    def test_paced_answers_wait_for_their_wire_time(self):
        self.session.pace = True
        (outcome,) = self.session.receive(b"GET SN\r", 9600)
        self.assertAlmostEqual(outcome.delay, (7 + 11) * 10 / 9600)

    def test_falls_asleep_after_idle_time_unless_kept_awake(self):
        now = [0.0]
        eng = engine.Engine(engine.Identity(sleep_after=60.0), clock=lambda: now[0])
        steps = [(59.0, "WAKEUP", "A WAKEUP"), (118.0, "GET STAT", "A STAT 0"),
                 (119.0, "GET STAT", "A STAT 6"), (119.5, "SET CH 0 1", "E STANDBY"),
                 (120.0, "WAKEUP", "A WAKEUP"), (121.0, "GET STAT", "A STAT 0")]
        for at, command, answer in steps:
            now[0] = at
            self.assertEqual(eng.answer(command), answer, (at, command))
        eng.firmware = "2.1.18"
        now[0] = 1000.0
        self.assertEqual(eng.answer("GET STAT"), "A STAT 0")

    def test_more_than_eight_channels(self):
        self.session.engine.set_chmap("A B C D E F G H I J".split())
        self.assertEqual(self.replies(b"SET CHINT 9 4095\rGET CHINT 9\rSET CH 10 1\r"),
                         [b"A CHINT 9 4095\r", b"A CHINT 4095\r", b"E RANGE\r"])


if __name__ == "__main__":
    unittest.main()
