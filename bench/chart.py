#!/usr/bin/env python3
"""Draws the LoadMenu series of the benchmark (entries, loader ms, floor ms) as a log-log chart.

Usage: chart.py DATA.csv CHART.png. The picture is written as MVG drawing commands and rendered
by ImageMagick's convert, which the setup script installs.
"""
import csv
import math
import subprocess
import sys
import tempfile

WIDTH, HEIGHT = 760, 500
LEFT, RIGHT, TOP, BOTTOM = 90, 30, 60, 70
SERIES = (("loadmenu_ms", "LoadMenu", "#c0392b"),
          ("floor_ms", "floor: only the unavoidable system calls", "#2471a3"))


def decades(low, high):
    """Powers of ten from just below the lowest to just above the highest value."""
    return [10.0 ** e for e in range(math.floor(math.log10(low)), math.ceil(math.log10(high)) + 1)]


def label(value, unit):
    if value >= 1000 and unit == "ms":
        return f"{value / 1000:g} s"
    return f"{value:,g}{(' ' + unit) if unit else ''}"


def chart(rows):
    entries = [int(row["entries"]) for row in rows]
    values = [float(row[key]) for row in rows for key, _, _ in SERIES]
    xs, ys = decades(min(entries), max(entries)), decades(min(values), max(values))

    def scale(value, ticks, start, length):
        low, high = math.log10(ticks[0]), math.log10(ticks[-1])
        return start + (math.log10(value) - low) / (high - low) * length

    def px(n):
        return scale(n, xs, LEFT, WIDTH - LEFT - RIGHT)

    def py(v):
        return HEIGHT - BOTTOM - (scale(v, ys, 0, HEIGHT - TOP - BOTTOM))

    mvg = [f"viewbox 0 0 {WIDTH} {HEIGHT}", "fill white", f"rectangle 0,0 {WIDTH},{HEIGHT}",
           "font DejaVu-Sans", "font-size 13", "stroke-width 1"]
    for x in xs:
        mvg += ["stroke #dddddd", f"line {px(x):.1f},{TOP} {px(x):.1f},{HEIGHT - BOTTOM}",
                "stroke none", "fill black",
                f"text {px(x) - 14:.1f},{HEIGHT - BOTTOM + 20} '{label(x, '')}'"]
    for y in ys:
        mvg += ["stroke #dddddd", f"line {LEFT},{py(y):.1f} {WIDTH - RIGHT},{py(y):.1f}",
                "stroke none", "fill black", f"text 12,{py(y) + 5:.1f} '{label(y, 'ms')}'"]
    mvg += ["stroke black", "fill none",
            f"rectangle {LEFT},{TOP} {WIDTH - RIGHT},{HEIGHT - BOTTOM}", "stroke none",
            "fill black", "font-size 16",
            f"text {LEFT},{TOP - 30} 'LoadMenu time against menu size (median, log-log)'",
            "font-size 13",
            f"text {(LEFT + WIDTH - RIGHT) / 2 - 60:.0f},{HEIGHT - 25} 'entries in the menu'"]
    for index, (key, name, colour) in enumerate(SERIES):
        points = [(px(n), py(float(row[key]))) for n, row in zip(entries, rows)]
        mvg += [f"stroke {colour}", "stroke-width 2", "fill none",
                "polyline " + " ".join(f"{x:.1f},{y:.1f}" for x, y in points), f"fill {colour}"]
        mvg += [f"circle {x:.1f},{y:.1f} {x + 4:.1f},{y:.1f}" for x, y in points]
        legend_y = TOP + 20 + index * 20
        mvg += [f"line {LEFT + 15},{legend_y} {LEFT + 45},{legend_y}", "stroke none",
                f"text {LEFT + 52},{legend_y + 5} '{name}'", "stroke-width 1"]
    return "\n".join(mvg) + "\n"


def main(data_file, png_file):
    with open(data_file, newline="") as data:
        rows = list(csv.DictReader(data))
    with tempfile.NamedTemporaryFile("w", suffix=".mvg") as drawing:
        drawing.write(chart(rows))
        drawing.flush()
        subprocess.run(["convert", f"mvg:{drawing.name}", png_file], check=True)


if __name__ == "__main__":
    if len(sys.argv) != 3:
        sys.exit("usage: chart.py DATA.csv CHART.png")
    main(sys.argv[1], sys.argv[2])
