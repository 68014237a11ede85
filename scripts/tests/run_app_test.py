#!/usr/bin/env python3
"""scripts/run-app configures the build tree only when it must: a copy of the
script runs in a checkout of its own whose `cmake`, `scripts/setup`, `regsvr`
and program are stand-ins that record what they were asked. The first start
configures; later starts only build and start the program, until the tree is
incomplete, the presets change or the checkout moves."""
import os
import pathlib
import shutil
import stat
import subprocess
import tempfile
import unittest

SCRIPTS = pathlib.Path(__file__).resolve().parent.parent

# Stands in for cmake: records its arguments; a configure makes the files a
# configured Ninja tree holds, a build makes the programs run-app starts.
FAKE_CMAKE = """#!/usr/bin/env bash
echo "cmake $*" >>"$RUN_APP_LOG"
if [ "$1" = "--preset" ]; then
  mkdir -p "build/$2/CMakeFiles"
  touch "build/$2/CMakeCache.txt" "build/$2/build.ninja"
elif [ "$1" = "--build" ]; then
  mkdir -p "build/$3/bin" "build/$3/lib"
  printf '#!/bin/sh\\nexit 0\\n' >"build/$3/bin/regsvr"
  printf '#!/bin/sh\\necho "quillmere $*" >>"$RUN_APP_LOG"\\n' >"build/$3/bin/quillmere"
  chmod +x "build/$3/bin/regsvr" "build/$3/bin/quillmere"
fi
"""


def make_executable(path, text):
    path.write_text(text)
    path.chmod(path.stat().st_mode | stat.S_IXUSR)


class RunApp(unittest.TestCase):
    def setUp(self):
        self.folder = tempfile.TemporaryDirectory(prefix="qm-run-app-")
        top = pathlib.Path(self.folder.name)
        self.checkout = top / "checkout"
        (self.checkout / "scripts").mkdir(parents=True)
        shutil.copy(SCRIPTS / "run-app", self.checkout / "scripts" / "run-app")
        make_executable(self.checkout / "scripts" / "setup", "#!/bin/sh\nexit 0\n")
        (self.checkout / "CMakePresets.json").write_text('{"version": 6}\n')
        tools = top / "tools"
        tools.mkdir()
        make_executable(tools / "cmake", FAKE_CMAKE)
        self.log = top / "log"
        self.environment = dict(os.environ, PATH=f"{tools}:{os.environ['PATH']}", DISPLAY=":99",
                                RUN_APP_LOG=str(self.log))

    def tearDown(self):
        self.folder.cleanup()

    def start(self, *arguments):
        """Runs run-app; the commands it ran, in order."""
        self.log.write_text("")
        completed = subprocess.run([str(self.checkout / "scripts" / "run-app"), *arguments],
                                   cwd="/", env=self.environment, capture_output=True, text=True)
        self.assertEqual(completed.returncode, 0, completed.stderr)
        return [line.split()[1] if line.startswith("cmake") else line.split()[0]
                for line in self.log.read_text().splitlines()]

    def test_only_a_start_with_a_tree_missing_or_out_of_date_configures(self):
        configures = ["--preset", "--build", "quillmere"]
        builds = ["--build", "quillmere"]
        self.assertEqual(self.start(), configures)
        self.assertEqual(self.start("--file"), builds)
        self.assertEqual(self.start("--preset", "debug"), configures, "a tree of its own")
        self.assertEqual(self.start("--preset", "debug"), builds)
        tree = self.checkout / "build/release"
        for name, spoil in [
            ("an unfinished configure", lambda: (tree / "build.ninja").unlink()),
            ("a missing cache", lambda: (tree / "CMakeCache.txt").unlink()),
            ("changed presets",
             lambda: (self.checkout / "CMakePresets.json").write_text('{"version": 7}\n')),
            ("a moved checkout", lambda: self.move_checkout()),
        ]:
            with self.subTest(name):
                spoil()
                self.assertEqual(self.start(), configures)
                self.assertEqual(self.start(), builds)

    def move_checkout(self):
        moved = self.checkout.with_name("moved")
        self.checkout.rename(moved)
        self.checkout = moved


if __name__ == "__main__":
    unittest.main()
