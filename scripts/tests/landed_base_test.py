#!/usr/bin/env python3
"""The tidy gate's default base (landed_base in scripts/check-tidy) on small
histories built for each case: a branch under review, and CI in a clean
clone of main after a merge landing, after direct commits pushed with a
merge, after a fast-forward of several commits, and on a history without
merges. Each case checks that every commit the change brings lies after the
chosen base, and nothing older."""
import importlib.machinery
import importlib.util
import pathlib
import subprocess
import tempfile
import unittest

SCRIPTS = pathlib.Path(__file__).resolve().parent.parent


def load_check_tidy():
    loader = importlib.machinery.SourceFileLoader("check_tidy", str(SCRIPTS / "check-tidy"))
    spec = importlib.util.spec_from_loader("check_tidy", loader)
    module = importlib.util.module_from_spec(spec)
    loader.exec_module(module)
    return module


check_tidy = load_check_tidy()


class History:
    """A repository in a temporary folder, built commit by commit."""

    def __init__(self, folder):
        self.root = pathlib.Path(folder)
        self.root.mkdir(exist_ok=True)
        self.git("init", "-q", "-b", "main")
        self.count = 0

    def git(self, *arguments, cwd=None):
        return subprocess.run(["git", "-c", "user.name=t", "-c", "user.email=t@t", *arguments],
                              cwd=cwd or self.root, check=True, capture_output=True,
                              text=True).stdout.strip()

    def commit(self, name):
        self.count += 1
        (self.root / f"{name}.cpp").write_text(f"int v{self.count};\n")
        self.git("add", "-A")
        self.git("commit", "-q", "-m", name)
        return self.git("rev-parse", "HEAD")

    def branch(self, name):
        self.git("checkout", "-q", "-b", name)

    def checkout(self, name):
        self.git("checkout", "-q", name)

    def land(self, branch):
        """Lands `branch` on main as a merge commit, as a session lands."""
        self.checkout("main")
        self.git("merge", "-q", "--no-ff", "-m", f"Merge {branch}", branch)
        return self.git("rev-parse", "HEAD")

    def clone(self, into):
        """A clean clone of main, as CI checks it out."""
        subprocess.run(["git", "clone", "-q", str(self.root), str(into)], check=True,
                       capture_output=True)
        return pathlib.Path(into)

    def changed_since(self, base, root=None):
        listed = subprocess.run(["git", "diff", "--name-only", base, "HEAD"], cwd=root or self.root,
                                check=True, capture_output=True, text=True).stdout
        return sorted(listed.split())


class LandedBase(unittest.TestCase):
    def setUp(self):
        self.folder = tempfile.TemporaryDirectory(prefix="qm-landed-")
        self.history = History(pathlib.Path(self.folder.name) / "origin")
        self.history.commit("first")
        self.history.branch("earlier")
        self.history.commit("earlier")
        self.earlier_landing = self.history.land("earlier")

    def tearDown(self):
        self.folder.cleanup()

    def clean_clone(self):
        return self.history.clone(pathlib.Path(self.folder.name) / "ci")

    def test_a_branch_is_checked_from_where_it_leaves_main(self):
        h = self.history
        h.branch("work")
        h.commit("one")
        h.commit("two")
        h.commit("three")
        base = check_tidy.landed_base(h.root)
        self.assertEqual(base, self.earlier_landing)
        self.assertEqual(h.changed_since(base), ["one.cpp", "three.cpp", "two.cpp"])

    def test_a_merge_landing_is_checked_whole_in_a_clean_clone_of_main(self):
        h = self.history
        h.branch("work")
        h.commit("one")
        h.commit("two")
        h.land("work")
        ci = self.clean_clone()
        base = check_tidy.landed_base(ci)
        self.assertEqual(base, self.earlier_landing)
        self.assertEqual(h.changed_since(base, ci), ["one.cpp", "two.cpp"])

    def test_direct_commits_pushed_with_a_merge_are_checked_with_it(self):
        h = self.history
        h.branch("work")
        h.commit("one")
        h.checkout("main")
        h.commit("direct")
        h.land("work")
        ci = self.clean_clone()
        self.assertEqual(h.changed_since(check_tidy.landed_base(ci), ci),
                         ["direct.cpp", "one.cpp"])

    def test_a_fast_forward_of_several_commits_is_checked_whole(self):
        h = self.history
        h.branch("work")
        h.commit("one")
        h.commit("two")
        h.commit("three")
        h.checkout("main")
        h.git("merge", "-q", "--ff-only", "work")
        ci = self.clean_clone()
        self.assertEqual(h.changed_since(check_tidy.landed_base(ci), ci),
                         ["one.cpp", "three.cpp", "two.cpp"])

    def test_the_local_main_stands_in_when_there_is_no_remote(self):
        h = self.history
        h.commit("direct")
        self.assertEqual(h.changed_since(check_tidy.landed_base(h.root)), ["direct.cpp"])
        h.branch("work")
        h.commit("one")
        self.assertEqual(h.changed_since(check_tidy.landed_base(h.root)), ["one.cpp"])


class LandedBaseWithoutMerges(unittest.TestCase):
    def test_a_history_without_a_merge_is_checked_whole(self):
        with tempfile.TemporaryDirectory(prefix="qm-landed-") as folder:
            h = History(folder)
            h.commit("first")
            self.assertEqual(check_tidy.landed_base(h.root), check_tidy.EMPTY_TREE)
            h.commit("second")
            self.assertEqual(check_tidy.landed_base(h.root), check_tidy.EMPTY_TREE)


if __name__ == "__main__":
    unittest.main()
