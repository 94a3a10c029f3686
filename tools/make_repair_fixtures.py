#!/usr/bin/env python3
"""Makes the fixtures of the repair tests in <out>/repair.

  make_repair_fixtures.py <out> <wxs> <installer exe> <register dll> <test PKI folder>

The MSI, the installer and the DLLs are signed by the test PKI's listed signer
(tools/make_test_pki.sh); the cases the signature check refuses are made beside them:

nested.7z     nested folders, a read-only file, an empty folder; its tree stays in nested/
unsafe.7z     items whose names leave the destination or name a device, between ordinary ones
truncated.7z  nested.7z cut short
corrupt.7z    nested.7z with bytes of its packed data changed: a data error of the decoder
huge.7z       one stored item that declares 2^62 bytes (written here: 7zz cannot make it)
vcredist.7z   "vcredist.msi" (wixl, from the .wxs) that installs a marker file
dlls.7z       the registering test DLL under three names, one of them in a sub-folder
zentest_setup.exe, hash-sample.bin  with their SHA-256 in <name>.sha256
setup_unsigned.exe, setup_tampered.exe (one byte of code changed after signing),
setup_untrusted_root.exe (its chain ends at a root no store holds), setup_unknown_issuer.exe
(no root at all: the signer's issuer is nowhere), setup_unlisted.exe  the installer refused
vcredist_unsigned.7z   the MSI unsigned
dlls_unsigned.7z, dlls_tampered.7z  one DLL each, "zentest_trust_unsigned.dll",
                       "zentest_trust_tampered.dll"
dlls_partly.7z         "zentest_trust_a.dll" signed beside "zentest_trust_b.dll" unsigned
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


def sign(path, pki, signer="signer", issuer=None):
    """Signs the file in place with the PKI's key of that name (osslsigncode, SHA-256); with an
    issuer, its certificate goes into the signature too, so the chain reaches that root."""
    signed = path + ".signed"
    certificates = os.path.join(pki, signer + ".pem")
    if issuer:
        chain = path + ".chain.pem"
        with open(chain, "wb") as out:
            for name in (signer, issuer):
                with open(os.path.join(pki, name + ".pem"), "rb") as fh:
                    out.write(fh.read())
        certificates = chain
    subprocess.run(["osslsigncode", "sign", "-certs", certificates,
                    "-key", os.path.join(pki, signer + ".key"), "-h", "sha256",
                    "-n", "Zentarium test package", "-in", path, "-out", signed],
                   check=True, stdout=subprocess.DEVNULL)
    os.replace(signed, path)
    if issuer:
        os.remove(certificates)


def change_code_byte(path):
    """Flips one bit inside the first code section of a PE file, as a tamperer patching it would."""
    with open(path, "rb") as fh:
        data = bytearray(fh.read())
    header = struct.unpack_from("<I", data, 0x3C)[0]
    sections, = struct.unpack_from("<H", data, header + 6)
    optional_size, = struct.unpack_from("<H", data, header + 20)
    table = header + 24 + optional_size
    for index in range(sections):
        raw_size, raw_pointer = struct.unpack_from("<II", data, table + 40 * index + 16)
        characteristics, = struct.unpack_from("<I", data, table + 40 * index + 36)
        if characteristics & 0x20 and raw_size > 64:  # IMAGE_SCN_CNT_CODE
            data[raw_pointer + 64] ^= 0x01
            write(path, bytes(data))
            return
    sys.exit(f"make_repair_fixtures: no code section in {path}")


def make_msi_package(out, wxs, pki, archive_name="vcredist.7z"):
    """pki None: the MSI stays unsigned."""
    work = os.path.join(out, "msi-src")
    shutil.rmtree(work, ignore_errors=True)
    write(os.path.join(work, "marker.txt"), b"installed by the repair test package\r\n")
    subprocess.run(["wixl", "-o", "vcredist.msi", wxs], cwd=work, check=True)
    if pki:
        sign(os.path.join(work, "vcredist.msi"), pki)
    archive = fresh_archive(os.path.join(out, archive_name))
    run_7zz(["a", archive, "vcredist.msi"], work)
    shutil.rmtree(work)


def make_dll_archive(out, archive_name, dll, files):
    """files: (name in the archive, how it is made: a function of the copy's path, or None)."""
    work = os.path.join(out, "dlls-src")
    shutil.rmtree(work, ignore_errors=True)
    for name, prepare in files:
        os.makedirs(os.path.dirname(os.path.join(work, name)), exist_ok=True)
        shutil.copyfile(dll, os.path.join(work, name))
        if prepare:
            prepare(os.path.join(work, name))
    archive = fresh_archive(os.path.join(out, archive_name))
    run_7zz(["a", archive] + sorted({name.split(os.sep)[0] for name, _ in files}), work)
    shutil.rmtree(work)


def make_dll_package(out, dll, pki):
    """zentest_reg.dll beside the archive is the signed DLL byte for byte as the archive holds it."""
    signed = os.path.join(out, "zentest_reg.dll")
    shutil.copyfile(dll, signed)
    sign(signed, pki)
    make_dll_archive(out, "dlls.7z", signed, [("zentest_reg_a.dll", None), ("zentest reg space.dll", None),
                                              (os.path.join("x64", "zentest_reg_sub.dll"), None)])


def make_refused_packages(out, wxs, installer, dll, pki):
    def signed_copy(source, name, signer="signer", issuer=None):
        path = os.path.join(out, name)
        shutil.copyfile(source, path)
        sign(path, pki, signer, issuer)
        return path

    shutil.copyfile(installer, os.path.join(out, "setup_unsigned.exe"))
    change_code_byte(signed_copy(installer, "setup_tampered.exe"))
    signed_copy(installer, "setup_untrusted_root.exe", "untrusted-signer", "untrusted-root")
    signed_copy(installer, "setup_unknown_issuer.exe", "untrusted-signer")
    signed_copy(installer, "setup_unlisted.exe", "unlisted")
    make_msi_package(out, wxs, None, "vcredist_unsigned.7z")
    make_dll_archive(out, "dlls_unsigned.7z", dll, [("zentest_trust_unsigned.dll", None)])
    def signed_then_changed(path):
        sign(path, pki)
        change_code_byte(path)

    make_dll_archive(out, "dlls_tampered.7z", dll, [("zentest_trust_tampered.dll", signed_then_changed)])
    make_dll_archive(out, "dlls_partly.7z", dll,
                     [("zentest_trust_a.dll", lambda path: sign(path, pki)), ("zentest_trust_b.dll", None)])


def with_digest(path, data):
    write(path, data)
    write(path + ".sha256", hashlib.sha256(data).hexdigest().encode("ascii"))


def main(out_root, wxs, installer, dll, pki):
    out = os.path.join(out_root, "repair")
    os.makedirs(out, exist_ok=True)
    nested = make_nested(out)
    make_unsafe(out)
    make_truncated(out, nested)
    make_corrupt(out, nested)
    make_huge(out)
    make_msi_package(out, os.path.abspath(wxs), pki)
    make_dll_package(out, dll, pki)
    make_refused_packages(out, os.path.abspath(wxs), installer, dll, pki)
    signed_installer = os.path.join(out, "zentest_setup.exe")
    shutil.copyfile(installer, signed_installer)
    sign(signed_installer, pki)
    with open(signed_installer, "rb") as fh:
        with_digest(signed_installer, fh.read())
    with_digest(os.path.join(out, "hash-sample.bin"), pseudo_random(300000, 99))
    write(os.path.join(out, "stamp"), b"")


if __name__ == "__main__":
    main(*sys.argv[1:6])
