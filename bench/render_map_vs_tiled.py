#!/usr/bin/env python3
"""tarvel-cli render-map against Tiled's tmxrasterizer on the same map, side by side in one run.

Makes a project with a 500 x 500 map painted as a world map is (sea and lakes, forests, hills,
mountains, sand, roads and towns on grass, trees and rocks on the upper layer), painted by
`tarvel-cli paint` so that water and autotiles connect as in the editor, and the equivalent TMX map:
the same size, 16-pixel tiles from the same chipset picture (index 0 transparent), a lower and an
upper layer with a tile in every cell where ours has a chip. Then both programs draw their map at
16 pixels a cell, alternately, RUNS times each, and the script prints wall time, peak memory
(maximum resident set) and PNG size of both, their medians and the ratios ours / Tiled's.

Usage: bench/render_map_vs_tiled.py [--build DIR] [--runs N] [--keep DIR]
Needs the built tarvel-cli and tarvel-rtpgen (or DIR/bin/RTP) and Tiled's tmxrasterizer (the Debian
package "tiled", which scripts/install-deps.sh installs as a test-only peer).
"""
import argparse
import json
import os
import random
import shutil
import statistics
import subprocess
import sys
import tempfile
import time
import zlib

SIZE = 500
CELL = 16

# Where each chip's 16 x 16 picture lies in the chipset, in 8-pixel units (the chipset layout).
GROUND_ORIGINS = [(0, 16), (6, 16), (0, 24), (6, 24), (12, 0), (18, 0), (12, 8), (18, 8), (12, 16), (18, 16),
                  (12, 24), (18, 24)]


def tile_of(chip):
    """The 16 x 16 tile (column, row) of the chipset that stands for a chip, or None."""
    if chip < 0:
        return None
    if chip < 3000:  # water: its centre piece
        return (0, 7) if chip >= 2000 else (0, 4)
    if chip < 3150:
        return (3 + (chip - 3000) // 50, 4)
    if chip < 4600:
        ox, oy = GROUND_ORIGINS[(chip - 4000) // 50]
        return ((ox + 2) // 2, (oy + 4) // 2)
    if 5000 <= chip < 5144:
        i = chip - 5000
        return ((24 + 12 * (i // 96) + 2 * (i % 6)) // 2, (2 * ((i % 96) // 6)) // 2)
    if 10001 <= chip < 10144:
        k = chip - 10000 + 48
        return ((36 + 12 * (k // 96) + 2 * (k % 6)) // 2, (2 * ((k % 96) // 6)) // 2)
    return None


def run(args, **kwargs):
    return subprocess.run(args, check=True, stdout=subprocess.PIPE, stderr=subprocess.PIPE, **kwargs)


def measured(args, env=None):
    """Wall seconds and peak resident megabytes of one run of a program."""
    start = time.monotonic()
    process = subprocess.Popen(args, stdout=subprocess.DEVNULL, stderr=subprocess.PIPE, env=env)
    _, status, usage = os.wait4(process.pid, 0)
    seconds = time.monotonic() - start
    process.returncode = os.waitstatus_to_exitcode(status)
    if process.returncode != 0:
        sys.exit(f"{args[0]} failed: {process.stderr.read().decode(errors='replace')}")
    return seconds, usage.ru_maxrss / 1024.0


def paint_ops(rng):
    """Strokes of the paint command that make a world map: lower-layer shapes, then upper objects."""
    lower = []
    # Sea along two edges and lakes, sand beaches, forests, hills, mountains, farmland and flowers.
    for _ in range(30):
        x, y, r = rng.randrange(SIZE), rng.randrange(SIZE), rng.randrange(6, 30)
        lower.append(f"ellipse:{x - r},{y - r // 2},{x + r},{y + r // 2}:{rng.choice([49, 49, 1049])}")
    lower.append(f"rect:0,0,{SIZE - 1},12:2049")
    lower.append(f"rect:0,0,14,{SIZE - 1}:2049")
    kinds = [4049 + 50 * k for k in (1, 6, 6, 6, 7, 7, 8, 4, 5, 3, 10, 9)]
    for _ in range(260):
        x, y = rng.randrange(SIZE), rng.randrange(SIZE)
        w, h = rng.randrange(3, 26), rng.randrange(3, 20)
        shape = "ellipse" if rng.random() < 0.7 else "rect"
        lower.append(f"{shape}:{x},{y},{min(SIZE - 1, x + w)},{min(SIZE - 1, y + h)}:{rng.choice(kinds)}")
    # Roads across, towns of plain chips (floors and roofs).
    for _ in range(12):
        y = rng.randrange(20, SIZE)
        lower.append(f"rect:15,{y},{SIZE - 1},{y}:4149")
        x = rng.randrange(20, SIZE)
        lower.append(f"rect:{x},13,{x},{SIZE - 1}:4149")
    for _ in range(40):
        x, y = rng.randrange(20, SIZE - 12), rng.randrange(20, SIZE - 12)
        lower.append(f"rect:{x},{y},{x + rng.randrange(3, 10)},{y + rng.randrange(3, 8)}:{5000 + rng.randrange(6, 40)}")
    upper = []
    for _ in range(9000):
        x, y = rng.randrange(15, SIZE), rng.randrange(13, SIZE)
        upper.append(f"pen:{x},{y}:{10001 + rng.choice(range(1, 60))}")
    return lower, upper


def tmx(lower, upper, tileset):
    def layer(name, chips, lid):
        rows = []
        for y in range(SIZE):
            row = []
            for x in range(SIZE):
                t = tile_of(chips[y * SIZE + x])
                row.append(str(t[1] * 30 + t[0] + 1) if t else "0")
            rows.append(",".join(row))
        return (f' <layer id="{lid}" name="{name}" width="{SIZE}" height="{SIZE}">\n'
                f'  <data encoding="csv">\n' + ",\n".join(rows) + "\n  </data>\n </layer>\n")
    return ('<?xml version="1.0" encoding="UTF-8"?>\n'
            f'<map version="1.8" orientation="orthogonal" renderorder="right-down" width="{SIZE}" height="{SIZE}" '
            f'tilewidth="{CELL}" tileheight="{CELL}" infinite="0" nextlayerid="3" nextobjectid="1">\n'
            f' <tileset firstgid="1" name="chips" tilewidth="{CELL}" tileheight="{CELL}" tilecount="480" columns="30">\n'
            f'  <image source="{tileset}" width="480" height="256"/>\n </tileset>\n'
            + layer("lower", lower, 1) + layer("upper", upper, 2) + "</map>\n")


def make_maps(cli, rtpgen, rtp, work):
    if not os.path.isdir(os.path.join(rtp, "ChipSet")):
        rtp = os.path.join(work, "RTP")
        run([rtpgen, rtp])
    project = os.path.join(work, "Bench")
    os.makedirs(project)

    def build(kind, data, name):
        path = os.path.join(work, kind + ".json")
        with open(path, "w") as f:
            json.dump(data, f)
        run([cli, "build", path, os.path.join(project, name)])

    build("database", {"kind": "database", "chipsets": [{"ID": 1, "Name": "Grassland", "GraphicName": "Grassland"}]},
          "QUORIN.qdb")
    build("maptree", {"kind": "maptree", "Items": [{"ID": 0, "Name": "Bench", "NodeKind": 0},
                                                  {"ID": 1, "Name": "World", "Depth": 1, "NodeKind": 1}],
                      "Order": [0, 1], "ActiveID": 1}, "QUORIN.qmt")
    build("map", {"kind": "map", "ChipSetID": 1, "Width": SIZE, "Height": SIZE,
                  "LowerLayer": [5000] * (SIZE * SIZE), "UpperLayer": [10000] * (SIZE * SIZE)}, "Map0001.qmu")
    lower, upper = paint_ops(random.Random(26))
    run([cli, "paint", project, "1", "--rtp", rtp] + lower)
    run([cli, "paint", project, "1", "--upper", "--rtp", rtp] + upper)
    dumped = json.loads(run([cli, "dump", os.path.join(project, "Map0001.qmu")]).stdout)

    # The chipset picture as Tiled's tileset, index 0 transparent as the editor draws it: a tRNS
    # chunk after the palette.
    with open(os.path.join(rtp, "ChipSet", "Grassland.png"), "rb") as f:
        png = f.read()
    at = png.index(b"PLTE") - 4
    at += 12 + int.from_bytes(png[at:at + 4], "big")
    trns = b"tRNS" + bytes([0])
    chunk = (1).to_bytes(4, "big") + trns + zlib.crc32(trns).to_bytes(4, "big")
    with open(os.path.join(work, "chips.png"), "wb") as f:
        f.write(png[:at] + chunk + png[at:])
    peer = os.path.join(work, "world.tmx")
    with open(peer, "w") as f:
        f.write(tmx(dumped["LowerLayer"], dumped["UpperLayer"], "chips.png"))
    return project, rtp, peer


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--build", default="build")
    parser.add_argument("--runs", type=int, default=3)
    parser.add_argument("--keep", help="keep the maps and pictures in this folder")
    options = parser.parse_args()
    cli = os.path.join(options.build, "bin", "tarvel-cli")
    rtpgen = os.path.join(options.build, "bin", "tarvel-rtpgen")
    tiled = shutil.which("tmxrasterizer")
    if not tiled:
        sys.exit("tmxrasterizer is missing: install the Debian package tiled (scripts/install-deps.sh)")

    work = options.keep or tempfile.mkdtemp(prefix="tarvel-render-bench-")
    os.makedirs(work, exist_ok=True)
    try:
        project, rtp, peer = make_maps(cli, rtpgen, os.path.join(options.build, "bin", "RTP"), work)
        ours_png, theirs_png = os.path.join(work, "ours.png"), os.path.join(work, "tiled.png")
        env = dict(os.environ, QT_QPA_PLATFORM="offscreen")
        ours, theirs = [], []
        for i in range(options.runs):
            ours.append(measured([cli, "render-map", project, "1", ours_png, "--cell", str(CELL), "--rtp", rtp]))
            theirs.append(measured([tiled, "--tilesize", str(CELL), peer, theirs_png], env))
            print(f"run {i + 1}: ours {ours[-1][0]:.2f} s {ours[-1][1]:.0f} MB, "
                  f"tiled {theirs[-1][0]:.2f} s {theirs[-1][1]:.0f} MB", flush=True)
        o_time, t_time = statistics.median(r[0] for r in ours), statistics.median(r[0] for r in theirs)
        o_mem, t_mem = statistics.median(r[1] for r in ours), statistics.median(r[1] for r in theirs)
        o_size, t_size = os.path.getsize(ours_png), os.path.getsize(theirs_png)
        print(f"map {SIZE} x {SIZE} at {CELL} px ({SIZE * CELL} x {SIZE * CELL} pixels), medians of {options.runs} runs")
        print(f"{'':12}{'ours':>12}{'tiled':>12}{'ratio':>9}")
        print(f"{'wall s':12}{o_time:12.2f}{t_time:12.2f}{o_time / t_time:9.3f}")
        print(f"{'peak MB':12}{o_mem:12.1f}{t_mem:12.1f}{o_mem / t_mem:9.3f}")
        print(f"{'PNG bytes':12}{o_size:12d}{t_size:12d}{o_size / t_size:9.3f}")
    finally:
        if not options.keep:
            shutil.rmtree(work, ignore_errors=True)


if __name__ == "__main__":
    main()
