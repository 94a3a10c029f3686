#!/usr/bin/env python3
"""Makes the fixtures of the repair tests in <out>/repair.

  make_repair_fixtures.py <out> <wxs> <installer exe> <register dll>

nested.7z     nested folders, a read-only file, an empty folder; its tree stays in nested/
unsafe.7z     items whose names leave the destination or name a device, between ordinary ones
truncated.7z  nested.7z cut short
corrupt.7z    nested.7z with bytes of its packed data changed: a data error of the decoder
huge.7z       one stored item that declares 2^62 bytes (written here: 7zz cannot make it)
vcredist.7z   "vcredist.msi" (wixl, from the .wxs) that installs a marker file
dlls.7z       the registering test DLL under three names, one of them in a sub-folder
zentest_setup.exe, hash-sample.bin  with their SHA-256 in <name>.sha256
"""
import hashlib
import os
import shutil
import stat
import struct
import subprocess
import sys
import zlib


def run_7zz(args, cwd):
    subprocess.run(["7zz"] + args + ["-bso0", "-bsp0"], cwd=cwd, check=True)


def fresh_archive(path):
    if os.path.exists(path):
        os.remove(path)
    return path


def write(path, data):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as fh:
        fh.write(data)


def pseudo_random(count, seed):
    state, data = seed, bytearray()
    for _ in range(count):
        state = (state * 1103515245 + 12345) & 0x7FFFFFFF
        data.append(state >> 23)
    return bytes(data)


def make_nested(out):
    tree = os.path.join(out, "nested")
    if os.path.isdir(tree):
        for root, _, files in os.walk(tree):
            for name in files:
                os.chmod(os.path.join(root, name), 0o644)
        shutil.rmtree(tree)
    write(os.path.join(tree, "x64", "msvcp140.dll"), pseudo_random(150000, 7))
    write(os.path.join(tree, "docs", "guide", "notes.txt"), "运行库说明\r\n".encode("utf-8") * 50)
    write(os.path.join(tree, "readonly.txt"), b"stored read-only\r\n")
    os.chmod(os.path.join(tree, "readonly.txt"), stat.S_IRUSR | stat.S_IRGRP | stat.S_IROTH)
    os.makedirs(os.path.join(tree, "empty"))
    archive = fresh_archive(os.path.join(out, "nested.7z"))
    run_7zz(["a", "-mx=9", archive, "x64", "docs", "readonly.txt", "empty"], tree)
    return archive


def make_unsafe(out):
    work = os.path.join(out, "unsafe-src")
    shutil.rmtree(work, ignore_errors=True)
    names = ["a_first.txt", "b_parent.txt", "c_deep.txt", "d_rooted.txt", "e_drive.txt",
             "f_backslash.txt", "g_dots.txt", "g_device.txt", "g_device_dir.txt", "h_last.txt"]
    for name in names:
        write(os.path.join(work, name), ("contents of " + name + "\r\n").encode("ascii"))
    write(os.path.join(work, "keep", "inner.txt"), b"inner\r\n")
    archive = fresh_archive(os.path.join(out, "unsafe.7z"))
    run_7zz(["a", "-mx=1", archive] + names + ["keep"], work)
    renames = {
        "b_parent.txt": "../zentest_evil.dll",
        "c_deep.txt": "keep/../../zentest_evil_deep.dll",
        "d_rooted.txt": "/zentest_rooted.dll",
        "e_drive.txt": "C:/zentest_drive.dll",
        "f_backslash.txt": "keep\\..\\..\\zentest_evil_backslash.dll",
        "g_dots.txt": ".../zentest_evil_dots.dll",
        # Wine has no LPT1 on these machines, so writing it would fail and end the unpacking.
        "g_device.txt": "LPT1.dll",
        "g_device_dir.txt": "keep/lpt1 .txt/inner.dll",
    }
    for old, new in renames.items():
        run_7zz(["rn", archive, old, new], work)
    shutil.rmtree(work)


def make_truncated(out, nested):
    with open(nested, "rb") as fh:
        data = fh.read()
    write(os.path.join(out, "truncated.7z"), data[: len(data) * 3 // 5])


def make_corrupt(out, nested):
    with open(nested, "rb") as fh:
        data = bytearray(fh.read())
    # The packed streams follow the 32-byte start header; the catalogue stays intact.
    for offset in range(200, 400):
        data[offset] ^= 0x5A
    write(os.path.join(out, "corrupt.7z"), bytes(data))


def number(value):
    if value < 0x80:
        return bytes([value])
    return b"\xff" + struct.pack("<Q", value)


def make_huge(out):
    packed = b"tiny"
    name = "huge.bin".encode("utf-16-le") + b"\0\0"
    header = b"".join([
        b"\x01",                                             # header
        b"\x04",                                             # main streams
        b"\x06", number(0), number(1), b"\x09", number(len(packed)), b"\x00",
        b"\x07", b"\x0b", number(1), b"\x00",                # one folder, inline
        number(1), b"\x01\x00",                              # one coder: Copy
        b"\x0c", number(1 << 62), b"\x00",                   # its declared unpacked size
        b"\x08", b"\x00",                                    # one stream per folder
        b"\x00",
        b"\x05", number(1), b"\x11", number(len(name) + 1), b"\x00", name, b"\x00",
        b"\x00",
    ])
    tail = struct.pack("<QQI", len(packed), len(header), zlib.crc32(header))
    start = b"7z\xbc\xaf\x27\x1c\x00\x04" + struct.pack("<I", zlib.crc32(tail)) + tail
    write(os.path.join(out, "huge.7z"), start + packed + header)


def make_msi_package(out, wxs):
    work = os.path.join(out, "msi-src")
    shutil.rmtree(work, ignore_errors=True)
    write(os.path.join(work, "marker.txt"), b"installed by the repair test package\r\n")
    subprocess.run(["wixl", "-o", "vcredist.msi", wxs], cwd=work, check=True)
    archive = fresh_archive(os.path.join(out, "vcredist.7z"))
    run_7zz(["a", archive, "vcredist.msi"], work)
    shutil.rmtree(work)


def make_dll_package(out, dll):
    work = os.path.join(out, "dlls-src")
    shutil.rmtree(work, ignore_errors=True)
    os.makedirs(os.path.join(work, "x64"))
    for name in ["zentest_reg_a.dll", "zentest reg space.dll", os.path.join("x64", "zentest_reg_sub.dll")]:
        shutil.copyfile(dll, os.path.join(work, name))
    archive = fresh_archive(os.path.join(out, "dlls.7z"))
    run_7zz(["a", archive, "zentest_reg_a.dll", "zentest reg space.dll", "x64"], work)
    shutil.rmtree(work)
    shutil.copyfile(dll, os.path.join(out, "zentest_reg.dll"))


def with_digest(path, data):
    write(path, data)
    write(path + ".sha256", hashlib.sha256(data).hexdigest().encode("ascii"))


def main(out_root, wxs, installer, dll):
    out = os.path.join(out_root, "repair")
    os.makedirs(out, exist_ok=True)
    nested = make_nested(out)
    make_unsafe(out)
    make_truncated(out, nested)
    make_corrupt(out, nested)
    make_huge(out)
    make_msi_package(out, os.path.abspath(wxs))
    make_dll_package(out, dll)
    with open(installer, "rb") as fh:
        with_digest(os.path.join(out, "zentest_setup.exe"), fh.read())
    with_digest(os.path.join(out, "hash-sample.bin"), pseudo_random(300000, 99))
    write(os.path.join(out, "stamp"), b"")


if __name__ == "__main__":
    main(*sys.argv[1:5])
