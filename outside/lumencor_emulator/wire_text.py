"""Byte strings as one printable line of the control protocol and back.

Printable ASCII stands for itself; backslash, CR, LF and tab are written
\\\\, \\r, \\n and \\t; every other byte is \\xNN.
"""

_NAMED = {0x5C: "\\\\", 0x0D: "\\r", 0x0A: "\\n", 0x09: "\\t"}
_UNNAMED = {"\\": 0x5C, "r": 0x0D, "n": 0x0A, "t": 0x09}


def escape(data: bytes) -> str:
    out = []
    for b in data:
        if b in _NAMED:
            out.append(_NAMED[b])
        elif 0x20 <= b < 0x7F:
            out.append(chr(b))
        else:
            out.append("\\x%02X" % b)
    return "".join(out)


def unescape(text: str) -> bytes:
    out = bytearray()
    i = 0
    while i < len(text):
        c = text[i]
        if c != "\\":
            out += c.encode("latin-1")
            i += 1
            continue
        if i + 1 >= len(text):
            raise ValueError("lone backslash at the end")
        k = text[i + 1]
        if k in _UNNAMED:
            out.append(_UNNAMED[k])
            i += 2
        elif k == "x" and i + 4 <= len(text):
            out.append(int(text[i + 2 : i + 4], 16))
            i += 4
        else:
            raise ValueError("bad escape at %d" % i)
    return bytes(out)
