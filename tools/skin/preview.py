"""PNG views of the default skin for a person to look at: every image enlarged over a checkerboard, the strip over a
dark and a light taskbar, and the expanded player, play info and settings panels put together from their images
at the places of the slicing table."""
import pathlib

import drawings
import imagefiles
import resources
from look import PANEL
from raster import Canvas, rgb
from slicing import Table, cell_rect

DARK_TASKBAR = rgb("#1F1F1F")
LIGHT_TASKBAR = rgb("#EEEEEE")


def _checker(x, y):
    return (200, 200, 200) if (x // 8 + y // 8) % 2 else (150, 150, 150)


def _cut(canvas, table, slice_id, index=0, light=False):
    x, y, w, h = cell_rect(table.slice(slice_id), index, light)
    return canvas.crop(x, y, w, h)


def _strip(table, images, backdrop, light):
    """The strip as laid out in one row: minimize, play time, the transport buttons, "Show player"."""
    c = Canvas(260, 30, backdrop)
    x, y = 4, 4
    c.draw(_cut(images["Minimize"], table, "Minimize.Grip", 0, light), x, y)
    c.draw(_cut(images["Minimize"], table, "Minimize.Grip", 0, light), x, y + 2)
    x += 12
    well = _cut(images["PlayTime"], table, "PlayTime.Well", 0, light)
    c.draw(well, x, y + 1)
    play_time = table.play_time("Strip")
    digits = table.slice(play_time.digits)
    left = x + well.width - (4 * digits.width + play_time.s1 + play_time.s2 + play_time.s3 + play_time.s4) - \
        play_time.border_right
    for i, d in enumerate((0, 3, 2, 7)):
        c.draw(_cut(images["TrayNumbers"], table, play_time.digits, d, light), left, y + 3)
        left += digits.width + (play_time.s1, play_time.s2, play_time.s3, 0)[i]
    x += well.width + 3
    parts = ["Previous", "Play", "Stop", "Next", "MyMedia"]
    for i, part in enumerate(parts):
        index = {1: 3, 2: 2}.get(i, 0)  # the play button down (playing), the stop button hot
        c.draw(_cut(images["TrayButtons"], table, "TrayButtons." + part, index), x, y + 1)
        x += 23
    c.draw(_cut(images["MuteTray"], table, "MuteTray.Mute", 3), x, y + 1)
    x += 23
    c.draw(_cut(images["SysButton"], table, "SysButton.Show", 0), x, y + 1)
    return c


def _place(c, table, images, panel, control, slice_id, index=0, dy=0):
    p = table.place(panel, control)
    c.draw(_cut(images[table.slice(slice_id).item], table, slice_id, index), p.left, p.top + dy)


def _expanded(table, images):
    main = images["Main"]
    play_list = images["MainPlayList"]
    c = Canvas(275, 116 + 120, PANEL)
    c.draw(main, 0, 0)
    places = [("btClose", "titlebuttons.Close", 0), ("btMute", "Mute.Mute", 0), ("vbVolume", "Volume.Track", 20),
              ("vbPan", "Balance.Track", 14), ("iaMono", "MonoSter.Mono", 1), ("iaStereo", "MonoSter.Stereo", 0),
              ("PosBar", "posbar.Track", 0), ("btPrev", "CButtons.Previous", 0), ("btPlay", "CButtons.Play", 3),
              ("btStop", "CButtons.Stop", 0), ("btNext", "CButtons.Next", 2), ("btOpen", "CButtons.Open", 0),
              ("btMyMedia", "CButtons.MyMedia", 0), ("btShuffle", "ShufRep.Shuffle", 3),
              ("btRepeat", "ShufRep.Repeat", 0), ("btAudioSettings", "AudioSettings.Button", 0)]
    for control, slice_id, index in places:
        _place(c, table, images, "Main.Panel", control, slice_id, index)
    volume = table.place("Main.Panel", "vbVolume")
    c.draw(_cut(images["Volume"], table, "Volume.Thumb"), volume.left + 7 + 20 * 54 // 27 - 7, volume.top)
    balance = table.place("Main.Panel", "vbPan")
    c.draw(_cut(images["Balance"], table, "Balance.Thumb"), balance.left + 27, balance.top)
    bar = table.place("Main.Panel", "PosBar")
    c.draw(_cut(images["posbar"], table, "posbar.Thumb"), bar.left + 80, bar.top)
    pt = table.place("Main.Panel", "PT")
    well = _cut(images["PlayTime"], table, "PlayTime.Well")
    c.draw(well, pt.left + pt.width - well.width, pt.top)
    c.draw(_cut(images["Playpaus"], table, "Playpaus.State", 0), pt.left + 6, pt.top + 4)
    panel_time = table.play_time("Panel")
    left = pt.left + pt.width - (4 * 9 + panel_time.s2) - panel_time.border_right
    for i, d in enumerate((0, 3, 2, 7)):
        c.draw(_cut(images["Numbers"], table, "Numbers.Digits", d), left, pt.top + 2)
        left += 9 + (0, panel_time.s2, 0, 0)[i]
    sa = table.place("Main.Panel", "SA")
    palette = images["Palettes"]
    for i in range(sa.width):
        level = int(sa.height * (0.9 - 0.8 * (i / sa.width)) * (0.6 + 0.4 * ((i * 7) % 5) / 5))
        for y in range(level):
            colour = palette.get(3 + min(19, y * 20 // sa.height), 0)
            c.put(sa.left + i, sa.top + sa.height - 1 - (level - 1 - y), colour)
    c.text(table.place("Main.Panel", "Caption").left, 4, "ARTIST - TITLE", rgb("#E6EBF0"), drawings.SMALL)
    c.text(table.place("Main.Panel", "lBitRate").left + 5, 26, "128", rgb("#8DE8DA"), drawings.SMALL)
    c.text(table.place("Main.Panel", "lSampleRate").left, 26, "44", rgb("#8DE8DA"), drawings.SMALL)

    # The playlist panel, stretched to 135 pixels and overlapping the main panel by 15.
    top = 101
    stretch = table.stretch("MainPlayList.Panel")
    height = 135
    for y in range(height):
        if y < stretch.top:
            sy = y
        elif y >= height - stretch.bottom:
            sy = 116 - (height - y)
        else:
            sy = stretch.top
        for x in range(275):
            c.put(x, top + y, play_list.get(x, sy))
    rows = images["PlayList"]
    box = table.place("MainPlayList.Panel", "PlayList")
    for r, kind in enumerate((1, 3, 2, 1, 1, 1)):
        for y in range(12):
            sy = 0 if y == 0 else 9 if y == 11 else 5
            for x in range(box.width):
                sx = x if x < 10 else 49 - (box.width - x) + 1 if x >= box.width - 10 else 25
                c.put(box.left + x, top + box.top + r * 12 + y, rows.get(sx, kind * 10 + sy))
        colour = rows.get(50, 2 if kind == 3 else 1 if kind == 2 else 0)
        c.text(box.left + 6, top + box.top + r * 12 + 3, f"{r + 1}. TRACK NAME", colour, drawings.SMALL)
    scroll = table.place("MainPlayList.Panel", "ssPLScrollbar")
    for y in range(box.height):
        sy = y if y < 4 else 39 - (box.height - y) + 1 if y >= box.height - 4 else 20
        for x in range(8):
            c.blend(scroll.left + x, top + scroll.top + y, images["scroll"].get(x, sy))
    c.draw(_cut(images["scroll"], table, "scroll.Thumb"), scroll.left, top + scroll.top + 4)
    for control, slice_id in (("btAdd", "PlayListButtons.Add"), ("btDel", "PlayListButtons.Delete")):
        p = table.place("MainPlayList.Panel", control)
        c.draw(_cut(images["PlayListButtons"], table, slice_id), p.left, top + p.top + height - 116)
    return c


def _info(table, images):
    c = Canvas(190, 44)
    c.draw(images["InfoMain"], 0, 0)
    pt = table.place("InfoMain.Panel", "PT")
    well = _cut(images["PlayTime"], table, "PlayTime.Well")
    c.draw(well, pt.left + pt.width - well.width, pt.top)
    c.draw(_cut(images["Playpaus"], table, "Playpaus.State", 1), pt.left + 6, pt.top + 4)
    c.text(table.place("InfoMain.Panel", "lCaption").left, 9, "ARTIST - TITLE", rgb("#E6EBF0"), drawings.SMALL)
    return c


def _audio(table, images, page):
    c = Canvas(252, 96)
    c.draw(images["PAudioSettings"], 0, 0)
    tabs = (("btEqualizer", "ASButtons.Equalizer"), ("btCrossfading", "ASButtons.Crossfading"))
    for i, (control, slice_id) in enumerate(tabs):
        selected = (i == 0) == (page == "eq")
        _place(c, table, images, "PAudioSettings.Panel", control, slice_id, 3 if selected else 0)
    _place(c, table, images, "PAudioSettings.Panel", "btClose", "ASButtons.Close")
    origin = table.place("PAudioSettings.Panel", "Page")
    if page == "eq":
        p = Canvas(252, 75)
        p.draw(images["PEqualizer"], 0, 0)
        _place(p, table, images, "PEqualizer.Panel", "btEqActive", "EqButtons.Active", 3)
        _place(p, table, images, "PEqualizer.Panel", "btEqPresets", "EqButtons.Presets", 0)
        _place(p, table, images, "PEqualizer.Panel", "sEqAmp", "EqButtons.Up")
        _place(p, table, images, "PEqualizer.Panel", "sEqAmp", "EqButtons.Down", 0, 10)
        _place(p, table, images, "PEqualizer.Panel", "sEqEmp", "EqButtons.Up")
        _place(p, table, images, "PEqualizer.Panel", "sEqEmp", "EqButtons.Down", 0, 10)
        for band in range(10):
            value = (0.46, 0.44, 0.305, 0.125, 0, 0, 0.05, 0.265, 0.44, 0.46)[band]
            index = round(27 * (value + 1) / 2)
            _place(p, table, images, "PEqualizer.Panel", f"vbEq{band + 1}", "EqSlider.Track", index)
            slot = table.place("PEqualizer.Panel", f"vbEq{band + 1}")
            p.draw(_cut(images["EqSlider"], table, "EqSlider.Thumb"), slot.left,
                   slot.top + slot.height - 14 - round(index * (slot.height - 14) / 27))
    else:
        p = Canvas(252, 75)
        p.draw(images["PCrossfading"], 0, 0)
        for i, (control, slice_id) in enumerate((("btCFActive", "CFButtons.Crossfading"),
                                                 ("btUPActive", "CFButtons.Continuous"),
                                                 ("btSNActive", "CFButtons.Smooth"))):
            _place(p, table, images, "PCrossfading.Panel", control, slice_id, 3 if i != 1 else 0)
        for control, index in (("sCFDuration", 9), ("sCFAdvance", 5), ("sUPAdvance", 0), ("sSNDuration", 14)):
            _place(p, table, images, "PCrossfading.Panel", control, "CFSlider.Track", index)
    c.draw(p, origin.left, origin.top)
    return c


def _video_settings(table, images):
    c = Canvas(165, 67)
    c.draw(images["PVideoSettings"], 0, 0)
    for control in ("ssBrightness", "ssContrast", "ssHue", "ssSaturation"):
        _place(c, table, images, "PVideoSettings.Panel", control, "VSSlider.Track", 14)
        p = table.place("PVideoSettings.Panel", control)
        c.draw(_cut(images["VSSlider"], table, "VSSlider.Thumb"), p.left + 27, p.top)
    _place(c, table, images, "PVideoSettings.Panel", "btVSReset", "VSButtons.Reset")
    _place(c, table, images, "PVideoSettings.Panel", "btVSClose", "VSButtons.Close")
    return c


def _masked(canvas, table, mask_item):
    """The window as its mask shapes it (the corners cut)."""
    spec = table.item(mask_item)
    out = Canvas(canvas.width, canvas.height)
    m = drawings.mask(table, mask_item)
    for y in range(canvas.height):
        for x in range(canvas.width):
            mx = x if x < 8 or spec.width == canvas.width else spec.width - (canvas.width - x) if \
                x >= canvas.width - 8 else 8
            my = y if y < 8 or spec.height == canvas.height else spec.height - (canvas.height - y) if \
                y >= canvas.height - 8 else 8
            if m.get(mx, my)[0] > 0:
                out.put(x, y, canvas.get(x, y))
    return out


def write(folder):
    folder = pathlib.Path(folder)
    folder.mkdir(parents=True, exist_ok=True)
    table = Table()
    images = {item.name: drawings.IMAGES[item.name](table) for item in table.items if item.file}
    for name, canvas in images.items():
        scale = 4 if canvas.width * canvas.height < 20000 else 2
        (folder / f"{name}.png").write_bytes(imagefiles.png(canvas, scale, _checker))
    for name, backdrop, light in (("strip-dark", DARK_TASKBAR, False), ("strip-light", LIGHT_TASKBAR, True)):
        (folder / f"{name}.png").write_bytes(imagefiles.png(_strip(table, images, backdrop, light), 4))
    desktop = (64, 78, 96)
    views = {"expanded": _masked(_expanded(table, images), table, "Main.mask"),
             "info": _masked(_info(table, images), table, "InfoMain.mask"),
             "audio-eq": _masked(_audio(table, images, "eq"), table, "PAudioSettings.mask"),
             "audio-crossfade": _masked(_audio(table, images, "cf"), table, "PAudioSettings.mask"),
             "video-settings": _masked(_video_settings(table, images), table, "PVideoSettings.mask")}
    for name, canvas in views.items():
        (folder / f"{name}.png").write_bytes(imagefiles.png(canvas, 3, lambda x, y: desktop))
    for name, canvas in resources.previews():
        (folder / f"{name}.png").write_bytes(imagefiles.png(canvas, 4, lambda x, y: desktop))
