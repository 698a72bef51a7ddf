"""The virtual Windows desktop as the end-to-end tests see it: Wine processes, the mouse
(xdotool), keys and window lists (the wintool helper inside the desktop), screenshots
(ImageMagick) and words read off them (tesseract)."""
import os
import subprocess
import time
from pathlib import Path

DESKTOP_WIDTH, DESKTOP_HEIGHT = 800, 600
# With one icon in the notification area it sits at the right end of the taskbar.
TRAY_ICON = (790, 590)


def windows_path(path):
    """A Linux path as Wine sees it on drive Z:."""
    return "Z:" + str(Path(path).resolve()).replace("/", "\\")


class Desktop:
    def __init__(self, bin_dir, artifacts):
        self.bin_dir = Path(bin_dir)
        self.artifacts = Path(artifacts)
        self.artifacts.mkdir(parents=True, exist_ok=True)
        self.wintool_exe = self.bin_dir / "wintool.exe"
        self.shots = 0

    # --- processes -------------------------------------------------------------------
    def start(self, exe, args=(), cwd=None, env=None):
        """Starts a Windows program; what Wine prints for it (a crash report, say) goes to a
        log beside the screenshots."""
        full_env = dict(os.environ)
        full_env.update(env or {})
        self.starts = getattr(self, "starts", 0) + 1
        log = open(self.artifacts / f"wine-{self.starts:02d}-{Path(exe).stem}.log", "wb")
        with log:
            return subprocess.Popen(["wine", str(exe), *args], cwd=cwd, env=full_env,
                                    stdin=subprocess.DEVNULL, stdout=log, stderr=log)

    def wintool(self, *args):
        result = subprocess.run(["wine", str(self.wintool_exe), *args], capture_output=True,
                                timeout=30)
        return result.stdout.decode("utf-8", "replace")

    def windows(self):
        """(class, title, (left, top, right, bottom)) of every visible top-level window."""
        found = []
        for line in self.wintool("windows").splitlines():
            parts = line.rstrip("\r").split("\t")
            if len(parts) == 3:
                rect = tuple(int(v) for v in parts[2].split(","))
                found.append((parts[0], parts[1], rect))
        return found

    def keys(self, *names):
        self.wintool("keys", *names)

    def close_window(self, title):
        self.wintool("close", title)

    # --- mouse -----------------------------------------------------------------------
    def click(self, x, y, button=1):
        subprocess.run(["xdotool", "mousemove", str(x), str(y), "click", str(button)],
                       check=True, timeout=10)

    def park_mouse(self):
        subprocess.run(["xdotool", "mousemove", "400", "300"], check=True, timeout=10)

    # --- the screen ------------------------------------------------------------------
    def screenshot(self, name):
        self.shots += 1
        path = self.artifacts / f"{self.shots:02d}-{name}.png"
        subprocess.run(["import", "-window", "root", str(path)], check=True, timeout=30)
        return path

    @staticmethod
    def pixels(png, box):
        """Colour counts ('#rrggbb' -> n) inside box = (left, top, right, bottom)."""
        left, top, right, bottom = box
        geometry = f"{right - left}x{bottom - top}+{left}+{top}"
        out = subprocess.run(["convert", str(png), "-crop", geometry, "+repage", "-format",
                              "%c", "histogram:info:-"], capture_output=True, check=True,
                             timeout=30).stdout.decode()
        counts = {}
        for line in out.splitlines():
            # "     12: (  0,  0,255) #0000FF blue"
            if ":" in line and "#" in line:
                count = int(line.split(":")[0])
                colour = "#" + line.split("#")[1][:6].lower()
                counts[colour] = counts.get(colour, 0) + count
        return counts

    def read_text(self, png, box):
        """Words inside box, read by tesseract from the crop enlarged three times."""
        left, top, right, bottom = box
        geometry = f"{right - left}x{bottom - top}+{left}+{top}"
        crop = png.with_suffix(".crop.png")
        # The frame of a menu confuses tesseract: shave it and leave a white margin instead.
        subprocess.run(["convert", str(png), "-crop", geometry, "+repage", "-shave", "2x2",
                        "-resize", "300%", "-bordercolor", "white", "-border", "30", str(crop)],
                       check=True, timeout=30)
        out = subprocess.run(["tesseract", str(crop), "-", "--psm", "6"], capture_output=True,
                             timeout=60).stdout.decode("utf-8", "replace")
        crop.unlink()
        return out


def wait_for(what, condition, timeout=15.0, interval=0.2):
    """Polls condition() until it returns something true; raises with `what` on timeout."""
    deadline = time.monotonic() + timeout
    while True:
        value = condition()
        if value:
            return value
        if time.monotonic() > deadline:
            raise AssertionError(f"timed out after {timeout:.0f} s waiting for {what}")
        time.sleep(interval)
