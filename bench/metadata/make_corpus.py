#!/usr/bin/env python3
"""Makes the tag benchmark's corpus in OUTDIR: COUNT files (default 2,000), about two thirds MP3 and one third Ogg
Vorbis, tagged the way common taggers tag: ID3v2.3 in Latin-1 or UTF-16, ID3v2.4 in UTF-8, some ID3v2.2, ID3v1
alone or after an ID3v2 tag, untagged files, padding, cover art; Vorbis comments with and without a picture.
The audio is pink noise (which encodes at rates close to music's) from a few lame and oggenc runs; every file gets
its own tags. The same COUNT always gives the same files."""

import base64
import os
import random
import sys
import tempfile

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', '..', 'tests', 'metadata',
                                'fixtures'))
from mediabytes import (comment, frame, id3v1, id3v2, lame, oggenc, read, run, text, vorbis_comments,  # noqa: E402
                        with_comment_header, write)

WORDS = ['Night', 'River', 'Glass', 'Echo', 'Summer', 'Static', 'Golden', 'Ghost', 'Paper', 'Signal', 'Winter',
         'Velvet', 'Silver', 'Storm', 'Garden', 'Neon', 'Ocean', 'Hollow', 'Satellite', 'Fever']
ACCENTED = ['Caf\u00e9', 'Se\u00f1or', 'M\u00fcller', 'Ni\u00f1a', '\u00c9t\u00e9', 'Bj\u00f6rk']
FOREIGN = ['\u041f\u0435\u0441\u043d\u044f', '\u6771\u4eac', '\u039f\u03b4\u03cc\u03c2', '\uc11c\uc6b8']
GENRES = ['Rock', 'Pop', 'Jazz', 'Electronic', 'Classical', 'Hip-Hop', 'Folk', 'Ambient']
GENRE_NUMBERS = {'Rock': 17, 'Pop': 13, 'Jazz': 8, 'Electronic': 52, 'Classical': 32, 'Hip-Hop': 7, 'Folk': 80,
                 'Ambient': 26}


def noise(path, seconds, rate=44100, channels=2):
    run('sox', '-R', '-n', '-r', str(rate), '-c', str(channels), '-b', '16', path, 'synth', str(seconds),
        'pinknoise', 'vol', '0.4')


def encode_audio(work):
    """The encoded audio files are built from: (name, bytes)."""
    mp3, ogg = [], []
    for seconds in (5, 9):
        noise(f'{work}/s{seconds}.wav', seconds)
        noise(f'{work}/m{seconds}.wav', seconds, channels=1)
        noise(f'{work}/l{seconds}.wav', seconds, rate=22050)
        for name, source, options in [
                ('cbr128', 's', ['-b', '128']), ('cbr192', 's', ['-b', '192']), ('cbr320', 's', ['-b', '320']),
                ('cbr128raw', 's', ['-b', '128', '-t']), ('v0', 's', ['-V', '0']), ('v2', 's', ['-V', '2']),
                ('v5', 's', ['-V', '5']), ('mono', 'm', ['-V', '4']), ('lsf', 'l', ['-V', '6'])]:
            lame(f'{work}/{source}{seconds}.wav', f'{work}/{name}{seconds}.mp3', *options)
            mp3.append(read(f'{work}/{name}{seconds}.mp3'))
        for name, source, options in [('q2', 's', ['-q', '2']), ('q5', 's', ['-q', '5']), ('q8', 's', ['-q', '8']),
                                      ('oggmono', 'm', ['-q', '4']), ('ogg22', 'l', ['-q', '3'])]:
            oggenc(f'{work}/{source}{seconds}.wav', f'{work}/{name}{seconds}.ogg', *options)
            ogg.append(read(f'{work}/{name}{seconds}.ogg'))
    return mp3, ogg


def words(rng, count):
    pool = WORDS if rng.random() < 0.8 else WORDS + ACCENTED + FOREIGN
    return ' '.join(rng.choice(pool) for _ in range(count))


def fields(rng, index):
    return {
        'title': words(rng, rng.randint(1, 4)),
        'artist': words(rng, rng.randint(1, 2)),
        'album': words(rng, rng.randint(1, 3)),
        'track': rng.randint(1, 16),
        'tracks': rng.randint(16, 20),
        'year': str(rng.randint(1960, 2023)),
        'genre': rng.choice(GENRES),
        'comment': rng.choice(['', 'Ripped from CD', f'Corpus file {index}']),
    }


def picture(rng):
    return bytes(rng.getrandbits(8) for _ in range(rng.choice([20_000, 60_000, 150_000])))


def id3v2_tag(rng, f, version):
    def single_byte_or_utf16(value):
        if version == 4:
            return text(value, 3)
        try:
            return text(value.encode('latin-1'))
        except UnicodeEncodeError:
            return text(value, 1)
    genre = rng.choice([f['genre'], f"({GENRE_NUMBERS[f['genre']]})", f"({GENRE_NUMBERS[f['genre']]}){f['genre']}"]) \
        if version < 4 else f['genre']
    ids = {2: ['TT2', 'TP1', 'TAL', 'TRK', 'TYE', 'TCO', 'COM'],
           3: ['TIT2', 'TPE1', 'TALB', 'TRCK', 'TYER', 'TCON', 'COMM'],
           4: ['TIT2', 'TPE1', 'TALB', 'TRCK', 'TDRC', 'TCON', 'COMM']}[version]
    frames = [frame(version, ids[0], single_byte_or_utf16(f['title'])),
              frame(version, ids[1], single_byte_or_utf16(f['artist'])),
              frame(version, ids[2], single_byte_or_utf16(f['album'])),
              frame(version, ids[3], text(f"{f['track']}/{f['tracks']}")),
              frame(version, ids[4], text(f['year'])),
              frame(version, ids[5], text(genre))]
    if f['comment']:
        frames.append(frame(version, ids[6], comment(f['comment'])))
    if version > 2 and rng.random() < 0.15:
        frames.append(frame(version, 'APIC', b'\x00image/jpeg\x00\x03\x00' + picture(rng)))
    return id3v2(version, frames, padding=rng.choice([0, 256, 1024, 2048, 4096]))


def id3v1_tag(f):
    def latin(value):
        return value.encode('latin-1', 'replace')
    return id3v1(latin(f['title']), latin(f['artist']), latin(f['album']), f['year'],
                 latin(f['comment']), genre=GENRE_NUMBERS[f['genre']], track=f['track'])


def mp3_file(rng, audio, f):
    kind = rng.choices(['v23', 'v23+v1', 'v24', 'v22', 'v1', 'none'], [45, 15, 20, 5, 10, 5])[0]
    head = id3v2_tag(rng, f, {'v23': 3, 'v23+v1': 3, 'v24': 4, 'v22': 2}[kind]) if kind[:2] == 'v2' else b''
    tail = id3v1_tag(f) if kind in ('v23+v1', 'v1') else b''
    return head + audio + tail


def ogg_file(rng, audio, f):
    comments = [f"TITLE={f['title']}", f"ARTIST={f['artist']}", f"ALBUM={f['album']}",
                f"TRACKNUMBER={f['track']}", f"DATE={f['year']}", f"GENRE={f['genre']}"]
    if f['comment']:
        comments.append(f"COMMENT={f['comment']}")
    if rng.random() < 0.1:
        comments.append('METADATA_BLOCK_PICTURE=' + base64.b64encode(picture(rng)).decode())
    rng.shuffle(comments)
    return with_comment_header(audio, vorbis_comments('Xiph.Org libVorbis I 20200704 (Reducing Environment)',
                                                      comments))


def main():
    out = sys.argv[1]
    count = int(sys.argv[2]) if len(sys.argv) > 2 else 2000
    rng = random.Random(4)
    with tempfile.TemporaryDirectory() as work:
        mp3, ogg = encode_audio(work)
    for i in range(count):
        f = fields(rng, i)
        if i % 3 == 2:
            write(os.path.join(out, f'{i:05d}.ogg'), ogg_file(rng, rng.choice(ogg), f))
        else:
            write(os.path.join(out, f'{i:05d}.mp3'), mp3_file(rng, rng.choice(mp3), f))


if __name__ == '__main__':
    main()
