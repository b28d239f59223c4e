#!/usr/bin/env python3
"""Reads the dialog templates out of the built plug-in and checks them.

The host runs the plug-in's dialogs 20128 and 20129 from the DLL's own
resources. This check decodes every RT_DIALOG resource of the DLL (a
DLGTEMPLATE with its DLGITEMTEMPLATEs) and compares it, field by field, with
the resource script the DLL was built from, as the resource compiler reads
it (`windres -O rc` prints the script with every style as a number). It also
checks that the predefined classes are stored as their atoms and only the
up-down class as a name, "msctls_updown32" in any case, and that each dialog
carries its font.

Usage: check_dialog_resources.py --windres WINDRES --script RC DLL
"""
import argparse
import re
import struct
import subprocess
import sys

RT_DIALOG = 5
DS_SETFONT = 0x40
ATOMS = {0x80: "BUTTON", 0x81: "EDIT", 0x82: "STATIC", 0x83: "LISTBOX", 0x84: "SCROLLBAR", 0x85: "COMBOBOX"}
EXPECTED_IDS = {20128, 20129}


class Image:
    """A PE file: its bytes and its sections, to read by virtual address."""

    def __init__(self, data):
        self.data = data
        pe = struct.unpack_from("<I", data, 0x3C)[0]
        if data[pe:pe + 4] != b"PE\0\0":
            raise ValueError("not a PE file")
        sections, optional_size = struct.unpack_from("<H12xH", data, pe + 6)
        optional = pe + 24
        magic = struct.unpack_from("<H", data, optional)[0]
        directories = optional + (96 if magic == 0x10B else 112)
        self.resource_rva, self.resource_size = struct.unpack_from("<II", data, directories + 2 * 8)
        self.sections = []
        table = optional + optional_size
        for i in range(sections):
            size, rva, raw_size, raw = struct.unpack_from("<IIII", data, table + 40 * i + 8)
            self.sections.append((rva, max(size, raw_size), raw))

    def offset(self, rva):
        for start, size, raw in self.sections:
            if start <= rva < start + size:
                return raw + rva - start
        raise ValueError(f"address 0x{rva:x} is in no section")


def directory_entries(image, base, offset):
    """(id or name, is_directory, offset from the resource base) of one directory."""
    at = image.offset(base + offset)
    named, numbered = struct.unpack_from("<HH", image.data, at + 12)
    entries = []
    for i in range(named + numbered):
        name, target = struct.unpack_from("<II", image.data, at + 16 + 8 * i)
        key = name if not name & 0x80000000 else f"name@{name & 0x7FFFFFFF:x}"
        entries.append((key, bool(target & 0x80000000), target & 0x7FFFFFFF))
    return entries


def dialog_resources(image):
    """{dialog id: bytes} of every RT_DIALOG resource, any language."""
    base = image.resource_rva
    found = {}
    if base == 0:
        return found
    for type_id, is_dir, offset in directory_entries(image, base, 0):
        if type_id != RT_DIALOG or not is_dir:
            continue
        for name, name_is_dir, name_offset in directory_entries(image, base, offset):
            for _, _, leaf in directory_entries(image, base, name_offset):
                data_rva, size = struct.unpack_from("<II", image.data, image.offset(base + leaf))
                at = image.offset(data_rva)
                found[name] = image.data[at:at + size]
    return found


class Reader:
    def __init__(self, data):
        self.data, self.at = data, 0

    def take(self, fmt):
        values = struct.unpack_from("<" + fmt, self.data, self.at)
        self.at += struct.calcsize("<" + fmt)
        return values

    def align(self):
        self.at = (self.at + 3) & ~3

    def text(self):
        end = self.at
        while self.data[end:end + 2] != b"\0\0":
            end += 2
        value = self.data[self.at:end].decode("utf-16-le")
        self.at = end + 2
        return value

    def name_or_atom(self):
        (first,) = struct.unpack_from("<H", self.data, self.at)
        if first == 0xFFFF:
            self.at += 2
            return self.take("H")[0]
        return self.text()


def decode_dialog(data):
    r = Reader(data)
    style, _extended, count, x, y, cx, cy = r.take("IIHhhhh")
    dialog = {"style": style, "rect": (x, y, cx, cy), "menu": r.name_or_atom(), "class": r.name_or_atom(),
              "caption": r.text(), "font": None, "controls": []}
    if style & DS_SETFONT:
        (points,) = r.take("H")
        dialog["font"] = (points, r.text())
    for _ in range(count):
        r.align()
        style, _extended, x, y, cx, cy, control_id = r.take("IIhhhhH")
        window_class = r.name_or_atom()
        title = r.name_or_atom()
        (extra,) = r.take("H")
        r.at += extra
        dialog["controls"].append({"id": control_id, "class": window_class, "text": title, "style": style,
                                   "rect": (x, y, cx, cy)})
    return dialog


STRING = r'"((?:[^"]|"")*)"'
# How the resource compiler prints a control of a predefined class.
STATEMENT_CLASSES = {
    "LTEXT": "STATIC", "CTEXT": "STATIC", "RTEXT": "STATIC", "LISTBOX": "LISTBOX", "COMBOBOX": "COMBOBOX",
    "EDITTEXT": "EDIT", "GROUPBOX": "BUTTON", "PUSHBUTTON": "BUTTON", "DEFPUSHBUTTON": "BUTTON",
    "AUTORADIOBUTTON": "BUTTON", "RADIOBUTTON": "BUTTON", "AUTOCHECKBOX": "BUTTON", "CHECKBOX": "BUTTON",
}


def script_dialogs(windres, script):
    """The dialogs of the resource script, as the resource compiler reads it."""
    text = subprocess.run([windres, script, "-O", "rc"], check=True, capture_output=True, text=True).stdout
    dialogs, current = {}, None
    for line in text.splitlines():
        line = line.strip()
        if m := re.match(r"(\d+) DIALOG(?: [A-Z]+)* (-?\d+), (-?\d+), (-?\d+), (-?\d+)$", line):
            current = {"style": None, "rect": tuple(int(v) for v in m.groups()[1:]), "caption": "", "font": None,
                       "controls": []}
            dialogs[int(m.group(1))] = current
        elif current is None:
            continue
        elif m := re.match(r"STYLE (0x[0-9a-fA-F]+)$", line):
            current["style"] = int(m.group(1), 16)
        elif m := re.match(r"CAPTION " + STRING + "$", line):
            current["caption"] = m.group(1).replace('""', '"')
        elif m := re.match(r"FONT (\d+), " + STRING + "$", line):
            current["font"] = (int(m.group(1)), m.group(2))
        elif m := re.match(r"CONTROL " + STRING + r", (\d+), " + STRING +
                           r", (0x[0-9a-fA-F]+), (-?\d+), (-?\d+), (-?\d+), (-?\d+)$", line):
            current["controls"].append({"id": int(m.group(2)), "class": m.group(3),
                                        "text": m.group(1).replace('""', '"'), "style": int(m.group(4), 16),
                                        "rect": tuple(int(v) for v in m.groups()[4:])})
        elif m := re.match(r"([A-Z]+) (?:" + STRING + r", )?(\d+), (-?\d+), (-?\d+), (-?\d+), (-?\d+), "
                           r"(0x[0-9a-fA-F]+)$", line):
            # A control of a predefined class, printed in its own statement
            # with its whole style last.
            if m.group(1) not in STATEMENT_CLASSES:
                raise ValueError(f"unknown statement in the compiled script: {line}")
            current["controls"].append({"id": int(m.group(3)), "class": STATEMENT_CLASSES[m.group(1)],
                                        "text": (m.group(2) or "").replace('""', '"'),
                                        "style": int(m.group(8), 16),
                                        "rect": tuple(int(v) for v in m.groups()[3:7])})
        elif line == "END":
            current = None
    return dialogs


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--windres", required=True)
    parser.add_argument("--script", required=True)
    parser.add_argument("dll")
    args = parser.parse_args()

    with open(args.dll, "rb") as f:
        image = Image(f.read())
    built = {name: decode_dialog(data) for name, data in dialog_resources(image).items()}
    wanted = script_dialogs(args.windres, args.script)
    failures, checks = [], 0

    def check(ok, what):
        nonlocal checks
        checks += 1
        if not ok:
            failures.append(what)

    check(set(built) == EXPECTED_IDS, f"dialog resources {sorted(built, key=str)}, expected {sorted(EXPECTED_IDS)}")
    check(set(wanted) == EXPECTED_IDS, f"script dialogs {sorted(wanted)}, expected {sorted(EXPECTED_IDS)}")
    for dialog_id in sorted(EXPECTED_IDS & set(built) & set(wanted)):
        have, want = built[dialog_id], wanted[dialog_id]
        for field in ("style", "rect", "caption", "font"):
            check(have[field] == want[field], f"{dialog_id} {field}: {have[field]!r}, script {want[field]!r}")
        check(have["menu"] == "" and have["class"] == "", f"{dialog_id}: a menu or a class of its own")
        check(have["font"] == (8, "MS Sans Serif"), f"{dialog_id} font {have['font']!r}")
        check(len(have["controls"]) == len(want["controls"]),
              f"{dialog_id}: {len(have['controls'])} controls, script {len(want['controls'])}")
        for place, (c, w) in enumerate(zip(have["controls"], want["controls"])):
            row = f"{dialog_id} control #{place} (id {w['id']})"
            for field in ("id", "text", "style", "rect"):
                check(c[field] == w[field], f"{row} {field}: {c[field]!r}, script {w[field]!r}")
            if isinstance(c["class"], int):
                check(ATOMS.get(c["class"]) == w["class"].upper(),
                      f"{row} class atom 0x{c['class']:x}, script {w['class']!r}")
            else:
                # Window class names are found whatever their case; the
                # resource compiler writes the name in capitals.
                check(c["class"].lower() == "msctls_updown32" and w["class"].lower() == "msctls_updown32",
                      f"{row} class {c['class']!r}, script {w['class']!r}: only the up-down class is a name")
    for failure in failures:
        print("FAIL", failure)
    print(f"{checks - len(failures)} passed, {len(failures)} failed")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
