#!/usr/bin/env python3
"""The player's default skin, drawn by this script to the measures of skins/SkinSlicing.h, and the packages made
from it (plain Python 3; gcab packs the cabinets).

  default_skin.py draw FOLDER            draws every image of the default skin into FOLDER (BMP files)
  default_skin.py pack FOLDER PACKAGE    packs a drawn skin into a cabinet (MSZIP, pinned file times, so that two
                                         builds give the same bytes)
  default_skin.py copy FOLDER TARGET     writes a skin folder (for skins read from folders)
  default_skin.py append PROGRAM PACKAGE appends the package and its "XCAB" trailer to a linked program
  default_skin.py resources FOLDER       the program's icons and About artwork
  default_skin.py preview FOLDER         PNG views of every image and of the windows put together

pack and copy take variations that tests use instead of committed binaries:
  --omit ITEM          leave an item's image out          --upper           upper-case the entry names
  --text NAME=CONTENT  add a text entry (readme.txt, ...; "\\r\\n" in CONTENT is a line break)
  --subfolder DIR      store the entries under DIR\\
  --rename FROM=TO     rename an entry in the cabinet's directory (same length; for names gcab would not store)
  --declare-size NAME=BYTES  change the size the cabinet's directory declares for an entry
  --invert             invert every image's colours (tells a package's images from the default skin's)
  --masks-as-drawn     with --invert, leave the masks as drawn (the windows keep their shapes)
  --only ITEM          take only these items' images      --cut BYTES       keep only the cabinet's first bytes
"""
import argparse
import os
import pathlib
import shutil
import struct
import subprocess
import sys
import tempfile

sys.path.insert(0, str(pathlib.Path(__file__).resolve().parent))

import drawings  # noqa: E402
import imagefiles  # noqa: E402
from slicing import Table  # noqa: E402

PINNED_TIME = 946684800  # 2000-01-01 00:00 UTC: every entry's time in the cabinet
TRAILER = b"XCAB"


def draw(folder):
    table = Table()
    folder.mkdir(parents=True, exist_ok=True)
    for item in table.items:
        if not item.file:
            continue
        canvas = drawings.IMAGES[item.name](table)
        if (canvas.width, canvas.height) != (item.width, item.height):
            raise ValueError(f"{item.name} drawn {canvas.width} x {canvas.height}, not {item.width} x {item.height}")
        (folder / item.file).write_bytes(imagefiles.bmp(canvas, item.bits))


def _entries(folder, args):
    """(stored name, bytes) of every entry the variation asks for."""
    table = Table()
    omitted = {name.lower() for name in args.omit}
    only = {name.lower() for name in args.only}
    entries = []
    for item in table.items:
        if item.file and item.name.lower() not in omitted and (not only or item.name.lower() in only):
            name = item.file.upper() if args.upper else item.file
            data = (folder / item.file).read_bytes()
            invert = args.invert and not (args.masks_as_drawn and item.name.lower().endswith(".mask"))
            entries.append((name, _inverted(data) if invert else data))
    for text in args.text:
        name, _, content = text.partition("=")
        entries.append((name, content.encode("utf-8").replace(b"\\r\\n", b"\r\n")))
    return entries


def _inverted(bmp):
    """The colours of a BMP written by imagefiles (BITMAPINFOHEADER, bottom-up), inverted; alpha kept."""
    data = bytearray(bmp)
    bits = struct.unpack_from("<H", data, 28)[0]
    pixels = struct.unpack_from("<I", data, 10)[0]
    if bits <= 8:
        for at in range(54, pixels, 4):
            data[at:at + 3] = bytes(255 - b for b in data[at:at + 3])
        return bytes(data)
    width, height = struct.unpack_from("<ii", data, 18)
    step = bits // 8
    stride = (width * bits + 31) // 32 * 4
    for row in range(height):
        for x in range(width):
            at = pixels + row * stride + x * step
            data[at:at + 3] = bytes(255 - b for b in data[at:at + 3])
    return bytes(data)


def _write_entries(entries, target, subfolder):
    paths = []
    for name, data in entries:
        path = target / subfolder / name if subfolder else target / name
        path.parent.mkdir(parents=True, exist_ok=True)
        path.write_bytes(data)
        os.utime(path, (PINNED_TIME, PINNED_TIME))
        paths.append(path)
    return paths


def pack(folder, package, args):
    with tempfile.TemporaryDirectory() as tmp:
        work = pathlib.Path(tmp)
        paths = _write_entries(_entries(folder, args), work, args.subfolder)
        names = [str(p.relative_to(work)) for p in sorted(paths)]
        package.parent.mkdir(parents=True, exist_ok=True)
        package.unlink(missing_ok=True)
        nopath = [] if args.subfolder else ["--nopath"]
        subprocess.run(["gcab", "--create", "--zip", *nopath, str(package.resolve()), *names], cwd=work, check=True)
    data = bytearray(package.read_bytes())
    for change in args.rename:
        old, _, new = change.partition("=")
        _patch_entry(data, old, lambda entry, at: _rename(data, entry, at, old, new))
    for change in args.declare_size:
        name, _, size = change.partition("=")
        _patch_entry(data, name, lambda entry, at: struct.pack_into("<I", data, entry, int(size, 0)))
    package.write_bytes(bytes(data[:args.cut] if args.cut else data))


def _patch_entry(cabinet, name, patch):
    """Finds the CFFILE entry named `name` (its name as stored) and patches it."""
    files_offset = struct.unpack_from("<I", cabinet, 16)[0]  # CFHEADER.coffFiles
    count = struct.unpack_from("<H", cabinet, 28)[0]  # CFHEADER.cFiles
    at = files_offset
    for _ in range(count):
        end = cabinet.index(b"\0", at + 16)
        if cabinet[at + 16:end].decode("latin-1") == name.replace("/", "\\"):
            patch(at, at + 16)
            return
        at = end + 1
    raise KeyError(f"no entry {name!r} in the cabinet")


def _rename(cabinet, entry, at, old, new):
    if len(new.encode("latin-1")) != len(old):
        raise ValueError("a renamed entry keeps its length")
    cabinet[at:at + len(old)] = new.encode("latin-1")


def copy(folder, target, args):
    if target.exists():
        shutil.rmtree(target)
    target.mkdir(parents=True)
    _write_entries(_entries(folder, args), target, args.subfolder)


def append(program, package):
    """program || package || "XCAB" || 32-bit size. A program that already carries a package (a build step run
    twice) loses the old one first."""
    data = program.read_bytes()
    if data[-8:-4] == TRAILER:
        size = struct.unpack("<I", data[-4:])[0]
        if size <= len(data) - 8 and data[len(data) - 8 - size:][:4] == b"MSCF":
            data = data[:len(data) - 8 - size]
    cabinet = package.read_bytes()
    program.write_bytes(data + cabinet + TRAILER + struct.pack("<I", len(cabinet)))


def main(argv=None):
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    commands = parser.add_subparsers(dest="command", required=True)
    commands.add_parser("draw").add_argument("folder", type=pathlib.Path)
    for name in ("pack", "copy"):
        p = commands.add_parser(name)
        p.add_argument("folder", type=pathlib.Path)
        p.add_argument("target", type=pathlib.Path)
        p.add_argument("--omit", action="append", default=[])
        p.add_argument("--upper", action="store_true")
        p.add_argument("--text", action="append", default=[])
        p.add_argument("--subfolder", default="")
        p.add_argument("--rename", action="append", default=[])
        p.add_argument("--declare-size", action="append", default=[])
        p.add_argument("--invert", action="store_true")
        p.add_argument("--masks-as-drawn", action="store_true")
        p.add_argument("--only", action="append", default=[])
        p.add_argument("--cut", type=int)
    p = commands.add_parser("append")
    p.add_argument("program", type=pathlib.Path)
    p.add_argument("package", type=pathlib.Path)
    commands.add_parser("resources").add_argument("folder", type=pathlib.Path)
    commands.add_parser("preview").add_argument("folder", type=pathlib.Path)
    args = parser.parse_args(argv)

    if args.command == "draw":
        draw(args.folder)
    elif args.command == "pack":
        pack(args.folder, args.target, args)
    elif args.command == "copy":
        copy(args.folder, args.target, args)
    elif args.command == "append":
        append(args.program, args.package)
    elif args.command == "resources":
        import resources
        resources.write(args.folder)
    elif args.command == "preview":
        import preview
        preview.write(args.folder)


if __name__ == "__main__":
    main()
