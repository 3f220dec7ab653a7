"""The engine's end of the serial line: a pseudo-terminal whose slave is
mapped to a COM port of a Wine prefix (Wine opens COMn through the symlink
<prefix>/dosdevices/comn).

The baud rate the Windows side chose lives in the slave's terminal settings;
the emulator keeps the slave open itself so that those settings, and the
line, outlive the Windows program's handle.
"""

import fcntl
import os
import termios
import tty

_RATES = (1200, 2400, 4800, 9600, 19200, 38400, 57600, 115200, 230400, 460800, 921600)
BAUD_OF_SPEED = {getattr(termios, "B%d" % r): r for r in _RATES if hasattr(termios, "B%d" % r)}


class ComClaim:
    """Exclusive use of one COM number among emulators of one prefix, held
    with an advisory lock, so parallel tests never share a port and a crashed
    emulator's number becomes free again."""

    def __init__(self, lock_dir, numbers):
        os.makedirs(lock_dir, exist_ok=True)
        for number in numbers:
            fd = os.open(os.path.join(lock_dir, "com%d.lock" % number), os.O_CREAT | os.O_RDWR)
            try:
                fcntl.flock(fd, fcntl.LOCK_EX | fcntl.LOCK_NB)
            except BlockingIOError:
                os.close(fd)
                continue
            self.number, self._fd = number, fd
            return
        raise RuntimeError("no free COM number in %d..%d" % (numbers[0], numbers[-1]))

    def release(self):
        os.close(self._fd)


class SerialLink:
    def __init__(self, dosdevices, number):
        self.link = os.path.join(dosdevices, "com%d" % number)
        self.master = self.slave = None
        self.slave_name = None

    def open(self):
        """A fresh line; the COM link is (re)pointed at it atomically."""
        self.master, self.slave = os.openpty()
        # Raw from the start: no echo or CR translation before the Windows
        # side sets the line up.
        tty.setraw(self.slave)
        os.set_blocking(self.master, False)
        self.slave_name = os.ttyname(self.slave)
        temporary = self.link + ".new"
        if os.path.lexists(temporary):
            os.unlink(temporary)
        os.symlink(self.slave_name, temporary)
        os.replace(temporary, self.link)

    @property
    def is_open(self):
        return self.master is not None

    def baud(self):
        """The rate the Windows side set, 0 when unknown."""
        speed = termios.tcgetattr(self.slave)[4]
        return BAUD_OF_SPEED.get(speed, 0)

    def hang_up(self):
        """Drops the engine's end: the Windows side's handle sees a dead line."""
        for fd in (self.master, self.slave):
            if fd is not None:
                os.close(fd)
        self.master = self.slave = None

    def remove(self):
        self.hang_up()
        try:
            if os.readlink(self.link) == self.slave_name:
                os.unlink(self.link)
        except OSError:
            pass
