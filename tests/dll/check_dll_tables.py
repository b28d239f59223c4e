#!/usr/bin/env python3
"""Reads the built plug-in's export and import tables and checks them.

The host finds the plug-in by the name in its export table and calls six
undecorated entry points; the plug-in imports the host's services from
FINALE.EXE by ordinal only and, besides, nothing but system DLLs, so it loads
on a clean Windows with only the host beside it.
"""
import argparse
import re
import subprocess
import sys

EXPORTS = {
    "FinaleExtensionVersion": 4,
    "FinaleExtensionInit": 8,
    "FinaleExtensionEnumerate": 12,
    "FinaleExtensionInvoke": 16,
    "FinaleExtensionTerminate": 4,
    "FinaleExtensionGetMenuStatus": 4,
}

# Host service: (ordinal, argument bytes including the trailing interface version).
HOST_SERVICES = {
    "HostLoadRecord": (9, 20),
    "HostCreateRecord": (11, 20),
    "HostDeleteRecord": (12, 12),
    "HostNextRecord": (14, 20),
    "HostRunDialog": (15, 24),
    "HostEndDialog": (16, 8),
    "HostEnableControl": (35, 16),
    "HostFocusControl": (36, 12),
    "HostReadMeasurement": (37, 20),
    "HostWriteMeasurement": (38, 24),
    "HostPrePlacement": (41, 12),
    "HostGetControl": (57, 16),
    "HostSetControl": (58, 20),
}

SYSTEM_DLLS = {"kernel32.dll", "user32.dll", "advapi32.dll", "msvcrt.dll"}

# The menu command publisher's system calls, by DLL: the ANSI variants where
# there are two, so the texts it reads and the block's name stay 8-bit.
PUBLISHER_IMPORTS = {
    "user32.dll": ["GetWindowThreadProcessId", "SetWindowsHookExA", "CallNextHookEx", "UnhookWindowsHookEx",
                   "GetMenu", "GetSubMenu", "GetMenuItemCount", "GetMenuStringA", "GetMenuItemID"],
    "kernel32.dll": ["OpenProcess", "CloseHandle", "CreateFileMappingA", "MapViewOfFile", "UnmapViewOfFile"],
}

failures = []
passed = 0


def check(condition, what):
    global passed
    if condition:
        passed += 1
    else:
        failures.append(what)


def tool(name, *args):
    return subprocess.run([name, *args], check=True, capture_output=True, text=True).stdout


def import_blocks(dump):
    """Maps each imported DLL (lower case) to its list of (hint/ordinal, name) rows."""
    blocks = {}
    current = None
    for line in dump.splitlines():
        m = re.match(r"\s*DLL Name: (\S+)", line)
        if m:
            current = m.group(1).lower()
            blocks[current] = []
            continue
        if current is None:
            continue
        m = re.match(r"\s*([0-9a-f]+)\s+(\d+)\s+(\S+)", line)
        if m:
            blocks[current].append((m.group(1), int(m.group(2)), m.group(3)))
        elif line.strip() == "" and blocks[current]:
            current = None
    return blocks


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--objdump", default="i686-w64-mingw32-objdump")
    parser.add_argument("--nm", default="i686-w64-mingw32-nm")
    parser.add_argument("--import-lib", required=True)
    parser.add_argument("dll")
    args = parser.parse_args()

    dump = tool(args.objdump, "-p", args.dll)

    check("file format pei-i386" in dump, "the plug-in is a 32-bit PE image")
    check(re.search(r"Characteristics 0x[0-9a-f]+\n(?:\s+.*\n)*?\s+DLL", dump) is not None,
          "the image is a DLL")

    m = re.search(r"^Name\s+[0-9a-f]+\s+(\S+)$", dump, re.M)
    check(m is not None and m.group(1) == "stavenor2000.fxt",
          f"export table names the plug-in stavenor2000.fxt (found {m.group(1) if m else None})")

    names_section = dump.split("[Ordinal/Name Pointer] Table", 1)
    exported = set()
    if len(names_section) == 2:
        for line in names_section[1].splitlines()[1:]:
            m = re.match(r"\s*\[\s*\d+\]\s+(\S+)$", line)
            if not m:
                break
            exported.add(m.group(1))
    check(exported == set(EXPORTS),
          f"exports exactly the six entry points, undecorated (found {sorted(exported)})")

    blocks = import_blocks(dump)
    for dll in blocks:
        check(dll == "finale.exe" or dll in SYSTEM_DLLS, f"imports only system DLLs and FINALE.EXE (found {dll})")
    for dll, names in PUBLISHER_IMPORTS.items():
        imported = {name for _, _, name in blocks.get(dll, [])}
        for name in names:
            check(name in imported, f"imports {name} from {dll.upper()}")
    host_rows = blocks.get("finale.exe", [])
    check(host_rows, "imports the host's services from FINALE.EXE")
    ordinals = {ordinal for ordinal, _ in HOST_SERVICES.values()}
    for vma, ordinal, name in host_rows:
        check(name == "<none>" and vma.startswith("8000"),
              f"FINALE.EXE import {ordinal} is by ordinal only (found {vma} {name})")
        check(ordinal in ordinals, f"FINALE.EXE import {ordinal} is one of the host's services")

    # The import library carries each service's decorated name with its argument bytes.
    symbols = set(re.findall(r"\b_?(Host\w+@\d+)\b", tool(args.nm, args.import_lib)))
    expected = {f"{name}@{size}" for name, (_, size) in HOST_SERVICES.items()}
    check(expected <= symbols, f"import library declares {sorted(expected - symbols)}")
    check({s for s in symbols if s.split("@")[0] in HOST_SERVICES} == expected,
          f"import library has no other service shapes (found {sorted(symbols - expected)})")

    if failures:
        for f in failures:
            print(f"FAIL: {f}")
        print(f"{passed} passed, {len(failures)} failed")
        return 1
    print(f"dll tables: {passed} passed, 0 failed")
    return 0


if __name__ == "__main__":
    sys.exit(main())
