#!/usr/bin/env python3
"""Makes the demo catalogue that tools/run.sh serves: real packages of the three kinds the repair
handles, built like the repair tests' fixtures (tools/make_repair_fixtures.py), and the
runtime-library reply that lists them.

  make_demo_catalogue.py <out> <wxs> <installer exe> <register dll> <x64|x86> <test PKI folder>

Every package is signed by the test PKI's listed signer, as the repair asks.

<out>/packages/vcredist_2010_<arch>.7z   a Windows Installer package in a 7z (type 1, msiexec)
<out>/packages/vc_redist.<arch>.exe      the quiet-installer stand-in (type 7)
<out>/packages/runtime_dlls.7z           DLLs copied into the system folder and registered: type 14
                                         ("system32" always) for x64, type 13 (the 32-bit system
                                         folder of the machine) for the x86 DLLs of an x86 build
<out>/runtime_dll.dll                    the DLL of runtime_dlls.7z, byte for byte
<out>/runtimelib.json                    the reply, with each package's SHA-256; {base} is the server
"""
import hashlib
import json
import os
import shutil
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import make_repair_fixtures as fixtures  # noqa: E402

DLL_TYPES = {"x64": 14, "x86": 13}


def entries(arch):
    """(name, type, file name, source kind) of each package."""
    return [
        (f"Microsoft Visual C++ 2010 运行库 ({arch})", 1, f"vcredist_2010_{arch}.7z", "msi"),
        (f"Microsoft Visual C++ 2015-2022 运行库 ({arch})", 7, f"vc_redist.{arch}.exe", "installer"),
        ("系统运行库DLL组件", DLL_TYPES[arch], "runtime_dlls.7z", "dlls"),
    ]


def sha256(path):
    with open(path, "rb") as fh:
        return hashlib.sha256(fh.read()).hexdigest()


def main(out, wxs, installer, dll, arch, pki):
    work = os.path.join(out, "work")
    packages = os.path.join(out, "packages")
    os.makedirs(work, exist_ok=True)
    os.makedirs(packages, exist_ok=True)
    fixtures.make_msi_package(work, os.path.abspath(wxs), pki)
    fixtures.make_dll_package(work, dll, pki)
    # The DLL as the archive holds it, signed: what the end-to-end run finds in the system folder.
    shutil.copyfile(os.path.join(work, "zentest_reg.dll"), os.path.join(out, "runtime_dll.dll"))
    signed_installer = os.path.join(work, "installer.exe")
    shutil.copyfile(installer, signed_installer)
    fixtures.sign(signed_installer, pki)
    sources = {"msi": os.path.join(work, "vcredist.7z"), "installer": signed_installer,
               "dlls": os.path.join(work, "dlls.7z")}
    listed = []
    for name, kind, file_name, source in entries(arch):
        target = os.path.join(packages, file_name)
        shutil.copyfile(sources[source], target)
        listed.append({"name": name, "type": kind, "url": "{base}/packages/" + file_name,
                       "sha256": sha256(target)})
    reply = {"code": 200, "data": {"runtimelib": listed}}
    with open(os.path.join(out, "runtimelib.json"), "w", encoding="utf-8") as fh:
        json.dump(reply, fh, ensure_ascii=False, indent=1)
    shutil.rmtree(work)
    with open(os.path.join(out, "stamp"), "wb"):
        pass


if __name__ == "__main__":
    main(*sys.argv[1:7])
