"""The launcher under bad input, faults and load. Each case ends with the launcher alive, its
menu following the file, and no file changed that the launcher should not change."""
import os
import random
import shutil
import subprocess
import time
from pathlib import Path

from desktop import wait_for, windows_path
from test_launcher import BIN_DIR, MAINICON_BLUE, LauncherTestCase, solid_icon, write_menu

RED, GREEN = "#ff0000", "#00ff00"


class StressTestCase(LauncherTestCase):
    def setUp(self):
        super().setUp()
        self.menu = self.root / "menu.ini"
        self.icons = {}
        for name, rgb in ((RED, (255, 0, 0)), (GREEN, (0, 255, 0))):
            self.icons[name] = self.root / f"{name[1:]}.ico"
            solid_icon(self.icons[name], rgb)
        self.colour = None

    def tray_shows(self, colour):
        return self.tray_colours().get(colour, 0) > 50

    def save(self, lines, wait=True):
        """Writes the menu file with an icon line of the other colour than the last save, and
        waits until the tray shows it: proof that this very save was loaded."""
        self.colour = GREEN if self.colour == RED else RED
        write_menu(self.menu, [f"@ICON={windows_path(self.icons[self.colour])}", *lines])
        if wait:
            wait_for(f"the {self.colour} icon of the new file",
                     lambda: self.tray_shows(self.colour), timeout=60)

    def assert_alive_and_following(self, tag):
        """The launcher still answers and loads a small file exactly."""
        self.assertIsNone(self.process.poll(), "the launcher ended")
        self.save([f"After {tag}=recorder.exe", "Second line=recorder.exe"])
        text = self.menu_text(self.open_menu(), f"after-{tag}")
        self.assert_captions(text, (f"After {tag}", "Second line", "Run..."))
        self.choose("Escape")

    def start_with(self, lines):
        self.save(lines, wait=False)
        self.start_launcher(f"path:{windows_path(self.menu)}")
        wait_for("the first icon", lambda: self.tray_shows(self.colour), timeout=60)


class LargeAndStrangeFiles(StressTestCase):
    def test_ten_thousand_entries(self):
        self.start_with(["Start=recorder.exe"])
        # Words, not digits, where the screen is read: tesseract takes 0 for o and 1 for l.
        entries = ["First of many=C:\\windows\\notepad.exe"] + [
            f"Entry {i:05d}=C:\\windows\\notepad.exe" for i in range(1, 10_000)]
        started = time.monotonic()
        self.save(entries)
        print(f"\n10,000 entries loaded within {time.monotonic() - started:.1f} s")
        text = self.menu_text(self.open_menu(), "ten-thousand")
        self.assert_captions(text, ("First of many", "Entry"))
        self.choose("Escape")
        self.assert_alive_and_following("many")

    def test_submenus_nested_a_thousand_deep(self):
        self.start_with(["Start=recorder.exe"])
        self.save(["[Outermost"] + [f"[Level {i}" for i in range(2, 1001)] + ["Deep=recorder.exe"])
        text = self.menu_text(self.open_menu(), "deep")
        self.assert_captions(text, ("Outermost",))
        self.choose("Escape")
        self.assert_alive_and_following("deep")

    def test_twenty_megabytes(self):
        self.start_with(["Start=recorder.exe"])
        comment = "; " + "x" * 1000
        lines = ["Big first=recorder.exe"] + [comment] * 20_000 + ["Big last=recorder.exe"]
        self.save(lines)
        self.assertGreater(self.menu.stat().st_size, 20_000_000)
        text = self.menu_text(self.open_menu(), "big")
        self.assert_captions(text, ("Big first", "Big last", "Run..."))
        self.choose("Escape")
        self.assert_alive_and_following("big")

    def test_binary_and_utf16_files(self):
        self.start_with(["Start=recorder.exe"])
        rng = random.Random(20261211)
        for name, data in (("binary", bytes(rng.randrange(256) for _ in range(200_000))),
                           ("wide", "\ufeffA=notepad.exe\r\nB=calc.exe\r\n".encode("utf-16-le"))):
            with self.subTest(name):
                self.menu.write_bytes(data)
                time.sleep(2.5)
                self.assertIsNone(self.process.poll())
                self.assert_alive_and_following(name)

    def test_icon_line_naming_a_file_that_is_no_icon(self):
        self.start_with(["Start=recorder.exe"])
        fake = self.root / "fake.ico"
        fake.write_bytes(b"this is not an icon" * 100)
        write_menu(self.menu, [f"@ICON={windows_path(fake)}", "Plain=recorder.exe"])
        wait_for("MAINICON", lambda: self.tray_shows(MAINICON_BLUE))
        self.assert_alive_and_following("fake-icon")
        self.assertEqual(fake.read_bytes(), b"this is not an icon" * 100)


class FaultsWhileRunning(StressTestCase):
    def test_fifty_rewrites_in_ten_seconds(self):
        self.start_with(["Start=recorder.exe"])
        for i in range(50):
            write_menu(self.menu, [f"Rewrite {i:02d}=recorder.exe"])
            time.sleep(0.2)
        wait_for("the last rewrite", lambda: self.tray_shows(MAINICON_BLUE))
        time.sleep(1.5)
        text = self.menu_text(self.open_menu(), "rewrites")
        self.assert_captions(text, ("Rewrite 49", "Run..."))
        self.assertNotIn("rewrite 48", text.lower())
        self.choose("Escape")

    def test_file_held_open_while_rewritten(self):
        self.start_with(["Before hold=recorder.exe"])
        holder = self.desktop.start(BIN_DIR / "recorder.exe", [f"hold:{windows_path(self.menu)}"])
        held = Path(str(self.menu) + ".held")
        try:
            wait_for("the file to be held", held.exists)
            # Linux writes past Windows' share modes: the launcher sees a new time it cannot read.
            write_menu(self.menu, [f"@ICON={windows_path(self.icons[GREEN])}",
                                   "After hold=recorder.exe"])
            time.sleep(2.5)
            self.assertFalse(self.tray_shows(GREEN))
            text = self.menu_text(self.open_menu(), "held")
            self.assert_captions(text, ("Before hold", "Run..."))
            self.choose("Escape")
        finally:
            Path(str(self.menu) + ".release").write_bytes(b"")
            holder.wait(timeout=30)
        wait_for("the file's new menu once it is free", lambda: self.tray_shows(GREEN))
        self.assert_captions(self.menu_text(self.open_menu(), "released"), ("After hold",))
        self.choose("Escape")

    def test_file_replaced_by_a_folder_and_back(self):
        self.start_with(["Start=recorder.exe"])
        self.menu.unlink()
        self.menu.mkdir()
        time.sleep(2.5)
        self.assert_no_menu_opens()
        self.menu.rmdir()
        self.assert_alive_and_following("folder")


class StartUps(StressTestCase):
    def test_long_and_non_ascii_path_switches(self):
        # A path of exactly 259 characters, the longest the classic Windows limit allows.
        base = windows_path(self.root)
        folder = self.root / "long"
        prefix_length = len(base) + len("\\long\\") + len("\\menu.ini")
        folder = folder / ("d" * (259 - prefix_length))
        folder.mkdir(parents=True)
        long_menu = folder / "menu.ini"
        self.assertEqual(len(windows_path(long_menu)), 259)
        unicode_menu = self.root / "Ελληνικά 日本語.ini"
        for path, caption in ((long_menu, "Long path"), (unicode_menu, "Unicode path")):
            with self.subTest(caption):
                write_menu(path, [f"{caption}=recorder.exe"])
                self.start_launcher(f"path:{windows_path(path)}")
                self.assert_captions(self.menu_text(self.open_menu(), "switch"), (caption,))
                self.choose("Escape")
                self.assertEqual(self.exit_launcher(), 0)
                self.assertFalse((self.app_dir / "apps.ini").exists())

    def test_two_first_starts_at_once(self):
        template = (BIN_DIR / "DefaultApps.ini").read_bytes()
        shutil.copy(BIN_DIR / "DefaultApps.ini", self.app_dir)
        env = {"OSTREL_RECORD_FILE": windows_path(self.record_file)}
        exe = self.app_dir / "OstrelLauncher.exe"
        first = self.desktop.start(exe, cwd=self.work_dir, env=env)
        second = self.desktop.start(exe, cwd=self.work_dir, env=env)
        try:
            wait_for("two launchers", lambda: sum(
                c == "OstrelMinApplicationClass" for c, _, _ in self.desktop.windows()) == 2,
                timeout=30)
            time.sleep(1)
            titles = [t for _, t, _ in self.desktop.windows()]
            self.assertNotIn("Error", titles, "a first-run race was reported to the user")
            self.assertEqual((self.app_dir / "apps.ini").read_bytes(), template)
            self.assertIsNone(first.poll())
            self.assertIsNone(second.poll())
        finally:
            # Exit both the way the program ends: its hidden window closed, its icon removed.
            self.desktop.close_window("OstrelLauncher")
            for process in (first, second):
                try:
                    process.wait(timeout=15)
                except subprocess.TimeoutExpired:
                    process.kill()
                    process.wait(timeout=10)
