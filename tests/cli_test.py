"""The tracemill command as a user runs it: exit statuses, messages, files,
and the files read back by a real DXF reader."""

import ast
import concurrent.futures
import hashlib
import itertools
import math
import os
import pty
import random
import re
import shlex
import shutil
import signal
import subprocess
import sys
import tempfile
import time
import unittest

TRACEMILL = os.environ.get("TRACEMILL", os.path.join(os.path.dirname(__file__), "..", "build", "tracemill"))

# How the parser ends a refusal of its own.
HELP = "\nRun with --help for more information.\n"
NOT_CREATED = "\n　ファイルは作成していません。"
UNSUPPORTED = "対応してない文字が含まれています。\n　"
CREATED = "DXFファイルを作成しました。"


# The variables that choose the language of the messages; the tests start
# from none of them (Japanese, exactly the original messages) whatever the
# shell that runs them has set.
LANGUAGE_VARIABLES = ("LC_ALL", "LC_MESSAGES", "LANG", "LANGUAGE")


def run(*args, env=None, stdin=None, **how):
    full_env = {k: v for k, v in os.environ.items() if k not in LANGUAGE_VARIABLES}
    if env:
        full_env.update(env)
    return subprocess.run([TRACEMILL, *args], capture_output=True, env=full_env, input=stdin, **how)


class Workspace(unittest.TestCase):
    def setUp(self):
        self._tmp = tempfile.TemporaryDirectory()
        self.dir = self._tmp.name
        self.out = os.path.join(self.dir, "out.dxf")

    def tearDown(self):
        self._tmp.cleanup()

    def read(self, path=None):
        with open(path or self.out, "rb") as f:
            return f.read()

    def entity_count(self, kind, path=None):
        return self.read(path).count(b"\r\n" + kind + b"\r\n")


class ExitStatuses(Workspace):
    def test_success_is_quiet(self):
        r = run("-o", self.out, "--", "-/.", "|_")
        self.assertEqual(r.returncode, 0, r.stderr.decode())
        self.assertEqual(r.stdout, b"")
        self.assertEqual(r.stderr, b"")
        data = self.read()
        self.assertTrue(data.startswith(b"  0\r\nSECTION\r\n"))
        self.assertTrue(data.endswith(b"  0\r\nENDSEC\r\n  0\r\nEOF\r\n"))
        self.assertNotIn(b"\n", data.replace(b"\r\n", b""))

    def test_stop_writes_the_file_and_reports(self):
        # A non-ASCII character and a tab both stop the run; everything before stays.
        for text in ["-é-", "-\t-"]:
            r = run("-f", "-o", self.out, "--", text)
            self.assertEqual(r.returncode, 1)
            self.assertEqual(r.stderr.decode(), UNSUPPORTED + CREATED + "\n")
            self.assertEqual(self.entity_count(b"LINE"), 4 + 3)

    def test_glyph_that_does_not_fit(self):
        r = run("-o", self.out, "--char-width", "1", "--line-width", "0.7", "--", "-.-")
        self.assertEqual(r.returncode, 1)
        self.assertEqual(r.stderr.decode(), "文字の 点 の 線幅 は 0.6 未満です。\n　" + CREATED + "\n")

    def test_validation_messages_write_nothing(self):
        cases = [
            (["--char-width", "0.3"], "文字幅 が 線幅 以下です。"),
            (["--char-height", "-1"], "文字高 が ゼロ以下です。"),
            (["--char-spacing", "-0.1"], "文字間隔 が ゼロ未満です。"),
            (["--char-spacing", "1e308"], "文字間隔 が 大き過ぎます。"),
            (["--line-width", "1e-7"], "線幅 が 小さ過ぎます。"),
        ]
        for args, message in cases:
            r = run("-o", self.out, *args, "--", "-")
            self.assertEqual(r.returncode, 2, args)
            self.assertEqual(r.stderr.decode(), message + NOT_CREATED + "\n")
            self.assertFalse(os.path.exists(self.out))

    def test_not_a_number_is_refused(self):
        for value in ["nan", "inf", "-inf", "1,5", "abc", ""]:
            r = run("-o", self.out, "--char-width", value, "--", "-")
            self.assertEqual(r.returncode, 2, value)
            self.assertEqual(r.stderr.decode(), f'--char-width: "{value}" は数値ではありません。\n')
            self.assertFalse(os.path.exists(self.out))
        # With two unreadable lengths the first is named.
        r = run("-o", self.out, "--char-height", "x", "--line-spacing", "y", "--", "-")
        self.assertEqual(r.stderr.decode(), '--char-height: "x" は数値ではありません。\n')

    def test_machine_values_are_refused_with_their_own_messages(self):
        nc = ["--gcode", os.path.join(self.dir, "out.nc")]
        only = " は --gcode-machine {} のときだけ使えます。\n"
        for args, message in [
                (nc + ["--gcode-machine", "laser", "--gcode-passes", "1.5"],
                 '--gcode-passes: "1.5" は 1 から 100 までの整数ではありません。\n'),
                (nc + ["--gcode-feed", "x"], '--gcode-feed: "x" は数値ではありません。\n'),
                (nc + ["--gcode-air"], "--gcode-air" + only.format("laser")),
                (nc + ["--gcode-machine", "pen", "--gcode-air"], "--gcode-air" + only.format("laser")),
                (nc + ["--gcode-machine", "pen", "--gcode-depth", "1"], "--gcode-depth" + only.format("mill")),
                (["--gcode-machine", "laser"], "--gcode-* の指定には --gcode FILE が必要です。\n"),
                (["--gcode-air"], "--gcode-* の指定には --gcode FILE が必要です。\n")]:
            r = run("-o", self.out, *args, "--", "-")
            self.assertEqual((r.returncode, r.stderr.decode()), (2, message), args)
            self.assertEqual(os.listdir(self.dir), [], args)

    def test_empty_text(self):
        r = run("-o", self.out, "", "")
        self.assertEqual(r.returncode, 2)
        self.assertEqual(r.stderr.decode(), "文字 が記入されていません。" + NOT_CREATED + "\n")
        r = run("-o", self.out)
        self.assertEqual(r.returncode, 2)

    def test_missing_output_is_an_argument_error(self):
        r = run("/")
        self.assertEqual((r.returncode, r.stderr.decode()), (2, "--output is required (or --svg, or --gcode)" + HELP))

    def test_help_states_the_defaults_the_command_uses(self):
        # Every default --help states ("=X" after the value's name, or
        # "(default X; Y with --units in)") draws, pictures and cuts exactly
        # as leaving the option out does.
        r = run("--help")
        self.assertEqual(r.returncode, 0)
        entries = re.findall(r"^  (--[a-z-]+) ([^\n]*(?:\n {20,}[^\n]*)*)", r.stdout.decode(), re.M)
        stated = {}
        for option, rest in entries:
            shown = re.match(r"\S+=(\S+)", rest)
            said = re.search(r"default ([^;)]+)(?:; (\S+) with --units in)?\)", rest)
            if shown and option != "--text":
                stated[option] = ([shown.group(1)], None)
            elif said and "(" not in said.group(1):
                stated[option] = (said.group(1).strip('"').split(" ") if option.startswith("--frame-")
                                  else [said.group(1).strip('"')], said.group(2))
        for option, default in [("--char-width", "2.1"), ("--line-spacing", "0.4"), ("--gcode-feed", "600"),
                                ("--gcode-pen-up", "M3 S90"), ("--frame-percent", "20"), ("--draw", "skeleton")]:
            self.assertIn(default, " ".join(stated[option][0]), option)
        self.assertEqual(len(stated), 27, stated)
        outputs = [os.path.join(self.dir, name) for name in ("d.dxf", "d.svg", "d.nc")]

        def drawn(*args):
            for path in outputs:
                if os.path.exists(path):
                    os.remove(path)
            r = run("--lang", "en", "-o", outputs[0], "--svg", outputs[1], "--gcode", outputs[2], *args, "--", "Ag")
            files = []
            for path in outputs:
                with open(path, "rb") as f:
                    files.append(f.read())
            return r.returncode, r.stdout, r.stderr, files

        for option, (values, in_inches) in stated.items():
            machine = re.search(r"^  " + option + r" .*?\s(mill|laser|pen):", r.stdout.decode(), re.M)
            base = ["--gcode-machine", machine.group(1)] if machine else []
            if option.startswith("--frame-"):
                base += ["--frame-grid", "1", "1"] if option != "--frame-grid" else ["--frame-size", "2.5", "5"]
            if option == "--fit-margin":
                base += ["--fit-line-width"]
            for units, value in [([], values), (["--units", "in"], [in_inches] if in_inches else None)]:
                if value:
                    with self.subTest(option=option, value=value, units=units):
                        self.assertEqual(drawn(*base, *units, option, *value), drawn(*base, *units))


class Languages(Workspace):
    """The language of the messages: the locale's by the usual precedence,
    Japanese and exactly the original messages without a locale or under the
    C locale, --lang over everything; and the line naming the character the
    run stopped at, as it was typed."""

    JA = UNSUPPORTED + CREATED + "\n"
    JA_WHERE = JA + "止まった文字：U+00EB 'ë'（2 行目 3 文字目）\n"
    EN_WHERE = ("The text holds a character that cannot be drawn.\nDXF file written.\n"
                "Stopped at U+00EB 'ë': row 2, column 3.\n")

    def test_the_locale_and_lang_choose(self):
        JA, JA_WHERE, EN_WHERE = self.JA, self.JA_WHERE, self.EN_WHERE
        cases = [
            ({}, [], JA),
            ({"LANG": "C"}, [], JA),
            ({"LANG": "C.UTF-8", "LANGUAGE": "en"}, [], JA),
            ({"LC_ALL": "POSIX", "LANG": "en_US.UTF-8"}, [], JA),
            ({"LANG": "ja_JP.UTF-8"}, [], JA_WHERE),
            ({"LANG": "en_US.UTF-8"}, [], EN_WHERE),
            ({"LANG": "de_DE.UTF-8"}, [], EN_WHERE),
            ({"LANG": "ja_JP.UTF-8", "LC_MESSAGES": "en_GB.UTF-8"}, [], EN_WHERE),
            ({"LANG": "en_US.UTF-8", "LANGUAGE": "fr:ja:en"}, [], JA_WHERE),
            ({"LANG": "C"}, ["--lang", "en"], EN_WHERE),
            ({"LANG": "en_US.UTF-8"}, ["--lang=ja"], JA_WHERE),
            # After "--" it is text, not an option.
            ({"LANG": "C"}, ["--", "--lang", "en"], JA),
            ({"LANG": "C"}, ["--", "--lang=en"], JA),
        ]
        for env, args, expected in cases:
            with self.subTest(env=env, args=args):
                # Options before the rows, and rows after a "--" of their own.
                options = args if "--" not in args else []
                rows = ["--", "-", "Zoë"] if "--" not in args else [*args, "Zoë"]
                r = run(*options, "-f", "-o", self.out, *rows, env=env)
                self.assertEqual(r.returncode, 1)
                self.assertEqual(r.stderr.decode(), expected)
        self.assertEqual(run("--lang", "fr", "-o", self.out, "-").returncode, 2)
        # Without its value, last on the line: the parser's refusal.
        r = run("-o", self.out, "--lang")
        self.assertEqual(r.returncode, 2)
        self.assertTrue(r.stderr.decode().startswith("--lang: "), r.stderr)
        # Given twice, the parser refuses it; a refusal said before the
        # parsing speaks the last one's language.
        for args, expected in [(["--lang", "ja", "--lang=en"], "--output: the value is empty.\n"),
                               (["--lang=en", "--lang", "ja"], "--output: 値が空です。\n")]:
            r = run(*args, "--output=", env={"LANG": "C"})
            self.assertEqual((r.returncode, r.stderr.decode()), (2, expected))

    def test_english_messages_and_the_named_character(self):
        cases = [
            # The yen sign's glyph, typed as a backslash: named as drawn, found as typed.
            (["--char-width", "1", "--line-width", "0.7", "--", "-\\."],
             "The line width must be less than 0.5 for '¥'.\nDXF file written.\nStopped at '\\': row 1, column 2. "
             "The widest line width that draws the whole text is 0.49999999999999994.\n"),
            (["--", "Jos\u2019"], "The text holds a character that cannot be drawn.\nDXF file written.\n"
                                 "Stopped at U+2019 '\u2019': row 1, column 4.\n"),
            # A byte that is no UTF-8 is named as a byte, not as a character.
            (["--", b"A\x80B"], "The text holds a character that cannot be drawn.\nDXF file written.\n"
                                "Stopped at 0x80: row 1, column 2.\n"),
            (["--char-spacing", "-1", "--", "-"], "Character spacing must not be negative.\nNo file was written.\n"),
            (["--frame-grid", "1", "0", "--", "-"], "Rows must be greater than zero.\nThe frame cannot be calculated.\n"),
            (["--char-width", "x", "--", "-"], '--char-width: "x" is not a number.\n'),
            # Refusals the command words itself.
            (["--svg", self.out, "--", "-"], f'--svg: "{self.out}" is the same file as --output.\nNo file was written.\n'),
        ]
        for args, expected in cases:
            with self.subTest(args=args):
                r = run("--lang", "en", "-f", "-o", self.out, *args)
                self.assertEqual(r.stderr.decode(), expected)
        with open("/dev/full", "wb") as full:
            r = subprocess.run([TRACEMILL, "--lang", "en", "-o", "-", "--", "AB"], stdout=full, stderr=subprocess.PIPE)
        self.assertEqual((r.returncode, r.stderr.decode()),
                         (3, "standard output: No space left on device\nNo file was written.\n"))
        # The files are the same in both languages.
        for text in ["AZ09", "-\u00e9-"]:
            run("--lang", "en", "-f", "-o", self.out, "--svg", self.out + ".svg", "--", text)
            english = self.read(), self.read(self.out + ".svg")
            run("--lang", "ja", "-f", "-o", self.out, "--svg", self.out + ".svg", "--", text)
            self.assertEqual((self.read(), self.read(self.out + ".svg")), english)


class BatchUse(Workspace):
    def test_strict_writes_nothing_after_a_stop(self):
        with open(self.out, "wb") as f:
            f.write(b"old drawing")
        r = run("--strict", "-f", "-o", self.out, "--", "Zo\u00eb")
        self.assertEqual(r.returncode, 1)
        self.assertEqual(r.stderr.decode(), UNSUPPORTED + "ファイルは作成していません。（--strict）\n")
        self.assertEqual(self.read(), b"old drawing")
        self.assertEqual(os.listdir(self.dir), ["out.dxf"])
        r = run("--strict", "--lang", "en", "-o", "-", "--", "Zo\u00eb")
        self.assertEqual((r.returncode, r.stdout), (1, b""))
        self.assertTrue(r.stderr.decode().endswith("No file was written (--strict).\nStopped at U+00EB 'ë': row 1, column 3.\n"))
        # A run that draws every character is written as without --strict.
        self.assertEqual(run("--strict", "-f", "-o", self.out, "--", "Zoe").returncode, 0)
        self.assertEqual(self.entity_count(b"LINE", self.out) > 4, True)

    def test_standard_output(self):
        self.assertEqual(run("-o", self.out, "--", "AB-").returncode, 0)
        r = run("--text-file", "-", "-o", "-", stdin=b"AB-\n")
        self.assertEqual((r.returncode, r.stderr), (0, b""))
        self.assertEqual(r.stdout, self.read())
        # Cut short by a stop, like the file.
        r = run("-o", "-", "--", "AB-\u00e9")
        self.assertEqual(r.returncode, 1)
        self.assertEqual(r.stdout.count(b"\r\nLINE\r\n"), self.entity_count(b"LINE"))
        # The printed lengths would run into the drawing: refused, even with a text to draw.
        r = run("-o", "-", "--print-frame", "--", "-")
        self.assertEqual((r.returncode, r.stdout, r.stderr.decode()),
                         (2, b"", "--print-frame: -o - と同時には指定できません。\n"))

    def test_version_and_grouped_help(self):
        with open(os.path.join(os.path.dirname(__file__), "..", "CMakeLists.txt")) as f:
            version = re.search(r"project\(tracemill VERSION (\S+)", f.read()).group(1)
        r = run("--version")
        self.assertEqual((r.returncode, r.stdout.decode()), (0, f"tracemill {version}\n"))
        text = run("--help").stdout.decode()
        headings = [l for l in text.splitlines() if l and not l.startswith(" ") and l.endswith(":")]
        self.assertEqual(headings, ["Positionals:", "Options:", "Lengths (drawing units):",
                                    "Frame calculation (instead of the lengths):", "Output and export:",
                                    "Machine program (G-code):", "Layout and content:"])
        self.assertNotIn("Excludes", text)

    def test_progress_only_on_a_terminal_after_a_second(self):
        text = os.path.join(self.dir, "text.txt")
        # Long enough to take more than a second with closed polylines.
        rows = 400
        with open(text, "w") as f:
            f.write("\n".join(["@&$%#8BQSg" * 100] * rows))
        args = [TRACEMILL, "--lang", "en", "--polylines", "-o", "-", "--text-file", text]
        env = {k: v for k, v in os.environ.items() if k not in LANGUAGE_VARIABLES}
        master, slave = pty.openpty()
        start = time.monotonic()
        p = subprocess.Popen(args, stdout=subprocess.DEVNULL, stderr=slave, env=env)
        os.close(slave)
        seen, first = b"", None
        while True:
            try:
                chunk = os.read(master, 4096)
            except OSError:
                break
            if not chunk:
                break
            if first is None and b"\r" in chunk:
                first = time.monotonic() - start
            seen += chunk
        os.close(master)
        self.assertGreaterEqual(first, 1.0)  # not before the run has lasted a second
        self.assertEqual(p.wait(60), 0)
        seconds = time.monotonic() - start
        total = str(1000 * rows + rows - 1).encode()
        lines = re.findall(rb"\r(\d+) of " + total + rb" characters, (\d+\.\d) MB\x1b\[K", seen)
        self.assertTrue(lines, seen[:200])
        done = [int(d) for d, _ in lines]
        self.assertGreater(len(done), 1)
        self.assertEqual(done, sorted(set(done)))  # each line a count further on
        # Megabytes to a tenth: not whole numbers only.
        self.assertTrue(any(not mb.endswith(b".0") for _, mb in lines), lines)
        self.assertLessEqual(len(lines), 10 * seconds, seconds)  # at most ten times a second
        self.assertTrue(seen.endswith(b"\r\x1b[K"))  # gone at the end
        r = subprocess.run(args, capture_output=True, env=env)  # not a terminal: nothing
        self.assertEqual((r.returncode, r.stderr), (0, b""))
        # The megabytes (of 10^6 bytes) written so far: the characters' share
        # of the whole drawing, each row being alike, within 2 %, or early in
        # the run within the rows still in hand (two) and the tenth shown.
        row = len(r.stdout) / rows / 1e6
        for d, mb in lines:
            share = len(r.stdout) * int(d) / int(total) / 1e6
            self.assertLessEqual(abs(float(mb) - share), max(0.02 * share, 2 * row) + 0.05, (d, mb, share))

    def test_completion_and_manual_page_know_every_option(self):
        options = set(re.findall(r"(?<![\w-])(--?[a-z][a-z-]*)", run("--help").stdout.decode()))
        options -= {"-", "--polylines;"}
        completion = os.path.join(os.path.dirname(__file__), "..", "share", "tracemill.bash-completion")

        def complete(*words):
            line = " ".join(words)
            script = (f"source {completion}; COMP_WORDS=(tracemill {line}); COMP_CWORD={len(words)}; "
                      "_tracemill; printf '%s\\n' \"${COMPREPLY[@]}\"")
            return subprocess.run(["bash", "-c", script], capture_output=True, text=True).stdout.split()

        self.assertEqual(set(complete("-")), options)
        self.assertEqual(complete("--units", ""), ["mm", "in"])
        self.assertEqual(complete("--lang", "e"), ["en"])
        self.assertEqual(complete("--", "-"), [])
        # The build names its manual page unless it was configured without one.
        page = os.environ.get("TRACEMILL_MAN_PAGE", os.path.join(os.path.dirname(TRACEMILL), "tracemill.1"))
        if "TRACEMILL_MAN_PAGE" not in os.environ and not os.path.exists(page):
            self.skipTest("built without the manual page (-DTRACEMILL_MAN=OFF)")
        with open(page) as f:
            roff = f.read().replace("\\-", "-")
        self.assertEqual({o for o in options if o not in roff}, set())


class ExistingFiles(Workspace):
    def test_existing_file_needs_force(self):
        with open(self.out, "wb") as f:
            f.write(b"old drawing")
        r = run("-o", self.out, "--", "-")
        self.assertEqual((r.returncode, r.stderr.decode()),
                         (3, self.out + " は既に存在します。" + NOT_CREATED + "（上書きするには --force を指定します）\n"))
        self.assertEqual(self.read(), b"old drawing")
        r = run("--force", "-o", self.out, "--", "-")
        self.assertEqual(r.returncode, 0)
        self.assertEqual(self.entity_count(b"LINE"), 4 + 3)
        self.assertEqual(os.listdir(self.dir), ["out.dxf"])

    def test_unwritable_place_is_a_file_error(self):
        r = run("-o", os.path.join(self.dir, "no", "such", "folder.dxf"), "--", "-")
        self.assertEqual(r.returncode, 3)
        self.assertTrue(r.stderr.decode().endswith(NOT_CREATED + "\n"))

    def test_outputs_naming_one_file_are_refused(self):
        # The same name, another spelling of it, a symbolic link to it and a
        # hard link to it: exit 2, nothing written, the old file as it was.
        with open(self.out, "wb") as f:
            f.write(b"old drawing")
        os.symlink(self.out, os.path.join(self.dir, "link.svg"))
        os.link(self.out, os.path.join(self.dir, "hard.svg"))
        for svg in [self.out, os.path.join(self.dir, ".", "out.dxf"), os.path.join(self.dir, "link.svg"),
                    os.path.join(self.dir, "hard.svg")]:
            r = run("-f", "-o", self.out, "--svg", svg, "--", "AB")
            self.assertEqual((r.returncode, r.stderr.decode()),
                             (2, f'--svg: "{svg}" は --output と同じファイルです。' + NOT_CREATED + "\n"), svg)
            self.assertEqual(self.read(), b"old drawing")
        # The drawing on standard output: the picture and the program still
        # may not share a file.
        r = run("-f", "-o", "-", "--svg", self.out, "--gcode", svg, "--", "AB")
        self.assertEqual((r.returncode, r.stdout, r.stderr.decode()),
                         (2, b"", f'--gcode: "{svg}" は --svg と同じファイルです。' + NOT_CREATED + "\n"))
        self.assertEqual(sorted(os.listdir(self.dir)), ["hard.svg", "link.svg", "out.dxf"])

    def test_an_empty_value_is_refused_and_takes_no_argument(self):
        # "--output=" must not take the next argument ("-f", an option) as its value.
        cases = [["--output=", "-f", "--", "TD"], ["--output=", "--char-height", "5", "--", "TD"],
                 ["-o", self.out, "--svg=", "--", "TD"], ["-o", self.out, "--svg", "", "--", "TD"],
                 ["-o", "", "--", "TD"], ["-o", self.out, "--text-file", ""], ["-o", self.out, "--text-file="]]
        for args in cases:
            r = subprocess.run([TRACEMILL, *args], capture_output=True, cwd=self.dir)
            self.assertEqual(r.returncode, 2, args)
            self.assertEqual(os.listdir(self.dir), [], args)
        # A value that merely ends in "=" is a value.
        r = subprocess.run([TRACEMILL, "--output=a=", "--", "TD"], capture_output=True, cwd=self.dir)
        self.assertEqual((r.returncode, os.listdir(self.dir)), (0, ["a="]), r.stderr.decode())
        os.remove(os.path.join(self.dir, "a="))
        # An empty value of every option that takes one (as --help lists
        # them), and a word where a number or a choice belongs, is refused by
        # the option's name, and nothing is written.
        context = {"--fit-margin": ["--fit-line-width"], "--frame-size": ["5"], "--frame-grid": ["1"],
                   "--frame-percent": ["20", "20"], "--gcode-power": ["--gcode-machine", "laser"],
                   "--gcode-power-max": ["--gcode-machine", "laser"], "--gcode-passes": ["--gcode-machine", "laser"],
                   "--gcode-pen-down": ["--gcode-machine", "pen"], "--gcode-pen-up": ["--gcode-machine", "pen"],
                   "--gcode-pen-dwell": ["--gcode-machine", "pen"]}
        valued = re.findall(r"^\s+(?:-\w,)?(--[a-z-]+) [A-Za-z|]+", run("--help").stdout.decode(), re.M)
        self.assertGreater(len(valued), 30)
        files = ("--output", "--gcode", "--svg", "--text-file")
        for option, value in [(o, v) for o in valued for v in ("", "x") if not (v and o in files)]:
            args = ["--lang", "en", "-o", "out.dxf", "--gcode", "out.nc", option, value, *context.get(option, []),
                    "--", "TD"]
            if option in ("--output", "--gcode"):
                args = ["--lang", "en", option, value, "--", "TD"]
            r = subprocess.run([TRACEMILL, *args], capture_output=True, cwd=self.dir)
            self.assertEqual(r.returncode, 2, args)
            said = r.stderr.decode()
            self.assertTrue(said.startswith(option) or f"{option[8:]} command" in said, (args, said))
            self.assertEqual(os.listdir(self.dir), [], args)

    def test_a_dangling_symbolic_link_is_an_existing_file(self):
        os.symlink(os.path.join(self.dir, "nowhere.dxf"), self.out)
        r = run("-o", self.out, "--", "-")
        self.assertEqual(r.returncode, 3)
        self.assertIn(" は既に存在します。", r.stderr.decode())
        self.assertTrue(os.path.islink(self.out))
        self.assertEqual(sorted(os.listdir(self.dir)), ["out.dxf"])
        self.assertEqual(run("-f", "-o", self.out, "--", "-").returncode, 0)
        self.assertEqual(self.entity_count(b"LINE"), 4 + 3)

    def test_termination_removes_the_temporary_files(self):
        # A run of some hundreds of megabytes ended by a signal while it
        # writes: the hidden temporary files go, the previous files stay.
        text = os.path.join(self.dir, "text.txt")
        with open(text, "w") as f:
            f.write("\n".join(["ABCDEFGHIJ" * 500] * 60))
        svg = os.path.join(self.dir, "out.svg")
        for path in [self.out, svg]:
            with open(path, "wb") as f:
                f.write(b"old")
        for sig in [signal.SIGTERM, signal.SIGINT, signal.SIGHUP]:
            p = subprocess.Popen([TRACEMILL, "-f", "-o", self.out, "--svg", svg, "--text-file", text],
                                 stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
            deadline = time.monotonic() + 30
            while not any(n.startswith(".tracemill-") for n in os.listdir(self.dir)):
                self.assertIsNone(p.poll(), "the run ended before it was signalled")
                self.assertLess(time.monotonic(), deadline)
                time.sleep(0.005)
            time.sleep(0.2)
            p.send_signal(sig)
            self.assertEqual(p.wait(30), -sig)
            self.assertEqual(sorted(os.listdir(self.dir)), ["out.dxf", "out.svg", "text.txt"], sig)
            self.assertEqual(self.read(), b"old")
            self.assertEqual(self.read(svg), b"old")


class Rows(Workspace):
    def test_arguments_and_newlines_make_rows(self):
        a = self.read_after("--", "-", "-")
        b = self.read_after("--", "-\n-")
        self.assertEqual(a, b)
        c = self.read_after("--text-file", self.write_text("-\n-\n"))
        self.assertEqual(a, c)
        d = self.read_after("--text-file", "-", stdin=b"-\r\n-")
        self.assertEqual(a, d)
        # Each argument is taken whole: a bracketed one is not a list.
        for rows in (["[AB]"], ["[A,B]", "C"], ["x", "[6\n*3]"]):
            self.assertEqual(self.read_after(rows[0], "--", *rows[1:]),
                             self.read_after("--text-file", self.write_text("\n".join(rows))), rows)

    def test_text_may_start_with_a_dash_after_double_dash(self):
        r = run("-o", self.out, "--", "--")
        self.assertEqual(r.returncode, 0, r.stderr.decode())
        self.assertEqual(self.entity_count(b"LINE"), 4 + 2 * 3)

    def read_after(self, *args, stdin=None):
        r = run("-f", "-o", self.out, *args, stdin=stdin)
        self.assertEqual(r.returncode, 0, r.stderr.decode())
        return self.read()

    def write_text(self, text):
        path = os.path.join(self.dir, "text.txt")
        with open(path, "w", encoding="utf-8") as f:
            f.write(text)
        return path


class Layout(Workspace):
    """The widest line width, sizing from the text, and what the file holds
    and on which layers."""

    EVERY = "".join(chr(c) for c in range(0x21, 0x7F))

    def lengths(self, *values):
        return [x for flag, v in zip(["--char-width", "--char-height", "--char-spacing", "--line-spacing"], values)
                for x in (flag, repr(v))]

    def test_fitted_width_draws_and_the_next_double_stops_at_the_named_character(self):
        rng = random.Random(33)
        for trial in range(10):
            rows = [self.EVERY[:47], self.EVERY[47:]] if trial % 3 == 0 else \
                ["".join(rng.choice(self.EVERY) for _ in range(rng.randint(1, 5))) for _ in range(2)]
            cell = self.lengths(rng.uniform(0.3, 12), rng.uniform(0.3, 12), rng.uniform(0, 3), rng.uniform(0, 3))
            common = ["--lang", "en", *cell, "--align", rng.choice(["left", "center", "right"]), "--"]
            with self.subTest(rows=rows, cell=cell):
                r = run("--fit-line-width", *common, *rows)
                if r.returncode == 1:  # even the thinnest stroke stops
                    self.assertIn("does not draw even at the thinnest line width", r.stderr.decode())
                    continue
                self.assertEqual(r.returncode, 0, r.stderr.decode())
                width, setter = r.stdout.decode().splitlines()
                self.assertEqual(width, repr(float(width)))  # the shortest text of that double
                self.assertEqual(run("-f", "-o", self.out, "--line-width", width, *common, *rows).returncode, 0)
                above = repr(math.nextafter(float(width), math.inf))
                r = run("-f", "-o", self.out, "--line-width", above, *common, *rows)
                named = re.fullmatch(r"The widest line width (\S+) is set by (.*) \((row \d+, column \d+)\)\.", setter)
                if named is None:  # the cell sets it: the next double is no stroke for it
                    self.assertIn("is set by the cell", setter)
                    self.assertEqual(r.returncode, 2)
                    continue
                self.assertEqual(named.group(1), width)
                self.assertEqual(r.returncode, 1)
                self.assertEqual(r.stderr.decode().splitlines()[-1],
                                 f"Stopped at {named.group(2)}: {named.group(3)}. "
                                 f"The widest line width that draws the whole text is {width}.")
        # With a margin the width is that much lower, and -o draws with it;
        # a text that no width draws writes nothing.
        # The margin taken as written, t - t * P * 0.01, to the last bit.
        for rows, margin in ((["REXIT"], 10), (["8@"], 33), (["AB", "w"], 7.5)):
            r = run("--fit-line-width", "--fit-margin", str(margin), "-f", "-o", self.out, "--", *rows)
            self.assertEqual(r.returncode, 0, r.stderr.decode())
            widest = run("--fit-line-width", "--", *rows).stdout.decode().splitlines()
            self.assertEqual(float(r.stdout.split()[0]), float(widest[0]) - float(widest[0]) * margin * 0.01, rows)
            # The second line still names the widest width, not the one drawn.
            self.assertEqual(r.stdout.decode().splitlines()[1], widest[1], rows)
            drawn = os.path.join(self.dir, "drawn.dxf")
            self.assertEqual(run("-f", "-o", drawn, "--line-width", r.stdout.split()[0], "--", *rows).returncode, 0)
            self.assertEqual(self.read(), self.read(drawn), rows)
        for rows, status, message in (
                (["AB", "Cé"], 1, "U+00E9 'é' (row 2, column 2) cannot be drawn: no line width draws the text."),
                (["E"], 1, "'E' (row 1, column 1) does not draw even at the thinnest line width."),
                (["", ""], 2, "There is no text to draw.\nNo file was written.")):
            r = run("--lang", "en", "--fit-line-width", "-f", "-o", self.out + "2", "--char-height", "2e-6", "--", *rows)
            self.assertEqual((r.returncode, r.stdout, r.stderr.decode()), (status, b"", message + "\n"))
            self.assertFalse(os.path.exists(self.out + "2"))

    def test_grid_from_the_text_and_a_given_stroke(self):
        rows = ["AB", "CDE", ""]
        counted = os.path.join(self.dir, "counted.dxf")
        self.assertEqual(run("-o", counted, "--frame-size", "20", "9", "--frame-grid", "3", "3", "--", *rows).returncode, 0)
        for auto in (["--frame-grid", "auto"], ["--frame-grid=auto"]):
            self.assertEqual(run("-f", "-o", self.out, "--frame-size", "20", "9", *auto, "--", *rows).returncode, 0)
            self.assertEqual(self.read(), self.read(counted))
        # The pen given with the frame replaces the derived stroke alone.
        derived = run("--frame-size", "20", "9", "--frame-grid", "3", "3", "--print-frame").stdout.decode()
        given = run("--frame-size", "20", "9", "--frame-grid", "auto", "--line-width", "0.25", "--print-frame",
                    "--", *rows).stdout.decode()
        self.assertEqual(given, re.sub(r"--line-width \S+", "--line-width 0.25", derived))
        # The widest stroke, found first, is the stroke printed with the frame.
        fit = run("--frame-size", "10", "5", "--fit-line-width", "--print-frame", "--", "A").stdout.decode().splitlines()
        self.assertIn(f"--line-width {fit[0]}", fit[2:])
        r = run("--lang", "en", "--frame-grid", "auto", "--print-frame")
        self.assertEqual((r.returncode, r.stderr.decode()), (2, "There is no text to draw.\nThe frame cannot be calculated.\n"))

    @staticmethod
    def records(data):
        """The entity records of a DXF file, a polyline with its vertices as one."""
        body = data.split(b"ENTITIES\r\n", 1)[1].rsplit(b"  0\r\nENDSEC", 1)[0]
        out = []
        for rec in body.split(b"  0\r\n")[1:]:
            if rec.startswith((b"VERTEX", b"SEQEND")):
                out[-1] += b"  0\r\n" + rec
            else:
                out.append(b"  0\r\n" + rec)
        return out

    def test_parts_and_layers_change_nothing_else(self):
        import ezdxf
        rows = ["Q8&", "a@"]
        layer_of = {4: "SKELETON", 6: "OUTLINE"}
        for mode in ([], ["--polylines"]):
            self.assertEqual(run("-f", "-o", self.out, *mode, "--", *rows).returncode, 0)
            default = self.records(self.read())
            for draw, layers in (("skeleton", False), ("skeleton,skeleton", False), ("outline,frame", True), ("frame", True),
                                 ("frame,skeleton,outline", False), ("skeleton,outline,frame", True)):
                with self.subTest(mode=mode, draw=draw, layers=layers):
                    other = os.path.join(self.dir, "parts.dxf")
                    args = ["--draw", draw] + (["--layers"] if layers else [])
                    self.assertEqual(run("-f", "-o", other, *mode, *args, "--", *rows).returncode, 0)
                    expected = []
                    for k, rec in enumerate(default):
                        colour = int(re.search(rb" 62\r\n(\d+)\r\n", rec).group(1))
                        part = "frame" if k < 4 else layer_of[colour].lower()
                        if part not in draw.split(","):
                            continue
                        if layers:
                            rec = rec.replace(b"  8\r\n1\r\n", b"  8\r\n" + (part.upper().encode()) + b"\r\n")
                            if part == "frame":
                                rec = rec.replace(b" 62\r\n4\r\n", b" 62\r\n7\r\n")
                        expected.append(rec)
                    self.assertEqual(self.records(self.read(other)), expected)
                    doc = ezdxf.readfile(other)
                    self.assertEqual(len(doc.audit().errors), 0)
                    names = {l.dxf.name: l.dxf.color for l in doc.layers if l.dxf.name not in ("0", "Defpoints")}
                    wanted = {"SKELETON": 4, "OUTLINE": 6, "FRAME": 7}
                    self.assertEqual(names, {n: c for n, c in wanted.items() if n.lower() in draw} if layers else {"1": 7})
                    self.assertEqual({(e.dxf.layer, e.dxf.color) for e in doc.modelspace()},
                                     {(n if layers else "1", c if layers or n != "FRAME" else 4)
                                      for n, c in wanted.items() if n.lower() in draw})

    def test_svg_at_true_size(self):
        import ezdxf
        # The picture at true size is the frame itself: its viewBox the
        # frame's corners (y down), its size the frame's in the unit, no
        # background; what is drawn inside is the same.
        svg, dxf = os.path.join(self.dir, "p.svg"), os.path.join(self.dir, "p.dxf")
        run("--svg", svg, "--frame-margin", "1.5", "--", "AB")
        plain = self.read(svg).decode()
        for unit, suffix in (("mm", "mm"), ("in", "in")):
            run("-f", "-o", dxf, "--svg", svg, "--units", unit, "--frame-margin", "1.5", "--", "AB")
            sized = self.read(svg).decode()
            head = re.search(r'viewBox="(\S+) (\S+) (\S+) (\S+)" width="([\d.]+)' + suffix +
                             r'" height="([\d.]+)' + suffix + '"', sized)
            self.assertIsNotNone(head, sized[:300])
            box = [float(v) for v in head.groups()]
            xs, ys = zip(*[p for e in ezdxf.readfile(dxf).modelspace().query("LINE")
                           for p in ((e.dxf.start.x, e.dxf.start.y), (e.dxf.end.x, e.dxf.end.y))])
            frame = [min(xs), -max(ys), max(xs) - min(xs), max(ys) - min(ys)]
            for got, want in zip(box, frame + frame[2:]):
                self.assertAlmostEqual(got, want, delta=1e-6 * frame[2])
            self.assertNotIn("<rect", sized)
            body = lambda text: [l for l in text.splitlines()[2:] if not l.startswith(("<rect", "<g "))]
            self.assertEqual(body(sized), body(plain))

    def test_values_are_refused_and_defaults_change_nothing(self):
        cases = [
            (["--align", "middle"], '--align: "middle" is not one of left, center, right.\n'),
            (["--origin", "top"], '--origin: "top" is not one of center, lower-left.\n'),
            (["--draw", "skeleton,,frame"], '--draw: "" is not one of skeleton, outline, frame.\n'),
            (["--draw", "skeleton,"], '--draw: "" is not one of skeleton, outline, frame.\n'),
            (["--draw", ""], '--draw: "" is not one of skeleton, outline, frame.\n'),
            (["--draw", "text"], '--draw: "text" is not one of skeleton, outline, frame.\n'),
            (["--frame-margin", "-1"], "Frame margin must not be negative.\nNo file was written.\n"),
            (["--frame-margin", "x"], '--frame-margin: "x" is not a number.\n'),
            (["--fit-line-width", "--fit-margin", "100"],
             '--fit-margin: "100" is not a number from 0 up to (not including) 100.\n'),
            (["--fit-margin", "5"], "--fit-margin requires --fit-line-width" + HELP),
            (["--fit-line-width", "--line-width", "0.3"], "--line-width excludes --fit-line-width" + HELP),
            (["--frame-grid", "auto", "--frame-grid", "2", "1"], "--frame-grid excludes --frame-grid auto" + HELP),
            (["--frame-grid", "auto", "--char-width", "2"], "--char-width excludes --frame-grid auto" + HELP),
        ]
        for args, message in cases:
            with self.subTest(args=args):
                r = run("--lang", "en", "-o", self.out, *args, "--", "A")
                self.assertEqual((r.returncode, r.stderr.decode()), (2, message))
                self.assertFalse(os.path.exists(self.out))
        r = run("--lang", "en", "--fit-line-width", "-o", "-", "--", "A")
        self.assertEqual((r.returncode, r.stdout, r.stderr), (2, b"", b"--fit-line-width: cannot be given together with -o -.\n"))
        # The width alone is found only for values a drawing would take.
        for args in (["--frame-margin", "-1"], ["--char-spacing", "-1"], ["--align", "middle"], ["--char-width", "0"]):
            r = run("--fit-line-width", *args, "--", "A")
            self.assertEqual((r.returncode, r.stdout), (2, b""), args)
        self.assertEqual(run("-o", self.out, "--svg", self.out + ".svg", "--", "AB", "C").returncode, 0)
        spelled = os.path.join(self.dir, "spelled.dxf")
        self.assertEqual(run("-o", spelled, "--svg", spelled + ".svg", "--align", "left", "--origin", "center",
                             "--frame-margin", "0", "--draw", "skeleton,outline,frame", "--", "AB", "C").returncode, 0)
        self.assertEqual((self.read(), self.read(self.out + ".svg")), (self.read(spelled), self.read(spelled + ".svg")))


class Locale(Workspace):
    def test_comma_decimal_locale_still_prints_points(self):
        locales = subprocess.run(["locale", "-a"], capture_output=True, text=True).stdout.lower()
        if "de_de.utf8" not in locales:
            self.skipTest("de_DE.UTF-8 locale not installed (scripts/install-deps.sh installs it)")
        env = {"LC_ALL": "de_DE.UTF-8", "LANG": "de_DE.UTF-8"}
        r = run("-o", self.out, "--char-width", "2.5", "/.", env=env)
        self.assertEqual(r.returncode, 0, r.stderr.decode())
        reference = os.path.join(self.dir, "c.dxf")
        r = run("-o", reference, "--char-width", "2.5", "/.", env={"LC_ALL": "C"})
        self.assertEqual(self.read(), self.read(reference))
        self.assertIn(b"\r\n2.700000000\r\n", self.read())  # (2 * 2.5 + 0.4) / 2
        r = run("--frame-size", "10", "5", "--frame-grid", "4", "1", "--print-frame", env=env)
        self.assertIn("--char-width 2.17391304347826\n", r.stdout.decode())
        # A comma is not a decimal point on the command line either.
        r = run("-o", os.path.join(self.dir, "x.dxf"), "--char-width", "2,5", "/", env=env)
        self.assertEqual(r.returncode, 2)


class Svg(Workspace):
    def test_svg_beside_the_dxf(self):
        svg = os.path.join(self.dir, "out.svg")
        r = run("-o", self.out, "--svg", svg, "--", "-/.")
        self.assertEqual(r.returncode, 0, r.stderr.decode())
        import xml.etree.ElementTree as ET
        root = ET.parse(svg).getroot()
        ns = "{http://www.w3.org/2000/svg}"
        lines = root.findall(f".//{ns}line")
        paths = root.findall(f".//{ns}path")
        circles = root.findall(f".//{ns}circle")
        self.assertEqual(len(lines), self.entity_count(b"LINE"))
        self.assertEqual(len(paths), self.entity_count(b"ARC"))
        self.assertEqual(len(circles), self.entity_count(b"CIRCLE"))
        # With the drawing on standard output, the same picture.
        piped = os.path.join(self.dir, "piped.svg")
        r = run("-o", "-", "--svg", piped, "--", "-/.")
        self.assertEqual((r.returncode, r.stdout), (0, self.read()))
        self.assertEqual(self.read(piped), self.read(svg))

    def test_an_existing_picture_or_program_needs_force_and_comes_after_the_values(self):
        for flag, name, start in (("--svg", "out.svg", b"<svg"), ("--gcode", "out.nc", b"G21\n")):
            with self.subTest(flag=flag):
                other = os.path.join(self.dir, name)
                with open(other, "w") as f:
                    f.write("old")
                r = run("-o", self.out, flag, other, "--char-width", "0", "--", "-")
                self.assertEqual((r.returncode, r.stderr.decode()), (2, "文字幅 が ゼロ以下です。" + NOT_CREATED + "\n"))
                r = run("-o", self.out, flag, other, "--", "-")
                self.assertEqual(r.returncode, 3)
                self.assertEqual(r.stderr.decode(),
                                 other + " は既に存在します。" + NOT_CREATED + "（上書きするには --force を指定します）\n")
                self.assertFalse(os.path.exists(self.out))
                self.assertEqual(self.read(other), b"old")
                self.assertEqual(run("-f", "-o", self.out, flag, other, "--", "-").returncode, 0)
                self.assertIn(start, self.read(other))
                os.remove(self.out)

    def test_a_file_that_fails_after_the_drawing_was_replaced(self):
        # The picture's or the program's last step (replacing the old file)
        # fails once the drawing is in place: exit 3, and the message says
        # which file was written and which not. The failure comes from a
        # rename() that refuses those names, preloaded.
        cc = shutil.which("cc") or shutil.which("gcc")
        if cc is None:
            self.skipTest("no C compiler for the refusing rename()")
        source, shim = os.path.join(self.dir, "rename.c"), os.path.join(self.dir, "rename.so")
        with open(source, "w") as f:
            f.write("#define _GNU_SOURCE\n#include <dlfcn.h>\n#include <errno.h>\n#include <string.h>\n"
                    "int rename(const char* a, const char* b) {\n"
                    "    size_t n = strlen(b);\n"
                    "    if ((n > 4 && !strcmp(b + n - 4, \".svg\")) || (n > 3 && !strcmp(b + n - 3, \".nc\"))) {\n"
                    "        errno = EIO;\n        return -1;\n    }\n"
                    "    int (*real)(const char*, const char*) = (int (*)(const char*, const char*))dlsym(RTLD_NEXT, \"rename\");\n"
                    "    return real(a, b);\n}\n")
        subprocess.run([cc, "-shared", "-fPIC", "-o", shim, source, "-ldl"], check=True)
        env = {"LD_PRELOAD": shim, "ASAN_OPTIONS": "verify_asan_link_order=0"}
        for flag, name, kind in (("--svg", "out.svg", "SVG"), ("--gcode", "out.nc", "G-code")):
            with self.subTest(flag=flag):
                other = os.path.join(self.dir, name)
                r = run("-f", "-o", self.out, flag, other, "--", "-", env=env)
                self.assertEqual(r.returncode, 3, r.stderr.decode())
                message = r.stderr.decode()
                self.assertTrue(message.startswith(self.out + " は作成しました。\n　"), message)
                self.assertTrue(message.endswith(f"\n　{kind} ファイルは作成していません。\n"), message)
                self.assertEqual(self.entity_count(b"LINE"), 4 + 3)
                self.assertFalse(os.path.exists(other))

    def test_a_picture_that_cannot_be_written_leaves_the_dxf_alone(self):
        # A missing folder, a path under a file, a folder: exit 3, and the
        # previous DXF stays exactly as it was.
        with open(self.out, "wb") as f:
            f.write(b"old")
        os.mkdir(os.path.join(self.dir, "folder.svg"))
        with open(os.path.join(self.dir, "plain"), "w") as f:
            f.write("x")
        for svg in ["missing/a.svg", "plain/a.svg", "folder.svg"]:
            r = run("-f", "-o", self.out, "--svg", os.path.join(self.dir, svg), "--", "-")
            self.assertEqual(r.returncode, 3, svg)
            self.assertTrue(r.stderr.decode().endswith(NOT_CREATED + "\n"), r.stderr.decode())
            self.assertEqual(self.read(), b"old", svg)
        self.assertEqual(sorted(os.listdir(self.dir)), ["folder.svg", "out.dxf", "plain"])


class TextFile(Workspace):
    def test_only_the_final_line_break_is_ignored(self):
        text = os.path.join(self.dir, "text.txt")
        for content, rows in [(b"-\r\n/\r\n", ["-", "/"]), (b"-\r/\r", ["-", "/"]),
                              (b"-\n\n", ["-", ""]), (b"-\r\n\r\n", ["-", ""]), (b"-\r\r", ["-", ""]),
                              (b"-\n/", ["-", "/"]), (b"-\r\n/\n", ["-", "/"]), (b"\n-\n", ["", "-"])]:
            with open(text, "wb") as f:
                f.write(content)
            expected = os.path.join(self.dir, "rows.dxf")
            self.assertEqual(run("-f", "-o", expected, "--", *rows).returncode, 0)
            r = run("-f", "-o", self.out, "--text-file", text)
            self.assertEqual(r.returncode, 0, r.stderr.decode())
            self.assertEqual(self.read(), self.read(expected), content)

    def test_the_text_file_is_read_before_the_drawing_replaces_it(self):
        # Only outputs naming one file are refused: the text is an input.
        with open(self.out, "wb") as f:
            f.write(b"AB\n")
        self.assertEqual(run("-o", self.out, "--text-file", self.out).returncode, 3)
        self.assertEqual(self.read(), b"AB\n")
        expected = os.path.join(self.dir, "rows.dxf")
        self.assertEqual(run("-o", expected, "--", "AB").returncode, 0)
        self.assertEqual(run("-f", "-o", self.out, "--text-file", self.out).returncode, 0)
        self.assertEqual(self.read(), self.read(expected))

    def test_refusals_write_nothing(self):
        text = os.path.join(self.dir, "text.txt")
        with open(text, "w") as f:
            f.write("-")
        missing = os.path.join(self.dir, "missing.txt")
        for args, message in [
                (["--text-file", self.dir], self.dir + ": フォルダです。文字のファイルを指定してください。"),
                (["--text-file", missing], missing + ": 読み込めません。"),
                (["--text-file", text, "--", "-"], "--text-file: TEXT と同時には指定できません。")]:
            r = run("-o", self.out, *args)
            self.assertEqual((r.returncode, r.stderr.decode()), (2, message + "\n"), args)
            self.assertFalse(os.path.exists(self.out))


class FrameCalculation(Workspace):
    """The five lengths derived from a frame, as the dialog's frame calculation
    derives them."""

    def printed(self, *args):
        r = run(*args, "--print-frame")
        self.assertEqual(r.returncode, 0, r.stderr.decode())
        values = {}
        for line in r.stdout.decode().splitlines():
            flag, value = line.split(" ")
            values[flag] = value
        return values

    def test_defaults_give_the_frame_cell(self):
        r = run("--print-frame")
        self.assertEqual(r.stdout.decode(), "--char-width 2.5\n--char-height 5\n--line-width 0.375\n"
                                            "--char-spacing 0.5\n--line-spacing 2.5\n")

    def test_each_option_reaches_its_input(self):
        # The formulas evaluated here in their own order; options not given
        # keep the defaults 2.5 5, 1 1, 20 50 15.
        def derived(fw=2.5, fh=5, n=1, m=1, cs=20, ls=50, lw=15):
            w = fw / (n + (n * cs) * 0.01 - cs * 0.01)
            h = fh / (m + (m * ls) * 0.01 - ls * 0.01)
            t = lw * w * 0.01 if w < h else lw * h * 0.01
            return {k: "%.15g" % v for k, v in [("--char-width", w), ("--char-height", h), ("--line-width", t),
                                                 ("--char-spacing", cs * w * 0.01),
                                                 ("--line-spacing", ls * h * 0.01)]}
        for args, inputs in [
                (["--frame-size", "12", "7", "--frame-grid", "5", "2", "--frame-percent", "10", "40", "8"],
                 dict(fw=12, fh=7, n=5, m=2, cs=10, ls=40, lw=8)),
                (["--frame-grid", "2", "3"], dict(n=2, m=3)),
                (["--frame-size", "3", "9"], dict(fw=3, fh=9)),
                (["--frame-percent", "5", "30", "12"], dict(cs=5, ls=30, lw=12)),
                # Where the order of the sum decides the last digit shown.
                (["--frame-grid", "2", "1", "--frame-percent", "36", "50", "15"], dict(n=2, cs=36))]:
            self.assertEqual(self.printed(*args), derived(**inputs), args)
        # Seeded frames of every kind: a product or sum taken in another order
        # changes the fifteenth digit of some of them. Every tenth is square,
        # where the stroke takes the height.
        seed = random.randrange(1 << 30)
        rng = random.Random(seed)
        for k in range(150):
            size = lambda: rng.choice([rng.randint(1, 900), round(rng.uniform(0.1, 900), rng.randint(1, 3))])
            fw = size()
            fh = fw if k % 10 == 0 else size()
            n = rng.choice([1, 2, 3, rng.randint(1, 60), rng.randint(1, 10**6)])
            m = n if k % 10 == 0 else rng.choice([1, 2, rng.randint(1, 30)])
            cs = rng.randint(0, 300)
            ls = cs if k % 10 == 0 else rng.randint(0, 300)
            lw = rng.randint(1, 300)
            args = ["--frame-size", repr(fw), repr(fh), "--frame-grid", str(n), str(m),
                    "--frame-percent", str(cs), str(ls), str(lw)]
            self.assertEqual(self.printed(*args), derived(fw, fh, n, m, cs, ls, lw), f"seed {seed}: {args}")

    def test_four_cells_in_ten_units(self):
        v = self.printed("--frame-size", "10", "5", "--frame-grid", "4", "1")
        self.assertEqual(v["--char-width"], "2.17391304347826")
        self.assertEqual(v["--char-spacing"], "0.434782608695652")
        # The formula, evaluated here in its own order, to fifteen digits.
        w = 10 / (4 + (4 * 20) * 0.01 - 20 * 0.01)
        self.assertEqual(v["--line-width"], "%.15g" % (15 * w * 0.01))

    def test_the_frame_draws_what_the_printed_lengths_draw(self):
        frame = ["--frame-size", "12", "7", "--frame-grid", "5", "2", "--frame-percent", "10", "40", "8"]
        v = self.printed(*frame)
        # With -o the lengths are printed and drawn.
        r = run("-o", self.out, *frame, "--print-frame", "--", "-/|._", "|/")
        self.assertEqual(r.returncode, 0, r.stderr.decode())
        self.assertEqual(r.stdout.decode(), "".join(f"{k} {x}\n" for k, x in v.items()))
        explicit = os.path.join(self.dir, "explicit.dxf")
        args = [x for pair in v.items() for x in pair]
        r = run("-o", explicit, *args, "--", "-/|._", "|/")
        self.assertEqual(r.returncode, 0, r.stderr.decode())
        self.assertEqual(self.read(), self.read(explicit))

    def test_large_products_stay_finite(self):
        v = self.printed("--frame-grid", "3", "1", "--frame-percent", "2147483498", "50", "15")
        for value in v.values():
            self.assertNotIn("inf", value)
            self.assertGreater(float(value), 0)

    def test_messages_and_refused_values(self):
        cases = [
            (["--frame-size", "0", "0", "--frame-grid", "0", "1"], "枠幅 が ゼロ以下です。\n　枠計算 は出来ません。\n"),
            (["--frame-grid", "1", "0"], "枠行数 が ゼロ以下です。\n　枠計算 は出来ません。\n"),
            (["--frame-percent", "20", "50", "0"], "枠線幅 が ゼロ以下です。\n　枠計算 は出来ません。\n"),
        ]
        for args, message in cases:
            r = run("-o", self.out, *args, "--", "-")
            self.assertEqual(r.returncode, 2, args)
            self.assertEqual(r.stderr.decode(), message)
            self.assertFalse(os.path.exists(self.out))
        count = " は 0 から 2147483647 までの整数ではありません。\n"
        for args, message in ((["--frame-grid", "1", "-1"], '--frame-grid: "-1"' + count),
                              (["--frame-grid", "2147483648", "1"], '--frame-grid: "2147483648"' + count),
                              (["--frame-size", "5", "nan"], '--frame-size: "nan" は数値ではありません。\n'),
                              (["--frame-size", "x", "y"], '--frame-size: "x" は数値ではありません。\n'),
                              (["--lang", "en", "--frame-size", "1e308", "5", "--frame-percent", "20", "50", "2000000000"],
                               "The frame calculation gives values that cannot be drawn.\nThe frame cannot be calculated.\n"),
                              (["--frame-percent", "20", "1.5", "15"], '--frame-percent: "1.5"' + count),
                              (["--frame-size", "10", "5", "--char-width", "3"], "--char-width excludes --frame-size" + HELP),
                              (["--print-frame", "--line-spacing", "1"], "--line-spacing excludes --print-frame" + HELP)):
            r = run("-o", self.out, *args, "--", "-")
            self.assertEqual((r.returncode, r.stderr.decode()), (2, message), args)
            self.assertFalse(os.path.exists(self.out))

    def test_print_frame_needs_no_output(self):
        r = run("--print-frame")
        self.assertEqual(r.returncode, 0)
        self.assertFalse(os.listdir(self.dir))


class RealReader(Workspace):
    def test_ezdxf_reads_and_audits_the_drawing(self):
        try:
            import ezdxf
        except ImportError:
            self.fail("ezdxf is missing: install python3-ezdxf and run with /usr/bin/python3")
        r = run("-o", self.out, "--char-width", "3", "--char-height", "6", "--line-width", "0.5",
                "--", "-/.|_", "_.  /-")
        self.assertEqual(r.returncode, 0, r.stderr.decode())
        doc = ezdxf.readfile(self.out)
        auditor = doc.audit()
        self.assertEqual(len(auditor.errors), 0, [str(e) for e in auditor.errors])
        msp = doc.modelspace()
        kinds = [e.dxftype() for e in msp]
        self.assertEqual(kinds.count("LINE"), self.entity_count(b"LINE"))
        self.assertEqual(kinds.count("ARC"), self.entity_count(b"ARC"))
        self.assertEqual(kinds.count("CIRCLE"), self.entity_count(b"CIRCLE"))
        self.assertTrue(all(e.dxf.layer == "1" for e in msp))
        self.assertEqual({e.dxf.color for e in msp}, {4, 6})
        # The frame is centred on the origin: 6 columns, 2 rows.
        frame = [e for e in msp if e.dxftype() == "LINE"][:4]
        xs = sorted({round(e.dxf.start.x, 9) for e in frame})
        ys = sorted({round(e.dxf.start.y, 9) for e in frame})
        w = 6 * 3 + 5 * 0.4
        h = 2 * 6 + 0.4
        self.assertEqual(xs, [round(-w / 2, 9), round(w / 2, 9)])
        self.assertEqual(ys, [round(-h / 2, 9), round(h / 2, 9)])


def polyline_vertices(pl):
    """(x, y, bulge) of every vertex of an ezdxf POLYLINE."""
    return [(v.dxf.location.x, v.dxf.location.y, v.dxf.bulge) for v in pl.vertices]


def segments(pl):
    """The pieces of a polyline as (start, end, bulge)."""
    vs = polyline_vertices(pl)
    n = len(vs) if pl.is_closed else len(vs) - 1
    return [((vs[i][0], vs[i][1]), (vs[(i + 1) % len(vs)][0], vs[(i + 1) % len(vs)][1]), vs[i][2])
            for i in range(n)]


def enclosed_area(pl):
    """The signed area a closed polyline encloses: the polygon of its vertices
    and, for every bulge, the circular segment between chord and arc."""
    area = 0.0
    # About the first vertex: far from the origin the products of the
    # coordinates would swamp a small glyph's area.
    ox, oy = polyline_vertices(pl)[0][:2]
    for (x0, y0), (x1, y1), b in segments(pl):
        x0, y0, x1, y1 = x0 - ox, y0 - oy, x1 - ox, y1 - oy
        area += (x0 * y1 - x1 * y0) / 2
        if b:
            area += segment_area(math.hypot(x1 - x0, y1 - y0), b)
    return area


def segment_area(chord, bulge):
    """The circular segment between a chord and its bulge arc."""
    theta = 4 * math.atan(bulge)
    r = chord / (2 * math.sin(abs(theta) / 2))
    return r * r * (theta - math.sin(theta)) / 2


def printing_slack(pl):
    """How far the area of a closed polyline may move when its coordinates
    and bulges are rounded to nine decimals: half a unit of the ninth decimal
    along the whole boundary, and for each bulge the change of its segment's
    area over half a unit of the ninth decimal of the bulge. On a large, flat
    arc the bulge's rounding dominates."""
    slack = 0.0
    for (x0, y0), (x1, y1), b in segments(pl):
        chord = math.hypot(x1 - x0, y1 - y0)
        length = chord
        if b:
            theta = 4 * math.atan(abs(b))
            length = chord * theta / (2 * math.sin(theta / 2))
            slack += abs(segment_area(chord, b + 5e-10) - segment_area(chord, b - 5e-10)) / 2
        slack += 5e-10 * length
    return slack


def rounding_bound(start, end, bulge):
    """How far the centre and radius of a bulge arc can move when its two
    vertices and its bulge are each rounded to nine decimals: first-order
    error propagation through radius = chord (1 + b^2) / 4b and the centre's
    offset chord (1 - b^2) / 4b from the chord's middle. A flat arc (small
    bulge) magnifies the rounding of its ends."""
    c = math.hypot(end[0] - start[0], end[1] - start[1])
    b = abs(bulge)
    d_chord = 2 * math.sqrt(2) * 5e-10
    d_bulge = 5e-10
    offset = c * abs(1 - b * b) / (4 * b)
    return (d_chord * (1 + (1 + b * b) / (4 * b) + offset / c)
            + c * (1 + b * b) / (4 * b * b) * d_bulge)


class Polylines(Workspace):
    """--polylines: closed outline polylines and joined skeleton paths that a
    real reader accepts and that reproduce the loose drawing's arcs."""

    TEXT = ["LIFT 2024/7/15", "TEL 0123-45-7", "FILE_1.E | HI0 [] 4 4",
            "AKMNVWXYZ COGDUJ co", "bdpqg aes ijltf hnmur vwxyzk", "!?#%* <>+=^~ ,:;'\"` (){}"]

    def draw(self, *options, path=None, text=None):
        path = path or self.out
        r = run("-f", "-o", path, "--char-width", "3", "--char-height", "6", "--line-width", "0.5",
                *options, "--", *(text or self.TEXT))
        self.assertEqual(r.returncode, 0, r.stderr.decode())
        import ezdxf
        doc = ezdxf.readfile(path)
        auditor = doc.audit()
        self.assertEqual(len(auditor.errors), 0, [str(e) for e in auditor.errors])
        return doc

    def test_polylines_reproduce_the_loose_arcs(self):
        from ezdxf.math import bulge_to_arc
        loose = self.draw(path=os.path.join(self.dir, "loose.dxf"))
        joined = self.draw("--polylines")
        msp = list(joined.modelspace())
        # The frame stays four lines; everything else is polylines.
        self.assertEqual([e.dxftype() for e in msp].count("LINE"), 4)
        self.assertEqual({e.dxftype() for e in msp}, {"LINE", "POLYLINE"})
        for colour in (6, 4):
            with self.subTest(colour=colour):
                polylines = [e for e in msp if e.dxftype() == "POLYLINE" and e.dxf.color == colour]
                if colour == 6:
                    self.assertTrue(all(p.is_closed for p in polylines))
                arcs = [(e.dxf.center.x, e.dxf.center.y, e.dxf.radius)
                        for e in loose.modelspace() if e.dxftype() in ("ARC", "CIRCLE") and e.dxf.color == colour]
                lines = [e for e in loose.modelspace() if e.dxftype() == "LINE" and e.dxf.color == colour]
                straight = 0
                matched = set()
                for p in polylines:
                    for start, end, bulge in segments(p):
                        if bulge == 0:
                            straight += 1
                            continue
                        centre, _, _, radius = bulge_to_arc(start, end, bulge)
                        bound = 1e-9 + rounding_bound(start, end, bulge)
                        hits = [k for k, (cx, cy, cr) in enumerate(arcs)
                                if math.hypot(cx - centre.x, cy - centre.y) <= bound
                                and abs(cr - radius) <= bound]
                        self.assertTrue(hits, (start, end, bulge, tuple(centre), radius, bound))
                        matched.update(hits)
                # Every loose arc appears, and every loose line is one straight piece
                # (the frame is loose in both).
                self.assertEqual(matched, set(range(len(arcs))))
                self.assertEqual(straight, len(lines) - (4 if colour == 4 else 0))

    def test_units_header(self):
        for option, code in (("mm", 4), ("in", 1)):
            doc = self.draw("--units", option, text=["-"])
            self.assertEqual(doc.header["$INSUNITS"], code)
        plain = self.read_plain()
        self.assertNotIn(b"HEADER", plain)
        # The G-code report gives its lengths in the drawing's unit, mm without --units.
        for units, unit in (([], "mm"), (["--units", "mm"], "mm"), (["--units", "in"], "in")):
            r = run("-f", "-o", self.out, "--gcode", os.path.join(self.dir, "out.nc"), *units, "--", "-")
            self.assertEqual(r.returncode, 0, r.stderr.decode())
            self.assertRegex(r.stderr.decode(), rf"切削 [0-9.]+ {unit}、移動 [0-9.]+ {unit}（文字の順では [0-9.]+ {unit}）")
        self.assertEqual(run("-o", self.out, "--units", "cm", "--", "-").returncode, 2)

    def read_plain(self):
        r = run("-f", "-o", self.out, "--", "-")
        self.assertEqual(r.returncode, 0)
        return self.read()

    def test_svg_fills_one_path_per_glyph(self):
        svg = os.path.join(self.dir, "out.svg")
        r = run("-o", self.out, "--svg", svg, "--polylines", "--", "O8 A")
        self.assertEqual(r.returncode, 0, r.stderr.decode())
        import xml.etree.ElementTree as ET
        ns = "{http://www.w3.org/2000/svg}"
        root = ET.parse(svg).getroot()
        filled = [p for p in root.iter(f"{ns}path") if p.get("fill-rule") == "evenodd"]
        self.assertEqual(len(filled), 3)
        # O has two loops, 8 three, A two: one subpath (M ... Z) each.
        self.assertEqual([p.get("d").count("M") for p in filled], [2, 3, 2])
        self.assertEqual([p.get("d").count("Z") for p in filled], [2, 3, 2])
        self.assertEqual(len(root.findall(f".//{ns}line")), 4)
        self.assertEqual(len(root.findall(f".//{ns}circle")), 0)


class AreaCheck(Workspace):
    """The area the closed outline polylines enclose (even-odd) against the
    pen's sweep computed independently: shapely buffers the loose drawing's
    skeleton by the pen's radius. Over every glyph and the property test's
    cell shapes and strokes."""

    SHAPES = [(2.1, 5), (1, 10), (20, 4), (10, 10), (0.03, 0.05), (3e5, 7e5), (40, 1.3), (1.3, 40)]
    if os.environ.get("TRACEMILL_AREA_SHAPES"):  # a subset, to look into one
        SHAPES = list(map(SHAPES.__getitem__, map(int, os.environ["TRACEMILL_AREA_SHAPES"].split(","))))
    QUAD = 48  # circle quarter segments of the coarser reference

    def cells(self, path, W, gap, count):
        """The entities of a drawing grouped by the cell they lie in."""
        import ezdxf
        x0 = -(count * W + (count - 1) * gap) / 2
        groups = {}
        for e in list(ezdxf.readfile(path).modelspace())[4:]:
            if e.dxftype() == "POLYLINE":
                x = e.vertices[0].dxf.location.x
            elif e.dxftype() == "LINE":
                x = e.dxf.start.x
            elif e.dxftype() == "ARC":
                x = e.start_point.x
            else:
                x = e.dxf.center.x
            groups.setdefault(int((x - x0 + gap / 2) // (W + gap)), []).append(e)
        return groups

    @staticmethod
    def skeleton_shape(entities, r, quad):
        """The union of the pen's discs along the skeleton: each line, and each
        arc in open runs of at most a half turn (GEOS may leave a hole inside
        the buffer of a closed ring even where the pen covers it), buffered by
        r with `quad` segments to a quarter circle; an arc is flattened more
        finely the larger it is against the pen, so that its chords stay
        within a small part of the stroke."""
        from shapely.geometry import LineString
        from shapely.ops import unary_union
        parts = []
        # About a point of the glyph: GEOS works in absolute coordinates, and
        # a thin stroke far from the origin would lose digits.
        first = next(e for e in entities if e.dxf.color == 4)
        ox, oy = (first.dxf.start.x, first.dxf.start.y) if first.dxftype() == "LINE" else \
            (first.dxf.center.x, first.dxf.center.y)
        for e in entities:
            if e.dxf.color != 4:
                continue
            if e.dxftype() == "LINE":
                parts.append(LineString([(e.dxf.start.x - ox, e.dxf.start.y - oy),
                                         (e.dxf.end.x - ox, e.dxf.end.y - oy)]))
                continue
            c, rad = e.dxf.center - (ox, oy, 0), e.dxf.radius
            if e.dxftype() == "CIRCLE":
                a0, span = 0.0, 360.0
            else:
                a0 = e.dxf.start_angle
                span = (e.dxf.end_angle - a0) % 360 or 360
            runs = math.ceil(span / 180)
            per_quarter = quad * max(1, math.ceil(math.sqrt(rad / r) / 4))
            n = max(2, math.ceil(span / runs / 90 * per_quarter))
            for j in range(runs):
                b0 = a0 + span * j / runs
                parts.append(LineString([(c.x + rad * math.cos(math.radians(b0 + span / runs * k / n)),
                                          c.y + rad * math.sin(math.radians(b0 + span / runs * k / n)))
                                         for k in range(n + 1)]))
        return unary_union([g.buffer(r, resolution=quad) for g in parts])

    def fitting_text(self, size):
        """Every drawable character that fits this stroke, found by dropping
        the character each run stops at."""
        chars = [chr(c) for c in range(33, 127)]
        while True:
            r = run("-f", "-o", self.out, *size, "--polylines", "--", "".join(chars))
            self.assertIn(r.returncode, (0, 1), r.stderr.decode())
            if r.returncode == 0:
                return "".join(chars)
            # The stopping character adds nothing; the drawn ones come before it.
            W = float(size[1])
            groups = self.cells(self.out, W, W, len(chars))
            del chars[len(groups)]

    def test_enclosed_area_equals_the_buffered_skeleton(self):
        try:
            import shapely  # noqa: F401
        except ImportError:
            self.fail("shapely is missing: install python3-shapely (scripts/install-deps.sh)")
        differences = []
        failures = []
        for W, H in self.SHAPES:
            m = min(W, H)
            for t in (0.3, 0.01 * m, 0.1 * m, 0.3 * m):
                if not t < m:
                    continue
                size = ["--char-width", repr(W), "--char-height", repr(H), "--line-width", repr(t),
                        "--char-spacing", repr(W), "--line-spacing", "0"]
                text = self.fitting_text(size)
                loose = os.path.join(self.dir, "loose.dxf")
                self.assertEqual(run("-f", "-o", loose, *size, "--", text).returncode, 0)
                self.assertEqual(run("-f", "-o", self.out, *size, "--polylines", "--", text).returncode, 0)
                skeletons = self.cells(loose, W, W, len(text))
                outlines = self.cells(self.out, W, W, len(text))
                self.assertEqual(sorted(outlines), list(range(len(text))))
                for k, ch in enumerate(text):
                    loops = [e for e in outlines[k] if e.dxf.color == 6]
                    ours = sum(enclosed_area(p) for p in loops)
                    # The printed vertices and bulges are rounded to nine
                    # decimals, which moves the area a little.
                    allowed = 1e-6 * abs(ours) + sum(printing_slack(p) for p in loops)
                    # Richardson: the polygonal reference errs by about
                    # C / quad^2. Where strokes meet at sharp angles GEOS's
                    # joins converge more slowly: the reference is refined
                    # until it agrees, or up to four times as fine.
                    quad = self.QUAD
                    coarse = self.skeleton_shape(skeletons[k], t / 2, quad).area
                    while True:
                        fine = self.skeleton_shape(skeletons[k], t / 2, 2 * quad).area
                        reference = (4 * fine - coarse) / 3
                        if abs(ours - reference) <= allowed or quad >= 4 * self.QUAD:
                            break
                        quad, coarse = 2 * quad, fine
                    if abs(ours - reference) > allowed:
                        failures.append(f"{ch!r} in a {W} x {H} cell, t = {t}: {ours} vs {reference}")
                    differences.append((abs(ours - reference) / reference,
                                        (allowed - 1e-6 * abs(ours)) / reference, ch, W, H, t))
        self.maxDiff = None
        self.assertEqual(failures, [])
        differences.sort()
        worst = differences[-1]
        within = sum(1 for d in differences if d[0] <= 1e-6)
        print(f"\narea check: {len(differences)} glyphs, {within} within 1e-6, relative difference median "
              f"{differences[len(differences) // 2][0]:.3g}, largest {worst[0]:.3g} "
              f"({worst[2]!r} in a {worst[3]} x {worst[4]} cell, t = {worst[5]:.6g}, where the "
              f"printed numbers allow {worst[1]:.3g})", file=sys.stderr)


TRANSCRIPT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "cli_transcript.txt")


def transcript_given(line):
    """A line that states a case (comment, command line, its continuation
    after a line break, standard input, a file made beforehand)."""
    return line[:2] in ("# ", "$ ", "> ", "< ", "+ ") or line in ("#", ">")


def transcript_result(given):
    """Runs one case of the transcript in a fresh folder: what the user sees
    (exit status, standard output and error) and every file left there."""
    command, stdin, made = "", b"", []
    for line in given:
        if line[0] in "$>":
            command += ("\n" if line[0] == ">" else "") + line[2:]
        elif line[0] == "<":
            stdin += ast.literal_eval(line[2:]).encode()
        elif line[0] == "+":
            made.append(line[2:].split(" ", 2))

    def shown(tag, data):
        text = data.decode(errors="replace")
        if len(data) > 2000 or text.encode() != data or "\r" in text or text and not text.endswith("\n"):
            return [f"{tag}# {len(data)} {hashlib.sha256(data).hexdigest()}"]
        return [f"{tag}|" + (" " + line if line else "") for line in text.split("\n")[:-1]]

    def listing(folder, prefix=""):
        for entry in sorted(os.scandir(folder), key=lambda e: e.name):
            name = prefix + entry.name
            if entry.is_symlink():
                yield f"= link {name} -> {os.readlink(entry.path)}"
            elif entry.is_dir():
                yield f"= dir {name}"
                yield from listing(entry.path, name + "/")
            else:
                with open(entry.path, "rb") as f:
                    data = f.read()
                yield f"= file {name} {len(data)} {hashlib.sha256(data).hexdigest()}"

    with tempfile.TemporaryDirectory() as tmp:
        folder = os.path.realpath(tmp)
        for kind, name, *content in made:
            path = os.path.join(folder, name)
            if kind == "dir":
                os.mkdir(path)
            elif kind == "link":
                os.symlink(content[0], path)
            else:
                data = ast.literal_eval(content[0])
                with open(path, "wb") as f:
                    f.write(data if isinstance(data, bytes) else data.encode())
        r = run(*shlex.split(command.replace("$DIR", folder)), stdin=stdin, env={"LC_ALL": "C.UTF-8"},
                cwd=folder, timeout=60)
        return [f"exit {r.returncode}", *shown("out", r.stdout.replace(folder.encode(), b"$DIR")),
                *shown("err", r.stderr.replace(folder.encode(), b"$DIR")), *listing(folder)]


class Transcript(unittest.TestCase):
    """Every case of tests/cli_transcript.txt run as recorded there; with
    TRACEMILL_RECORD_TRANSCRIPT=<path> the record is written there afresh."""

    def test_every_case_as_recorded(self):
        with open(TRANSCRIPT, encoding="utf-8") as f:
            blocks = [b.split("\n") for b in f.read().strip("\n").split("\n\n")]
        given = [list(itertools.takewhile(transcript_given, b)) for b in blocks]
        with concurrent.futures.ThreadPoolExecutor(2) as pool:
            results = list(pool.map(lambda g: transcript_result(g) if any(line[0] == "$" for line in g) else [], given))
        if os.environ.get("TRACEMILL_RECORD_TRANSCRIPT"):
            with open(os.environ["TRACEMILL_RECORD_TRANSCRIPT"], "w", encoding="utf-8") as f:
                f.write("\n\n".join("\n".join(g + r) for g, r in zip(given, results)) + "\n")
            return
        differing = []
        for block, lines, got in zip(blocks, given, results):
            recorded = block[len(lines):]
            if recorded != got:
                k = next(k for k in range(max(len(recorded), len(got))) if recorded[k:k + 1] != got[k:k + 1])
                case = "\n".join(line for line in lines if line[0] != "#")
                differing.append(f"{case}\n    recorded: {(recorded[k:k + 1] or ['(nothing)'])[0]}"
                                 f"\n    now:      {(got[k:k + 1] or ['(nothing)'])[0]}")
        if differing:
            self.fail(f"{len(differing)} of {sum(1 for r in results if r)} cases differ:\n" + "\n".join(differing))


if __name__ == "__main__":
    unittest.main()
