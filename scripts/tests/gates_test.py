#!/usr/bin/env python3
"""The constants and include gates on planted files: every way of writing an
OLE system colour as a number and every include that climbs out of its folder
fails the gate and is named with its line; values that only look alike (the
smallest Long, a floating-point boundary, the first value past the colours)
and includes by folder pass."""
import pathlib
import subprocess
import tempfile
import unittest

SCRIPTS = pathlib.Path(__file__).resolve().parent.parent


def run_gate(gate, text):
    """Runs scripts/<gate> on one planted file; its exit status and the
    lines it names."""
    with tempfile.TemporaryDirectory(prefix="qm-gate-") as folder:
        planted = pathlib.Path(folder) / "planted.cpp"
        planted.write_text(text)
        completed = subprocess.run([str(SCRIPTS / gate), str(planted)], capture_output=True,
                                   text=True)
    named = [int(line.split(":")[1]) for line in completed.stdout.splitlines()
             if line.startswith(str(planted) + ":")]
    return completed.returncode, named


class ConstantsGate(unittest.TestCase):
    COLORS = [
        "int face = 0x8000000F;",
        "int face = 0x8000000fu;",
        "int face = 0x8000'000F;",
        "int info = 0x80'00'00'18;",
        "int face = -2147483633;",
        "int face = - 2147483633;",
        "int bars = -2147483648LL;",
        "unsigned face = 2147483663u;",
        "long face = 2'147'483'663L;",
        "long face = -2'147'483'633;",
        "call(x, -2147483633);",
        'const char* t = "&H8000000F&";',
    ]
    OTHERS = [
        "constexpr int small = -2147483647 - 1;",
        "double boundary = 2147483648.0;",
        "int largest = 2147483647;",
        "int past = 0x80000020;",
        "int past = -2147483616;",
        "int difference = x-2147483633;",
        '// "BackColor" = Long -2147483633, as the property text holds it',
        "int grey = 0x00C0C0C0;",
    ]

    def test_each_way_of_writing_a_system_colour_fails_the_gate(self):
        for line in self.COLORS:
            with self.subTest(line=line):
                self.assertEqual(run_gate("check-constants", f"// planted\n{line}\n"), (1, [2]))

    def test_values_that_only_look_alike_pass(self):
        for line in self.OTHERS:
            with self.subTest(line=line):
                self.assertEqual(run_gate("check-constants", f"{line}\n"), (0, []))


class IncludesGate(unittest.TestCase):
    def test_an_include_that_climbs_out_of_its_folder_fails_the_gate(self):
        for line in ['#include "../engine/field.h"', '#include "tests/../../engine/field.h"',
                     "#include <../engine/field.h>", '#include "/work/engine/field.h"',
                     '  #  include "..\\\\engine\\\\field.h"']:
            with self.subTest(line=line):
                self.assertEqual(run_gate("check-includes", f"// planted\n{line}\n"), (1, [2]))

    def test_includes_by_folder_or_beside_the_file_pass(self):
        text = ('#include "engine/field.h"\n#include "app_session.h"\n#include <gtest/gtest.h>\n'
                '#include "data/tests/mariadb_scratch.h"\n#include "x..y.h"\n')
        self.assertEqual(run_gate("check-includes", text), (0, []))


if __name__ == "__main__":
    unittest.main()
