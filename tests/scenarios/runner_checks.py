#!/usr/bin/env python3
"""Checks of stavenor-scenario itself: malformed scenarios are refused with
exit code 2 and one line naming the offending path, and --expect compares
results as JSON values.

usage: runner_checks.py PATH/TO/stavenor-scenario
"""
import json
import os
import subprocess
import sys
import tempfile

SYSTEM = {"spaceAbove": 100, "height": 400, "topLineDrop": 80, "lastLineRise": 120}

# (name, scenario text, text the one stderr line must contain after "FILE: ")
MALFORMED = [
    ("not JSON", '{"score": ', "not valid JSON"),
    ("top level a list", "[]", "expected a JSON object at the top level"),
    ("unknown top-level key", '{"scroe": {}}', "scroe: unknown key"),
    ("unknown nested key", '{"helper": {"presnt": false}}', "helper.presnt: unknown key"),
    ("length as a string",
     json.dumps({"score": {"pages": [{"systems": [SYSTEM]},
                                     {"systems": [dict(SYSTEM, height="400")]}]}}),
     "score.pages[1].systems[0].height: expected an integer"),
    ("length as a fraction",
     json.dumps({"score": {"pages": [{"systems": [dict(SYSTEM, height=1.5)]}]}}),
     "score.pages[0].systems[0].height: expected an integer"),
    ("required length missing",
     json.dumps({"score": {"pages": [{"systems": [{"spaceAbove": 1, "height": 2, "topLineDrop": 3}]}]}}),
     "score.pages[0].systems[0].lastLineRise: missing required field"),
    ("int16 out of range",
     json.dumps({"score": {"pages": [{"systems": [dict(SYSTEM, resizePercent=32768)]}]}}),
     "score.pages[0].systems[0].resizePercent: expected an integer from -32768 to 32767"),
    ("int32 out of range", '{"versionValue": 2147483648}',
     "versionValue: expected an integer from -2147483648 to 2147483647"),
    ("text above U+00FF",
     '{"records": [{"type": "textBlock", "number": 1, "text": "ok\\u263a"}]}',
     "records[0].text: character U+263A is not Latin-1"),
    ("hex of odd length", '{"registry": {"ShowWarning": "000"}}',
     "registry.ShowWarning: hex string of odd length"),
    ("hex with a non-digit", '{"registry": {"UserDialog": "zz00"}}',
     "registry.UserDialog: expected hex digits only"),
    ("typed value without hex", '{"registry": {"ShowWarning": {"type": 4}}}',
     "registry.ShowWarning.hex: missing required field"),
    ("names differing in case", '{"registry": {"ShowWarning": "0100", "showwarning": "0000"}}',
     "registry.showwarning: same value name as \"ShowWarning\""),
    ("unknown record type", '{"records": [{"type": "pageSpec", "number": 1}]}',
     "records[0].type: expected \"textBlock\", \"textLayout\" or \"pageText\""),
    ("two records at one key",
     '{"records": [{"type": "textLayout", "number": 1, "sub": 0, "textBlock": 1},'
     ' {"type": "textLayout", "number": 1, "sub": 0, "textBlock": 2}]}',
     "records[1]: same record key as records[0]"),
    ("unknown helper entry", '{"helper": {"missing": ["pFTX_NoSuchEntry"]}}',
     "helper.missing[0]: not an entry name of the helper"),
    ("refusal counted from 1", '{"host": {"refuseCreate": [{"type": "pageText", "nth": 0}]}}',
     "host.refuseCreate[0].nth: expected an integer from 1 to"),
    ("action not a list", '{"invocations": [{"ui": [{"dialog": 20128, "actions": [{"press": 1}]}]}]}',
     "invocations[0].ui[0].actions[0]: expected [\"click\", ID]"),
    ("unknown action", '{"invocations": [{"ui": [{"dialog": 20128, "actions": [["press", 1]]}]}]}',
     "invocations[0].ui[0].actions[0][0]: expected [\"click\", ID]"),
    ("click with an index", '{"invocations": [{"ui": [{"dialog": 20128, "actions": [["click", 1, 2]]}]}]}',
     "invocations[0].ui[0].actions[0]: \"click\" takes 1 value after it"),
    ("select without an index", '{"invocations": [{"ui": [{"dialog": 20128, "actions": [["select", 103]]}]}]}',
     "invocations[0].ui[0].actions[0]: \"select\" takes 2 values after it"),
    ("control id as text", '{"invocations": [{"ui": [{"dialog": 20128, "actions": [["click", "OK"]]}]}]}',
     "invocations[0].ui[0].actions[0][1]: expected an integer"),
    ("typed text not Latin-1",
     '{"invocations": [{"ui": [{"dialog": 20128, "actions": [["type", 115, "\\u263a"]]}]}]}',
     "invocations[0].ui[0].actions[0][2]: character U+263A is not Latin-1"),
    ("spin sideways", '{"invocations": [{"ui": [{"dialog": 20128, "actions": [["spin", 124, "left"]]}]}]}',
     "invocations[0].ui[0].actions[0][2]: expected \"up\" or \"down\""),
    ("click on a static text", '{"invocations": [{"ui": [{"dialog": 20129, "actions": [["click", 101]]}]}]}',
     "invocations[0].ui[0].actions[0]: control 101 is not a button, a check box or a radio button"),
    ("click on a missing control",
     '{"invocations": [{"ui": [{"dialog": 20129, "actions": [["click", 130], ["click", 2]]}]}]}',
     "invocations[0].ui[0].actions[1]: dialog 20129 has no control 2"),
    ("entry past the list",
     '{"invocations": [{"ui": [{"dialog": 20129, "actions": [["click", 6]]},'
     ' {"dialog": 20128, "actions": [["select", 103, 15]]}]}]}',
     "invocations[0].ui[1].actions[0]: control 103 has no entry 15 (it has 15)"),
    ("unknown answer", '{"invocations": [{"ui": [{"messageBox": "maybe"}]}]}',
     "invocations[0].ui[0].messageBox: expected \"ok\", \"yes\", \"no\" or \"cancel\""),
    ("step of both kinds", '{"invocations": [{"ui": [{"dialog": 20129, "messageBox": "ok"}]}]}',
     "invocations[0].ui[0]: expected either"),
    ("terminate not a boolean", '{"terminate": "yes"}', "terminate: expected true or false"),
    # The menu command publisher's keys.
    ("menu bar not a list", '{"menuBar": {}}', "menuBar: expected a list"),
    ("menu text not a string", '{"menuBar": [{"text": 5}]}', "menuBar[0].text: expected a string"),
    ("menu text above U+00FF", '{"menuBar": [{"text": "\\u263a"}]}',
     "menuBar[0].text: character U+263A is not Latin-1"),
    ("unknown key in a submenu item", '{"menuBar": [{"text": "a", "items": [{"txt": "b"}]}]}',
     "menuBar[0].items[0].txt: unknown key"),
    ("submenu items not a list", '{"menuBar": [{"text": "a", "items": {}}]}',
     "menuBar[0].items: expected a list"),
    ("menu id out of range", '{"menuBar": [{"text": "a", "id": 4294967296}]}',
     "menuBar[0].id: expected an integer from -2147483648 to 2147483647"),
    ("negative document windows", '{"documentWindows": -1}', "documentWindows: expected an integer from 0 to 100"),
    ("messages before as a string", '{"messagesBefore": "3"}', "messagesBefore: expected an integer"),
    ("existing block without hex", '{"existingBlocks": [{"name": "stavenor0"}]}',
     "existingBlocks[0].hex: missing required field"),
    ("existing block without bytes", '{"existingBlocks": [{"name": "stavenor0", "hex": ""}]}',
     "existingBlocks[0].hex: a block holds at least one byte"),
    ("two existing blocks of one name",
     '{"existingBlocks": [{"name": "stavenor0", "hex": "00"}, {"name": "stavenor0", "hex": "01"}]}',
     "existingBlocks[1]: same name as existingBlocks[0]"),
    ("unknown system refusal", '{"systemRefuses": ["thread"]}', "systemRefuses[0]: expected \"windowThread\""),
]


def run(binary, *arguments):
    return subprocess.run([binary, *arguments], capture_output=True, text=True)


def main():
    binary = sys.argv[1]
    failures = []
    passed = 0

    def check(name, condition, detail):
        nonlocal passed
        if condition:
            passed += 1
        else:
            failures.append(f"{name}: {detail}")

    with tempfile.TemporaryDirectory() as folder:
        path = os.path.join(folder, "case.json")
        for name, text, message in MALFORMED:
            with open(path, "w", encoding="utf-8") as file:
                file.write(text)
            done = run(binary, path)
            lines = done.stderr.splitlines()
            check(name, done.returncode == 2, f"exit code {done.returncode}, expected 2")
            check(name, done.stdout == "", f"printed a result: {done.stdout[:80]!r}")
            check(name, len(lines) == 1 and lines[0].startswith(path + ": ") and message in lines[0],
                  f"stderr {done.stderr!r}, expected one line with {message!r}")

        # --expect compares values: key order does not matter, one changed
        # figure is reported by its path with both values.
        scenario = {"score": {"pages": [{"systems": [SYSTEM]}]}, "terminate": False}
        with open(path, "w", encoding="utf-8") as file:
            json.dump(scenario, file)
        done = run(binary, path)
        check("plain run", done.returncode == 0, f"exit code {done.returncode}: {done.stderr}")
        check("plain run", done.stdout.isascii(), "result is not ASCII")
        result = json.loads(done.stdout)
        expected_path = os.path.join(folder, "case.expected.json")

        reordered = dict(reversed(list(result.items())))
        with open(expected_path, "w", encoding="utf-8") as file:
            json.dump(reordered, file)
        done = run(binary, "--expect", expected_path, path)
        check("same values, other order", done.returncode == 0, f"exit code {done.returncode}: {done.stderr}")

        changed = dict(result, initResult=7)
        with open(expected_path, "w", encoding="utf-8") as file:
            json.dump(changed, file)
        done = run(binary, "--expect", expected_path, path)
        check("one figure changed", done.returncode == 1, f"exit code {done.returncode}, expected 1")
        check("one figure changed", "initResult: expected 7, actual 1" in done.stderr,
              f"stderr {done.stderr!r}")

        changed = dict(result)
        del changed["published"]
        changed["extra"] = [1]
        with open(expected_path, "w", encoding="utf-8") as file:
            json.dump(changed, file)
        done = run(binary, "--expect", expected_path, path)
        check("member missing and added", done.returncode == 1, f"exit code {done.returncode}, expected 1")
        check("member missing and added",
              "extra: expected [1], actual (missing)" in done.stderr
              and "published: expected (missing), actual null" in done.stderr,
              f"stderr {done.stderr!r}")

        done = run(binary)
        check("no file given", done.returncode == 2, f"exit code {done.returncode}, expected 2")
        done = run(binary, "--frobnicate", path)
        check("unknown option", done.returncode == 2, f"exit code {done.returncode}, expected 2")

    for failure in failures:
        print("FAIL", failure)
    print(f"{passed} passed, {len(failures)} failed")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
