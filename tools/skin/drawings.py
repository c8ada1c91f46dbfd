"""Every image of the default skin, drawn to the measures of the slicing table. One function per item, named in
IMAGES; each returns a canvas of the item's size."""
import icons
import look
from fonts import DIGITS, NARROW, SMALL
from look import (ACCENT, ACCENT_DIM, ACCENT_SOFT, BUTTON_HOT, CORAL, EDGE_DARK, EDGE_LIGHT, GLYPH, INK, PANEL,
                  PANEL_TOP, TEXT, TEXT_DIM, WELL, WHITE)
from raster import Canvas, mix, rgb, rounded_rect, text_width, with_alpha
from slicing import cell_rect, cells

SPECTRUM_GRID = rgb("#1E232A")
FIRE = [rgb("#FFF3D6"), rgb("#FFD166"), rgb("#FF9F43"), rgb("#F0603A"), rgb("#B83A3A")]
LEVELS = [rgb("#FF6B6B"), rgb("#FFD166"), rgb("#38C9B4"), rgb("#1E7A6E")]


def each_cell(table, slice_id, light=False):
    """(index, name, x, y, width, height) of every sub-image of a slice; of a cell that serves several states
    ("pushed/down"), the first names it."""
    s = table.slice(slice_id)
    for i, state in enumerate(cells(s)):
        x, y, w, h = cell_rect(s, i, light)
        yield i, state.split("/")[0], x, y, w, h


def opaque(table, item, colour=PANEL):
    spec = table.item(item)
    return Canvas(spec.width, spec.height, colour)


def clear(table, item):
    spec = table.item(item)
    return Canvas(spec.width, spec.height)


def centred_text(c, x, y, width, height, string, colour, font=SMALL):
    c.text(x + (width - text_width(string, font)) // 2, y + (height - len(font[string[0]])) // 2, string, colour, font)


# The spectrum's colours and the labels' palette.

def palettes(table):
    c = Canvas(23, 4, TEXT)
    head = [WELL, SPECTRUM_GRID, TEXT]
    for x in range(23):
        t = (x - 3) / 19
        c.put(x, 0, head[x] if x < 3 else look.gradient(FIRE, t))
        c.put(x, 1, head[x] if x < 3 else look.gradient(LEVELS, t))
    labels = {23: TEXT, 24: ACCENT_SOFT, 25: TEXT, 26: TEXT_DIM, 27: TEXT_DIM}
    for index, colour in labels.items():
        for y in (2, 3):
            c.put(index - 23, y, colour)
    return c


# The taskbar strip: dark and light variants, or chips that carry their own backdrop.

def play_time(table):
    c = clear(table, "PlayTime")
    s = table.slice("PlayTime.Well")
    colon_x, colon_top = colon_position(table)
    for light, well, ink in ((False, look.TRAY_WELL_DARK, look.TRAY_INK_DARK),
                             (True, look.TRAY_WELL_LIGHT, look.TRAY_INK_LIGHT)):
        x, y, w, h = cell_rect(s, 0, light)
        c.shape(rounded_rect(x + 0.5, y + 1, x + w - 0.5, y + h - 1, 4), well)
        for dy in (colon_top + 3, colon_top + 7):
            c.rect(x + colon_x, y + dy, x + colon_x + 2, y + dy + 2, ink)
    return c


def colon_position(table):
    """Where the colon goes in "PlayTime": in the gap between the digit pairs, the same for every play time that
    uses the image; and the top of the digits."""
    places = set()
    for p in table.playtimes:
        digits = table.slice(p.digits)
        well = table.slice(p.image)
        w = digits.width
        block = 4 * w + p.s1 + p.s2 + p.s3 + p.s4
        first = well.width - block - p.border_right
        gap = first + 2 * w + p.s1
        top = p.border_top + (well.height - p.border_top - p.border_bottom - digits.height) // 2
        places.add((gap + (p.s2 - 2) // 2, top))
    if len(places) != 1:
        raise ValueError(f"the play times put their colons in different places: {places}")
    return places.pop()


def digit_strip(table, slice_id, ink, shadow=None, light=False, c=None):
    for i, name, x, y, w, h in each_cell(table, slice_id, light):
        glyph = DIGITS["-" if name == "minus" else name]
        gx = x + (w - len(glyph[0])) // 2 + (0 if w % 2 else 0)
        gy = y + (h - len(glyph)) // 2
        if shadow:
            c.text(gx + 1, gy + 1, "-" if name == "minus" else name, shadow, DIGITS)
        c.text(gx, gy, "-" if name == "minus" else name, ink, DIGITS)
    return c


def tray_numbers(table):
    c = clear(table, "TrayNumbers")
    digit_strip(table, "TrayNumbers.Digits", look.TRAY_INK_DARK, with_alpha(rgb("#000000"), 0.35), False, c)
    digit_strip(table, "TrayNumbers.Digits", look.TRAY_INK_LIGHT, with_alpha(rgb("#FFFFFF"), 0.45), True, c)
    return c


def numbers(table):
    return digit_strip(table, "Numbers.Digits", ACCENT_SOFT, c=clear(table, "Numbers"))


TRANSPORT = {"Previous": icons.previous, "Play": icons.play, "Stop": icons.stop, "Next": icons.next_track,
             "Open": icons.eject, "MyMedia": icons.folder}


def transport_glyph(part, state):
    if part == "Play" and state in ("down", "pushedDown", "hotDown"):
        return icons.pause
    return TRANSPORT[part]


def tray_buttons(table):
    c = clear(table, "TrayButtons")
    for part in TRANSPORT:
        for i, state, x, y, w, h in each_cell(table, "TrayButtons." + part):
            look.chip(c, x, y, w, h, state)
            size = 9 if part != "MyMedia" else 10
            c.shape(transport_glyph(part, state)(x + w / 2, y + h / 2, size), look.chip_ink(state))
    return c


def sys_button(table):
    c = clear(table, "SysButton")
    for i, state, x, y, w, h in each_cell(table, "SysButton.Show"):
        look.chip(c, x, y, w, h, state)
        c.shape(icons.show_player(x + w / 2, y + h / 2, 10), look.chip_ink(state))
    return c


def minimize(table):
    c = clear(table, "Minimize")
    for light, ink in ((False, look.TRAY_INK_DARK), (True, look.TRAY_INK_LIGHT)):
        for i, state, x, y, w, h in each_cell(table, "Minimize.Grip", light):
            if state in ("hot", "hotDown"):
                c.shape(rounded_rect(x + 1, y + 1, x + w - 1, y + h - 1, 3), with_alpha(rgb("#808890"), 0.4))
            elif state in ("pushed", "pushedDown"):
                c.shape(rounded_rect(x + 1, y + 1, x + w - 1, y + h - 1, 3), look.CHIP_PUSHED)
            glyph_ink = INK if state in ("pushed", "pushedDown") else ink
            direction = "right" if state in ("down", "pushedDown", "hotDown") else "left"
            c.shape(icons.chevron(x + w / 2, y + h / 2, 6, direction), glyph_ink)
    return c


def mute_button(table, item, backdrop, ink_for, size):
    """A speaker with its waves, or crossed out in coral while muted (the down states)."""
    c = clear(table, item)
    for i, state, x, y, w, h in each_cell(table, item + ".Mute"):
        backdrop(c, x, y, w, h, state)
        ink = ink_for(state)
        cx, cy = x + w / 2 - size * 0.2, y + h / 2
        c.shape(icons.speaker(cx, cy, size), ink)
        if state in ("down", "pushedDown", "hotDown"):
            c.shape(icons.cross(cx + size * 0.58, cy, size * 0.42, 1.4), CORAL if ink != INK else INK)
        else:
            c.shape(icons.sound_waves(cx, cy, size), ink)
    return c


def mute_tray(table):
    return mute_button(table, "MuteTray", look.chip, look.chip_ink, 10)


# The expanded player.

def main(table):
    spec = table.item("Main")
    c = look.panel(spec.width, spec.height, (True, True, False, False), top_band=16)
    c.shape(rounded_rect(5, 3, 15, 13, 2.5), ACCENT)
    c.shape(icons.wave_mark(10, 8, 10), INK)
    well = table.place("Main.Panel", "DisplayWell")
    look.well(c, well.left, well.top, well.width, well.height, 4)
    units(c, table.place("Main.Panel", "lBitRate"), "KBPS")
    units(c, table.place("Main.Panel", "lSampleRate"), "KHZ")
    return c


def units(c, place, word):
    c.text(place.left + place.width + 2, place.top + (place.height - 7) // 2, word, TEXT_DIM, NARROW)


def main_lc(table):
    spec = table.item("MainLC")
    return look.panel(spec.width, spec.height, (False, False, True, True))


def title_buttons(table):
    c = opaque(table, "titlebuttons", PANEL_TOP)
    for i, state, x, y, w, h in each_cell(table, "titlebuttons.Close"):
        if state == "hot":
            c.shape(rounded_rect(x + 6, y + 1, x + w - 6, y + h - 1, 3), mix(CORAL, PANEL_TOP, 0.25))
        elif state == "pushed":
            c.shape(rounded_rect(x + 6, y + 1, x + w - 6, y + h - 1, 3), mix(CORAL, INK, 0.3))
        c.shape(icons.cross(x + w / 2, y + h / 2, 6, 1.5), WHITE if state != "up" else GLYPH)
    return c


def c_buttons(table):
    c = opaque(table, "CButtons")
    for part in TRANSPORT:
        for i, state, x, y, w, h in each_cell(table, "CButtons." + part):
            look.face(c, x, y, w, h, state)
            size = 9 if part != "MyMedia" else 10
            c.shape(transport_glyph(part, state)(x + w / 2, y + h / 2, size), look.ink_for(state, ACCENT))
    return c


def playpaus(table):
    c = clear(table, "Playpaus")
    state_icons = {"playing": icons.play, "paused": icons.pause, "stopped": icons.stop}
    for light, ink in ((False, look.TRAY_INK_DARK), (True, look.TRAY_INK_LIGHT)):
        for i, name, x, y, w, h in each_cell(table, "Playpaus.State", light):
            colour = ACCENT if name == "playing" else ink
            c.shape(state_icons[name](x + w / 2, y + h / 2, 7.5), colour)
        for i, name, x, y, w, h in each_cell(table, "Playpaus.Position", light):
            colour = ACCENT if name == "nextPrepared" else with_alpha(ink, 0.7)
            c.shape(rounded_rect(x, y + 1, x + 2, y + h - 1, 1), colour)
    return c


def posbar(table):
    c = clear(table, "posbar")
    x, y, w, h = cell_rect(table.slice("posbar.Track"), 0)
    look.lane(c, x + 1, y, w - 2, h, thickness=4)
    for i, state, x, y, w, h in each_cell(table, "posbar.Thumb"):
        look.thumb(c, x, y + 1, w, h - 2, state == "down", round_knob=False)
    return c


def slider(table, item, centred, horizontal=True):
    """Track images that show the value: the groove filled from the start (or the centre) to where the thumb's
    middle stands for that sub-image, and the round thumb."""
    c = clear(table, item)
    thumb_slice = table.slice(item + ".Thumb")
    knob = thumb_slice.width if horizontal else thumb_slice.height
    track = table.slice(item + ".Track")
    for i, state, x, y, w, h in each_cell(table, item + ".Track"):
        t = i / (track.count - 1)
        if horizontal:
            look.lane(c, x + 2, y, w - 4, h, True, 4)
            top = y + (h - 4) / 2
            end = x + knob / 2 + t * (w - knob)
            start = x + w / 2 if centred else x + 2
            look.fill_lane(c, min(start, end), top, max(start, end), top + 4, ACCENT if not centred else ACCENT_SOFT)
            if centred:
                c.rect(x + w // 2, y + 3, x + w // 2 + 1, y + h - 3, with_alpha(TEXT_DIM, 0.6))
        else:
            look.lane(c, x, y + 2, w, h - 4, False, 4)
            left = x + (w - 4) / 2
            end = y + h - knob / 2 - t * (h - knob)
            start = y + h / 2
            look.fill_lane(c, left, min(start, end), left + 4, max(start, end), ACCENT)
            c.rect(x + 2, y + h // 2, x + w - 2, y + h // 2 + 1, with_alpha(TEXT_DIM, 0.6))
    for i, state, x, y, w, h in each_cell(table, item + ".Thumb"):
        look.thumb(c, x, y, w, h, state == "down")
    return c


def shuf_rep(table):
    c = clear(table, "ShufRep")
    for part, glyph in (("Shuffle", icons.shuffle), ("Repeat", icons.repeat)):
        for i, state, x, y, w, h in each_cell(table, "ShufRep." + part):
            on = state in ("down", "pushedDown", "hotDown")
            look.face(c, x, y, w, h, state, base=with_alpha(ACCENT_DIM, 0.55) if on else None)
            c.shape(glyph(x + w / 2, y + h / 2, 10), look.ink_for(state, ACCENT_SOFT))
    return c


def audio_settings(table):
    c = opaque(table, "AudioSettings")
    for i, state, x, y, w, h in each_cell(table, "AudioSettings.Button"):
        look.face(c, x, y, w, h, state)
        c.shape(icons.sliders(x + w / 2, y + h / 2, 10), look.ink_for(state))
    return c


def mono_ster(table):
    c = clear(table, "MonoSter")
    for part, word in (("Mono", "MONO"), ("Stereo", "STEREO")):
        for i, state, x, y, w, h in each_cell(table, "MonoSter." + part):
            colour = ACCENT if state == "on" else with_alpha(TEXT_DIM, 0.35)
            centred_text(c, x, y, w, h, word, colour, NARROW)
    return c


def mute(table):
    return mute_button(table, "Mute", look.face, look.ink_for, 9)


def main_play_list(table):
    spec = table.item("MainPlayList")
    c = look.panel(spec.width, spec.height, (False, False, True, True))
    well = table.place("MainPlayList.Panel", "PlayListWell")
    look.well(c, well.left, well.top, well.width, well.height, 4)
    return c


def play_list(table):
    c = opaque(table, "PlayList", WELL)
    for i, name, x, y, w, h in each_cell(table, "PlayList.Rows"):
        if name == "selected":
            c.shape(rounded_rect(x + 1, y, x + w - 1, y + h, 3), rgb("#24423F"))
        elif name == "current":
            c.shape(rounded_rect(x + 1, y, x + w - 1, y + h, 3), rgb("#18201F"))
            c.shape(rounded_rect(x + 2, y + 1, x + 4, y + h - 1, 1), ACCENT)
        elif name == "dropTarget":
            c.rect(x + 2, y, x + w - 2, y + 2, ACCENT)
    s = table.slice("PlayList.Rows")
    for row, colour in enumerate((rgb("#D2D9E0"), WHITE, ACCENT_SOFT, rgb("#C4F5EC"))):
        c.put(s.left + s.width, s.top + row, colour)
    return c


def small_buttons(table, item, parts, background=PANEL):
    c = opaque(table, item, background)
    for part, glyph, size in parts:
        for i, state, x, y, w, h in each_cell(table, f"{item}.{part}"):
            look.face(c, x, y, w, h, state, radius=2)
            c.shape(glyph(x + w / 2, y + h / 2, size), look.ink_for(state))
    return c


def play_list_buttons(table):
    return small_buttons(table, "PlayListButtons", (("Add", icons.plus, 7), ("Delete", icons.minus, 7)))


def scroll(table):
    c = clear(table, "scroll")
    x, y, w, h = cell_rect(table.slice("scroll.Track"), 0)
    look.lane(c, x, y, w, h, horizontal=False, thickness=4)
    for i, state, x, y, w, h in each_cell(table, "scroll.Thumb"):
        c.shape(rounded_rect(x + 1, y + 1, x + w - 1, y + h - 1, 3), ACCENT if state == "down" else
                with_alpha(GLYPH, 0.75))
    for part, direction in (("Up", "up"), ("Down", "down")):
        for i, state, x, y, w, h in each_cell(table, "scroll." + part):
            c.shape(icons.triangle(x + w / 2, y + h / 2, 6, direction), ACCENT if state == "down" else GLYPH)
    return c


def main_video(table):
    spec = table.item("MainVideo")
    c = look.panel(spec.width, spec.height, (False, False, False, False))
    video = table.place("MainVideo.Panel", "Video")
    c.text(video.left + 2, 7, "VIDEO", TEXT_DIM, NARROW)
    c.replace(video.left - 1, video.top - 1, video.left + video.width + 1, video.top + video.height + 1, EDGE_DARK)
    c.replace(video.left, video.top, video.left + video.width, video.top + video.height, rgb("#000000"))
    return c


def p_video_buttons(table):
    return opaque(table, "PVideoButtons")


def video_buttons(table):
    return small_buttons(table, "VideoButtons", (("FullScreen", icons.full_screen, 7), ("Settings", icons.sliders, 8)))


def p_video_settings(table):
    spec = table.item("PVideoSettings")
    c = look.panel(spec.width, spec.height, top_band=17)
    c.text(7, 5, "VIDEO", TEXT_DIM, NARROW)
    marks = {"ssBrightness": icons.sun, "ssContrast": icons.contrast, "ssHue": icons.hue_ring,
             "ssSaturation": icons.drop}
    for control, glyph in marks.items():
        p = table.place("PVideoSettings.Panel", control)
        cx, cy = p.left - 7, p.top + p.height / 2
        if control == "ssHue":
            hue_wheel(c, cx, cy, 10)
        else:
            c.shape(glyph(cx, cy, 10), GLYPH)
    return c


def hue_wheel(c, cx, cy, size):
    """A ring of the hues, the hue slider's mark."""
    import colorsys
    from raster import arc
    for k in range(12):
        r, g, b = colorsys.hsv_to_rgb(k / 12, 0.65, 0.95)
        start = k * 30 - 90
        c.shape(arc(cx, cy, 0.34 * size, start, start + 30, 0.22 * size, steps=4), (r * 255, g * 255, b * 255, 1.0))


def vs_buttons(table):
    return small_buttons(table, "VSButtons", (("Reset", icons.reset, 8), ("Close", lambda x, y, s: icons.cross(
        x, y, s, 1.4), 5)), background=PANEL_TOP)


def info_main(table):
    spec = table.item("InfoMain")
    c = look.panel(spec.width, spec.height)
    sa = table.place("InfoMain.Panel", "SA")
    look.well(c, sa.left - 1, sa.top - 1, sa.width + 2, sa.height + 2, 2)
    units(c, table.place("InfoMain.Panel", "lBitRate"), "KBPS")
    units(c, table.place("InfoMain.Panel", "lSampleRate"), "KHZ")
    return c


def p_audio_settings(table):
    spec = table.item("PAudioSettings")
    page = table.place("PAudioSettings.Panel", "Page")
    return look.panel(spec.width, spec.height, top_band=page.top - 1)


def as_buttons(table):
    c = opaque(table, "ASButtons", PANEL_TOP)
    for part, word in (("Equalizer", "EQUALIZER"), ("Crossfading", "CROSSFADING")):
        for i, state, x, y, w, h in each_cell(table, "ASButtons." + part):
            colour = TEXT_DIM
            if state == "down":
                c.shape(rounded_rect(x + 1, y + 1, x + w - 1, y + h + 3, 3), PANEL)
                c.rect(x + 8, y + h - 2, x + w - 8, y + h, ACCENT)
                colour = WHITE
            elif state == "hot":
                c.shape(rounded_rect(x + 1, y + 1, x + w - 1, y + h - 1, 3), BUTTON_HOT)
                colour = TEXT
            elif state == "pushed":
                c.shape(rounded_rect(x + 1, y + 1, x + w - 1, y + h - 1, 3), ACCENT)
                colour = INK
            centred_text(c, x, y - 1, w, h, word, colour, NARROW)
    for i, state, x, y, w, h in each_cell(table, "ASButtons.Close"):
        if state != "up":
            c.shape(rounded_rect(x, y, x + w, y + h, 2), mix(CORAL, INK, 0.3 if state == "pushed" else 0.0))
        c.shape(icons.cross(x + w / 2, y + h / 2, 5, 1.4), WHITE if state != "up" else GLYPH)
    return c


def p_equalizer(table):
    c = opaque(table, "PEqualizer")
    first = table.place("PEqualizer.Panel", "vbEq1")
    last = table.place("PEqualizer.Panel", "vbEq10")
    knob = table.slice("EqSlider.Thumb").height
    for t in (0.0, 0.5, 1.0):
        y = int(first.top + knob / 2 + t * (first.height - knob))
        c.rect(first.left - 3, y, last.left + last.width + 3, y + 1, with_alpha(EDGE_LIGHT, 0.7 if t == 0.5 else 0.35))
    return c


def eq_buttons(table):
    c = opaque(table, "EqButtons")
    for i, state, x, y, w, h in each_cell(table, "EqButtons.Active"):
        look.switch(c, x, y, 22, h, state)
        on = state in ("down", "pushedDown", "hotDown")
        c.text(x + 24, y + 4, "EQ", ACCENT_SOFT if on else TEXT_DIM, NARROW)
    for i, state, x, y, w, h in each_cell(table, "EqButtons.Presets"):
        look.face(c, x, y, w, h, state, base=BUTTON_HOT if state == "up" else None)
        ink = INK if state == "pushed" else TEXT
        c.text(x + 3, y + 4, "PRESET", ink, NARROW)
        c.shape(icons.triangle(x + w - 4.5, y + h / 2 + 0.5, 4, "down"), ink)
    for part, direction in (("Up", "up"), ("Down", "down")):
        for i, state, x, y, w, h in each_cell(table, "EqButtons." + part):
            pushed = state == "down"
            look.face(c, x, y, w, h, "pushed" if pushed else "up", radius=2)
            c.shape(icons.triangle(x + w / 2, y + h / 2, 7, direction), INK if pushed else GLYPH)
    return c


def p_crossfading(table):
    c = opaque(table, "PCrossfading")
    rows = [("btCFActive", "CROSSFADE"), ("btUPActive", "CONTINUOUS"), ("btSNActive", "SMOOTH")]
    for control, word in rows:
        p = table.place("PCrossfading.Panel", control)
        c.text(p.left + p.width + 6, p.top + (p.height - 7) // 2, word, TEXT, SMALL)
    sliders = [("sCFDuration", "LENGTH"), ("sCFAdvance", "ADVANCE"), ("sUPAdvance", "ADVANCE"),
               ("sSNDuration", "LENGTH")]
    for control, word in sliders:
        p = table.place("PCrossfading.Panel", control)
        c.text(p.left - 6 - text_width(word, NARROW), p.top + (p.height - 7) // 2, word, TEXT_DIM, NARROW)
    for upper, lower in (("sCFAdvance", "btUPActive"), ("sUPAdvance", "btSNActive")):
        y = (table.place("PCrossfading.Panel", upper).top + 14 + table.place("PCrossfading.Panel", lower).top) // 2
        c.rect(6, y, c.width - 6, y + 1, with_alpha(EDGE_LIGHT, 0.45))
    return c


def cf_buttons(table):
    c = opaque(table, "CFButtons")
    for part in ("Crossfading", "Continuous", "Smooth"):
        for i, state, x, y, w, h in each_cell(table, "CFButtons." + part):
            look.switch(c, x, y, w, h, state)
    return c


def full_screen_controls(table):
    c = opaque(table, "FullScreenControls", PANEL)
    display = table.slice("FullScreenControls.Display")
    settings = table.slice("FullScreenControls.VideoSettings")
    c.shape(rounded_rect(0, 0, display.width, display.height, 6), EDGE_DARK)
    look.well(c, 5, 3, display.width - 10, display.height - 6, 4)
    c.rect(settings.left, 6, settings.left + 1, settings.height - 6, with_alpha(EDGE_LIGHT, 0.6))
    for part, glyph in (("ExitFullScreen", icons.exit_full_screen), ("Reset", icons.reset)):
        for i, state, x, y, w, h in each_cell(table, "FullScreenControls." + part):
            look.face(c, x, y, w, h, state)
            c.shape(glyph(x + w / 2, y + h / 2, 9), look.ink_for(state))
    x = table.constants["kFullScreenLabelColourX"]
    top = table.constants["kFullScreenLabelColourTop"]
    for i in range(table.constants["kFullScreenLabelColourCount"]):
        c.put(x, top + i, TEXT if i == 0 else TEXT_DIM)
    return c


def mask(table, item):
    """White where the window is, black (cut) at the rounded corners; within the stretch insets when the mask is
    stretched."""
    spec = table.item(item)
    white, black = (255, 255, 255, 1.0), (0, 0, 0, 1.0)
    c = Canvas(spec.width, spec.height, white)
    r = look.RADIUS
    for y in range(spec.height):
        for x in range(spec.width):
            dx = max(r - (x + 0.5), (x + 0.5) - (spec.width - r), 0)
            dy = max(r - (y + 0.5), (y + 0.5) - (spec.height - r), 0)
            if dx > 0 and dy > 0 and dx * dx + dy * dy > r * r:
                c.put(x, y, black)
    return c


IMAGES = {
    "Palettes": palettes, "PlayTime": play_time, "TrayNumbers": tray_numbers, "TrayButtons": tray_buttons,
    "SysButton": sys_button, "Minimize": minimize, "MuteTray": mute_tray, "Main": main,
    "Main.mask": lambda t: mask(t, "Main.mask"), "MainLC": main_lc, "titlebuttons": title_buttons,
    "CButtons": c_buttons, "Numbers": numbers, "Playpaus": playpaus, "posbar": posbar,
    "Volume": lambda t: slider(t, "Volume", False), "Balance": lambda t: slider(t, "Balance", True),
    "ShufRep": shuf_rep, "AudioSettings": audio_settings, "MonoSter": mono_ster, "Mute": mute,
    "MainPlayList": main_play_list, "PlayList": play_list, "PlayListButtons": play_list_buttons, "scroll": scroll,
    "MainVideo": main_video, "PVideoButtons": p_video_buttons, "VideoButtons": video_buttons,
    "PVideoSettings": p_video_settings, "PVideoSettings.mask": lambda t: mask(t, "PVideoSettings.mask"),
    "VSSlider": lambda t: slider(t, "VSSlider", True), "VSButtons": vs_buttons, "InfoMain": info_main,
    "InfoMain.mask": lambda t: mask(t, "InfoMain.mask"), "PAudioSettings": p_audio_settings,
    "PAudioSettings.mask": lambda t: mask(t, "PAudioSettings.mask"), "ASButtons": as_buttons,
    "PEqualizer": p_equalizer, "EqButtons": eq_buttons, "EqSlider": lambda t: slider(t, "EqSlider", True, False),
    "PCrossfading": p_crossfading, "CFButtons": cf_buttons, "CFSlider": lambda t: slider(t, "CFSlider", False),
    "FullScreenControls": full_screen_controls,
}
