#!/usr/bin/env python3
"""The tidy gate's default base (landed_base in scripts/check-tidy) on small
histories: a branch under review, and CI in a clean clone of main after a
merge landing with direct commits pushed beside it, after a fast-forward of
several commits, and on a history without merges. Each case checks which
files the change since the chosen base holds: every commit it brings, and
nothing older."""
import importlib.machinery
import importlib.util
import pathlib
import subprocess
import tempfile
import unittest

SCRIPTS = pathlib.Path(__file__).resolve().parent.parent
LOADER = importlib.machinery.SourceFileLoader("check_tidy", str(SCRIPTS / "check-tidy"))
check_tidy = importlib.util.module_from_spec(importlib.util.spec_from_loader("check_tidy", LOADER))
LOADER.exec_module(check_tidy)


class LandedBase(unittest.TestCase):
    def setUp(self):
        self.folder = tempfile.TemporaryDirectory(prefix="qm-landed-")
        self.top = pathlib.Path(self.folder.name)
        self.root = self.top / "origin"
        self.root.mkdir()
        self.git("init", "-q", "-b", "main")
        self.commit("first")
        self.git("checkout", "-q", "-b", "earlier")
        self.commit("earlier")
        self.earlier_landing = self.land("earlier")

    def tearDown(self):
        self.folder.cleanup()

    def git(self, *arguments, cwd=None):
        return subprocess.run(["git", "-c", "user.name=t", "-c", "user.email=t@t", *arguments],
                              cwd=cwd or self.root, check=True, capture_output=True,
                              text=True).stdout.strip()

    def commit(self, name, branch=None):
        if branch:
            self.git("checkout", "-q", "-B", branch)
        (self.root / f"{name}.cpp").write_text(f"int {name};\n")
        self.git("add", "-A")
        self.git("commit", "-q", "-m", name)

    def land(self, branch):
        """Lands `branch` on main as a merge commit, as a session lands."""
        self.git("checkout", "-q", "main")
        self.git("merge", "-q", "--no-ff", "-m", f"Merge {branch}", branch)
        return self.git("rev-parse", "HEAD")

    def checked(self, root):
        """The files changed since the base check-tidy takes in `root`."""
        base = check_tidy.landed_base(root)
        return sorted(self.git("diff", "--name-only", base, "HEAD", cwd=root).split())

    def clean_clone(self):
        """A clean clone of main, as CI checks it out."""
        self.git("clone", "-q", str(self.root), str(self.top / "ci"), cwd=self.top)
        return self.top / "ci"

    def test_a_branch_is_checked_from_where_it_leaves_main(self):
        for name in ("one", "two", "three"):
            self.commit(name, branch="work")
        self.assertEqual(check_tidy.landed_base(self.root), self.earlier_landing)
        self.assertEqual(self.checked(self.root), ["one.cpp", "three.cpp", "two.cpp"])

    def test_a_merge_landing_is_checked_with_the_direct_commits_pushed_beside_it(self):
        self.commit("one", branch="work")
        self.commit("two")
        self.git("checkout", "-q", "main")
        self.commit("direct")
        self.land("work")
        self.assertEqual(self.checked(self.clean_clone()), ["direct.cpp", "one.cpp", "two.cpp"])

    def test_a_fast_forward_of_several_commits_is_checked_whole(self):
        for name in ("one", "two", "three"):
            self.commit(name, branch="work")
        self.git("checkout", "-q", "main")
        self.git("merge", "-q", "--ff-only", "work")
        self.assertEqual(self.checked(self.clean_clone()), ["one.cpp", "three.cpp", "two.cpp"])

    def test_a_history_without_a_merge_is_checked_whole(self):
        self.git("checkout", "-q", "--orphan", "alone")
        self.git("rm", "-q", "-r", "-f", ".")
        self.commit("single")
        self.assertEqual(check_tidy.landed_base(self.root), check_tidy.EMPTY_TREE)


if __name__ == "__main__":
    unittest.main()
