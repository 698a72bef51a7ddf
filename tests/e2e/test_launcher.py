"""OstrelLauncher.exe used as a person would: clicks on its tray icon, keys in its menus,
edits of its menu file while it runs. Run by CTest inside the Wine virtual desktop."""
import os
import shutil
import struct
import tempfile
import time
import unittest
from pathlib import Path

from desktop import TRAY_ICON, Desktop, wait_for, windows_path

BIN_DIR = Path(os.environ["OSTREL_BIN_DIR"])
ARTIFACTS = Path(os.environ["OSTREL_E2E_ARTIFACTS"])
POPUP_CLASS = "#32768"
HIDDEN_WINDOW_CLASS = "OstrelMinApplicationClass"
TRAY_BOX = (TRAY_ICON[0] - 10, TRAY_ICON[1] - 10, TRAY_ICON[0] + 10, TRAY_ICON[1] + 10)
MAINICON_BLUE = "#0000ff"


def solid_icon(path, rgb):
    """A 16x16 icon of one colour, 32 bits per pixel."""
    r, g, b = rgb
    pixels = bytes([b, g, r, 255]) * 256
    mask = bytes(4 * 16)
    header = struct.pack("<IiiHHIIiiII", 40, 16, 32, 1, 32, 0, len(pixels) + len(mask), 0, 0, 0, 0)
    image = header + pixels + mask
    path.write_bytes(struct.pack("<HHH", 0, 1, 1) +
                     struct.pack("<BBBBHHII", 16, 16, 0, 0, 1, 32, len(image), 22) + image)


def write_menu(path, lines):
    path.write_bytes(("\r\n".join(lines) + "\r\n").encode("utf-8"))


def read_records(path):
    """The recorder's records, each a dict of its key=value lines."""
    if not path.exists():
        return []
    records, current = [], {}
    for line in path.read_text(encoding="utf-8").splitlines():
        if line == "end":
            records.append(current)
            current = {}
        elif "=" in line:
            key, value = line.split("=", 1)
            current[key] = value
    return records


class LauncherTestCase(unittest.TestCase):
    """A fresh program folder and working folder per test, and one launcher at a time."""

    def setUp(self):
        artifacts = ARTIFACTS / self.id().split(".", 1)[1]
        shutil.rmtree(artifacts, ignore_errors=True)
        self.desktop = Desktop(BIN_DIR, artifacts)
        self.root = Path(tempfile.mkdtemp(prefix="ostrel-e2e-"))
        self.app_dir = self.root / "app"
        self.work_dir = self.root / "work"
        self.app_dir.mkdir()
        self.work_dir.mkdir()
        shutil.copy(BIN_DIR / "OstrelLauncher.exe", self.app_dir)
        self.record_file = self.root / "record.txt"
        self.process = None
        self.opened_titles = []
        self.desktop.park_mouse()

    def tearDown(self):
        if self._failed():
            shot = self.desktop.screenshot("failure")
            print(f"\nscreen at failure: {shot}\nwindows: {self.desktop.windows()}")
        for title in self.opened_titles:
            self.desktop.close_window(title)
        if self.process and self.process.poll() is None:
            # "Exit" takes the icon out of the tray; a killed process would leave it there
            # for a while and shift the next launcher's icon.
            try:
                self.exit_launcher()
            except Exception:  # noqa: BLE001 - the kill below is the fallback
                self.process.kill()
                self.process.wait(timeout=10)
        shutil.rmtree(self.root, ignore_errors=True)

    def _failed(self):
        outcome = getattr(self, "_outcome", None)
        result = getattr(outcome, "result", None)
        problems = (result.errors + result.failures) if result else []
        return any(test is self for test, _ in problems)

    # --- the launcher ----------------------------------------------------------------
    def start_launcher(self, *args):
        self.process = self.desktop.start(
            self.app_dir / "OstrelLauncher.exe", args, cwd=self.work_dir,
            env={"OSTREL_RECORD_FILE": windows_path(self.record_file)})
        wait_for("the launcher's hidden window",
                 lambda: any(c == HIDDEN_WINDOW_CLASS for c, _, _ in self.desktop.windows()))
        wait_for("the tray icon", lambda: self.tray_colours().get(MAINICON_BLUE, 0) > 50
                 or self.tray_colours().get("#ff0000", 0) > 50)

    def tray_colours(self):
        return self.desktop.pixels(self.desktop.screenshot("tray"), TRAY_BOX)

    def popups(self):
        return [rect for c, _, rect in self.desktop.windows() if c == POPUP_CLASS]

    def open_menu(self, button=1):
        """Clicks the tray icon and returns the open popup's rectangle."""
        self.desktop.click(*TRAY_ICON, button=button)
        rect = wait_for("a popup menu", lambda: (self.popups() or [None])[0])
        # Off the icon, so its tip does not cover the menu; nothing is selected out here.
        self.desktop.park_mouse()
        wait_for("the tray tip to go", lambda: not any(
            c == "tooltips_class32" for c, _, _ in self.desktop.windows()))
        time.sleep(0.3)  # the menu paints after it is mapped
        return rect

    def assert_no_menu_opens(self, button=1):
        """An empty menu: Wine shows no popup window for it at all."""
        self.desktop.click(*TRAY_ICON, button=button)
        deadline = time.monotonic() + 2.0
        while time.monotonic() < deadline:
            self.assertEqual(self.popups(), [], "a popup opened for an empty menu")
            time.sleep(0.2)
        self.desktop.park_mouse()

    def menu_text(self, rect, name):
        shot = self.desktop.screenshot(name)
        return self.desktop.read_text(shot, rect)

    def assert_captions(self, text, captions):
        """Each caption appears, in this order, in text read off the screen (tesseract may
        get a letter's case wrong)."""
        folded = text.lower()
        positions = [folded.find(caption.lower()) for caption in captions]
        for caption, position in zip(captions, positions):
            self.assertNotEqual(position, -1, f"{caption!r} not in {text!r}")
        self.assertEqual(positions, sorted(positions), f"order of {captions} in {text!r}")

    def choose(self, *keys):
        # One key too many would reach whatever window is in front once the menu is gone.
        self.desktop.keys(*keys)
        wait_for("the popup to close", lambda: not self.popups())

    def exit_launcher(self):
        self.open_menu(button=3)
        self.choose("Down", "Down", "Return")
        return self.process.wait(timeout=15)

    def wait_for_records(self, count):
        return wait_for(f"{count} recorder run(s)",
                        lambda: (lambda r: r if len(r) >= count else None)(
                            read_records(self.record_file)))

    def wait_for_window(self, what, predicate):
        return wait_for(what, lambda: next(
            (title for c, title, _ in self.desktop.windows() if predicate(c, title)), None))


class MenusAndLaunches(LauncherTestCase):
    def setUp(self):
        super().setUp()
        blanks = self.root / "dir with blanks"
        blanks.mkdir()
        shutil.copy(BIN_DIR / "recorder.exe", blanks)
        shutil.copy(BIN_DIR / "recorder.exe", self.app_dir)  # found on the search path
        self.blanks = blanks
        self.folder = self.root / "Projects"
        self.folder.mkdir()
        self.menu = self.root / "menu.ini"
        write_menu(self.menu, [
            "; end-to-end menu",
            f'Quoted="{windows_path(blanks / "recorder.exe")}" -x "a b"',
            "Bare=recorder.exe one two",
            'Quotes=recorder.exe say "hello world"',
            "@SEP",
            "[More",
            f"Folder={windows_path(self.folder)}",
            "]",
        ])

    def test_left_click_shows_the_user_menu_and_entries_launch(self):
        self.start_launcher(f"path:{windows_path(self.menu)}")
        rect = self.open_menu()
        text = self.menu_text(rect, "user-menu")
        self.assert_captions(text, ("Quoted", "Bare", "Quotes", "More", "Run..."))
        self.choose("Down", "Return")

        self.open_menu()
        self.choose("Down", "Down", "Return")
        self.open_menu()
        self.choose("Down", "Down", "Down", "Return")
        quoted, bare, quotes = self.wait_for_records(3)

        self.assertEqual(quoted["arg0"], windows_path(self.blanks / "recorder.exe"))
        self.assertEqual((quoted["argc"], quoted["arg1"], quoted["arg2"]), ("2", "-x", "a b"))
        self.assertEqual(quoted["cwd"].rstrip("\\"), windows_path(self.blanks))

        # A bare name resolves through the search path: the program's own folder.
        self.assertEqual(bare["arg0"].lower(), windows_path(self.app_dir / "recorder.exe").lower())
        self.assertEqual((bare["argc"], bare["arg1"], bare["arg2"]), ("2", "one", "two"))
        self.assertEqual(bare["cwd"].rstrip("\\").lower(), windows_path(self.app_dir).lower())

        self.assertEqual((quotes["argc"], quotes["arg1"], quotes["arg2"]),
                         ("2", "say", "hello world"))

    def test_submenu_folder_run_dialog_and_configuration(self):
        self.start_launcher(f"path:{windows_path(self.menu)}")
        # Down x4 reaches the submenu (the separator is skipped), Right opens it.
        self.open_menu()
        self.choose("Down", "Down", "Down", "Down", "Right", "Return")
        browser = self.wait_for_window("a file browser on the folder",
                                       lambda c, t: "Projects" in t)
        self.opened_titles.append(browser)

        # Up from no selection wraps to the last entry, "Run...".
        self.open_menu()
        self.choose("Up", "Return")
        run = self.wait_for_window("the Run dialog", lambda c, t: t == "Run")
        self.opened_titles.append(run)
        self.desktop.screenshot("run-dialog")

        rect = self.open_menu(button=3)
        text = self.menu_text(rect, "tray-menu")
        self.assert_captions(text, ("Configuration...", "Exit"))
        self.choose("Down", "Return")
        editor = self.wait_for_window("the menu file in its editor",
                                      lambda c, t: "menu" in t.lower() and c != POPUP_CLASS
                                      and t != "Run" and "Projects" not in t)
        self.opened_titles.append(editor)

    def test_exit_removes_the_icon_and_ends_with_code_zero(self):
        self.start_launcher(f"path:{windows_path(self.menu)}")
        self.assertEqual(self.exit_launcher(), 0)
        wait_for("the tray icon to go", lambda: self.tray_colours().get(MAINICON_BLUE, 0) == 0)


class Reloading(LauncherTestCase):
    def test_saves_deletion_and_icon_lines_reach_the_running_launcher(self):
        menu = self.root / "menu.ini"
        red = self.root / "red.ico"
        solid_icon(red, (255, 0, 0))
        write_menu(menu, ["First=recorder.exe"])
        self.start_launcher(f"path:{windows_path(menu)}")
        self.assert_captions(self.menu_text(self.open_menu(), "first"), ("First", "Run..."))
        self.choose("Escape")

        # The tray icon's image is seen without opening a menu, so it times the reload.
        saved = time.monotonic()
        write_menu(menu, [f"@ICON={windows_path(red)}", "Second=recorder.exe"])
        wait_for("the red icon", lambda: self.tray_colours().get("#ff0000", 0) > 50)
        delay = time.monotonic() - saved
        print(f"\nreload delay seen: {delay:.2f} s")
        self.assertLess(delay, 3.0)
        self.assert_captions(self.menu_text(self.open_menu(), "second"), ("Second",))
        self.choose("Escape")

        write_menu(menu, ["Third=recorder.exe"])
        wait_for("MAINICON back", lambda: self.tray_colours().get(MAINICON_BLUE, 0) > 50)

        # Deleting the file empties the menu and leaves the tray icon as it is.
        write_menu(menu, [f"@ICON={windows_path(red)}", "Third=recorder.exe"])
        wait_for("the red icon again", lambda: self.tray_colours().get("#ff0000", 0) > 50)
        menu.unlink()
        time.sleep(1.5)  # two ticks: the one that finds the file gone, and one more
        self.assertGreater(self.tray_colours().get("#ff0000", 0), 50)
        self.assert_no_menu_opens()

        # Creating it again brings the menu back; the icon change shows the reload happened.
        write_menu(menu, ["Fourth=recorder.exe"])
        wait_for("MAINICON after the file came back",
                 lambda: self.tray_colours().get(MAINICON_BLUE, 0) > 50)
        text = self.menu_text(self.open_menu(), "recreated")
        self.assert_captions(text, ("Fourth", "Run..."))
        self.choose("Escape")


class FirstRunAndSwitches(LauncherTestCase):
    def test_first_run_creates_apps_ini_from_the_template(self):
        shutil.copy(BIN_DIR / "DefaultApps.ini", self.app_dir)
        self.start_launcher()
        created = self.app_dir / "apps.ini"
        self.assertEqual(created.read_bytes(), (self.app_dir / "DefaultApps.ini").read_bytes())
        text = self.menu_text(self.open_menu(), "default-menu")
        self.assert_captions(text, ("Notepad", "Calculator", "Command Prompt", "Folders",
                                    "System tools", "Run..."))
        self.choose("Escape")

    def test_without_any_menu_file_it_still_runs(self):
        self.start_launcher()
        self.assert_no_menu_opens()
        text = self.menu_text(self.open_menu(button=3), "tray-menu")
        self.assert_captions(text, ("Configuration...", "Exit"))
        self.choose("Escape")
        self.assertFalse((self.app_dir / "apps.ini").exists())

    def test_path_switch(self):
        shutil.copy(BIN_DIR / "DefaultApps.ini", self.app_dir)
        unicode_menu = self.root / "Меню ü.ini"
        write_menu(unicode_menu, ["Unicode menu=recorder.exe"])
        folder = self.root / "a folder"
        folder.mkdir()
        cases = [
            (f"path:{windows_path(unicode_menu)}", "Unicode", False),
            (f"path:{windows_path(folder)}", "Notepad", True),
            (f"path:{windows_path(self.root / 'missing.ini')}", "Notepad", True),
        ]
        for argument, caption, uses_default in cases:
            with self.subTest(argument=argument):
                self.start_launcher(argument)
                self.assert_captions(self.menu_text(self.open_menu(), "switch"), (caption,))
                self.choose("Escape")
                self.assertEqual((self.app_dir / "apps.ini").exists(), uses_default)
                self.assertEqual(self.exit_launcher(), 0)


if __name__ == "__main__":
    unittest.main()
