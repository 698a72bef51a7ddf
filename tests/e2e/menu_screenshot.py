"""Starts the launcher in the (headless) virtual desktop, opens its menu, saves a screenshot,
prints the screenshot's path and ends the launcher again.

    menu_screenshot.py PROGRAM_FOLDER BIN_FOLDER OUTPUT_PNG
"""
import shutil
import sys
import time
from pathlib import Path

from desktop import TRAY_ICON, Desktop, wait_for


def main():
    program_dir, bin_dir, output = (Path(a).resolve() for a in sys.argv[1:4])
    desktop = Desktop(bin_dir, output.parent / "screens")
    launcher = desktop.start(program_dir / "OstrelLauncher.exe", cwd=program_dir)
    try:
        wait_for("the launcher's hidden window", lambda: any(
            c == "OstrelMinApplicationClass" for c, _, _ in desktop.windows()), timeout=30)
        time.sleep(1)
        desktop.click(*TRAY_ICON)
        wait_for("the menu", lambda: any(c == "#32768" for c, _, _ in desktop.windows()))
        # Off the icon, so its tip does not cover the menu; then open the first submenu.
        desktop.park_mouse()
        wait_for("the tray tip to go", lambda: not any(
            c == "tooltips_class32" for c, _, _ in desktop.windows()))
        desktop.keys("Down", "Down", "Down", "Down", "Right")
        wait_for("the submenu", lambda: sum(
            c == "#32768" for c, _, _ in desktop.windows()) == 2)
        time.sleep(0.5)
        shutil.copy(desktop.screenshot("menu"), output)
        desktop.keys("Escape", "Escape")
        desktop.click(*TRAY_ICON, button=3)
        wait_for("the tray menu", lambda: any(c == "#32768" for c, _, _ in desktop.windows()))
        desktop.keys("Down", "Down", "Return")
        launcher.wait(timeout=15)
    finally:
        if launcher.poll() is None:
            launcher.kill()
    print(output)


if __name__ == "__main__":
    main()
