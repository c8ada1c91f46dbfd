#!/usr/bin/env python3
"""Program files for the tests of the skin package trailer, made at build time: a tiny PE32 and PE32+ program
(linked by mingw-w64), each plain, with a package appended behind the "XCAB" trailer, and signed afterwards with a
throw-away certificate (osslsigncode), plus files whose trailer must not be believed. Also the fuzzing seeds.

usage: make_program_files.py OUTDIR
"""
import os
import pathlib
import struct
import subprocess
import sys
import tempfile

COMPILERS = {"pe32": "i686-w64-mingw32-gcc", "pe32plus": "x86_64-w64-mingw32-gcc"}
PINNED_TIME = 946684800  # 2000-01-01: the cabinet's file times, so that it is the same in every build


def run(*command, **kw):
    subprocess.run(command, check=True, stdout=subprocess.DEVNULL, **kw)


def trailer(size):
    return b"XCAB" + struct.pack("<I", size)


def cabinet(work, name, content, compress=True):
    """A one-entry cabinet made by gcab."""
    entry = work / name
    entry.write_bytes(content)
    os.utime(entry, (PINNED_TIME, PINNED_TIME))
    cab = work / (name + ".cab")
    run("gcab", "--create", *(["--zip"] if compress else []), "--nopath", str(cab), str(entry))
    return cab.read_bytes()


def sign(work, program, out):
    key, cert = work / "key.pem", work / "cert.pem"
    if not key.exists():
        run("openssl", "req", "-x509", "-newkey", "rsa:2048", "-nodes", "-keyout", str(key), "-out", str(cert),
            "-subj", "/CN=Norvale test signer", "-days", "3650", stderr=subprocess.DEVNULL)
    unsigned = work / "unsigned.exe"
    unsigned.write_bytes(program)
    out.unlink(missing_ok=True)
    run("osslsigncode", "sign", "-certs", str(cert), "-key", str(key), "-in", str(unsigned), "-out", str(out))


def main():
    out = pathlib.Path(sys.argv[1])
    out.mkdir(parents=True, exist_ok=True)
    with tempfile.TemporaryDirectory() as tmp:
        work = pathlib.Path(tmp)
        source = work / "tiny.c"
        source.write_text("int main(void) { return 0; }\n")
        # An odd size, so that signing pads between the trailer and the certificate table.
        package = cabinet(work, "readme.txt", b"A skin package of one entry.\r\n")
        if len(package) % 8 == 0:
            package = cabinet(work, "readme.txt", b"A skin package of one entry!\r\n\r\n")
        # Uncompressed, so that the cabinet's last bytes are the entry's: an "XCAB" with a size that points nowhere.
        decoy = cabinet(work, "decoy.txt", b"....XCAB" + struct.pack("<I", 0x7FFFFFFF), compress=False)
        for kind, compiler in COMPILERS.items():
            exe = work / (kind + ".exe")
            run(compiler, "-O2", "-s", "-o", str(exe), str(source))
            program = exe.read_bytes()
            packaged = program + package + trailer(len(package))
            (out / f"{kind}-plain.exe").write_bytes(program)
            (out / f"{kind}-packaged.exe").write_bytes(packaged)
            sign(work, packaged, out / f"{kind}-packaged-signed.exe")
            sign(work, program, out / f"{kind}-signed.exe")
            # The size field lies partly past the end.
            (out / f"{kind}-trailer-cut.exe").write_bytes(program + package + trailer(len(package))[:6])
            # The size points before the start of the file.
            (out / f"{kind}-size-before-start.exe").write_bytes(
                program + package + trailer(len(program) + len(package) + 1))
            # The size points at bytes that are not a cabinet.
            (out / f"{kind}-not-a-cabinet.exe").write_bytes(program + b"\0" * 100 + trailer(100))
            (out / f"{kind}-decoy.exe").write_bytes(program + decoy + trailer(len(decoy)))
        # What the tests expect to find behind the programs.
        (out / "package.cab").write_bytes(package)
        (out / "decoy.cab").write_bytes(decoy)


if __name__ == "__main__":
    main()
