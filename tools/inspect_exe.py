#!/usr/bin/env python3
"""Checks a built Zentarium.exe the way a user's Windows would load it, without running it.

  inspect_exe.py <exe> <i386|x86-64>

Machine type and PE kind, the GUI subsystem, for x86 the large-address-aware flag (4 GB of
address space on 64-bit Windows), the manifest (administrator rights, DPI-aware), the version
resource, and load-time imports limited to KnownDLLs, which Windows takes from the system folder
whatever lies beside the exe: no MinGW runtime DLLs, and every other system DLL delay-loaded
(cmake/DelayImports.cmake) after the exe has limited the DLL search to the system folder.
Uses the MinGW objdump and icoutils' wrestool. Prints what it found; exits 1 on any failure.
"""

import re
import subprocess
import sys

# KnownDLLs of every Windows the tool runs on: the only DLLs it may import at load time.
KNOWN_DLLS = {
    "advapi32.dll", "comdlg32.dll", "gdi32.dll", "imm32.dll", "kernel32.dll", "msvcrt.dll",
    "ole32.dll", "oleaut32.dll", "shell32.dll", "shlwapi.dll", "user32.dll", "ws2_32.dll",
}
PE_KIND = {"i386": ("pei-i386", "PE32"), "x86-64": ("pei-x86-64", "PE32+")}
VERSION = "1.0.0.2"


def run(command):
    return subprocess.run(command, check=True, capture_output=True).stdout


def main():
    exe, machine = sys.argv[1], sys.argv[2]
    problems = []
    dump = run(["x86_64-w64-mingw32-objdump", "-p", exe]).decode("latin-1")
    file_format, magic = PE_KIND[machine]
    if f"file format {file_format}" not in dump:
        problems.append(f"not a {file_format} image")
    if not re.search(rf"^Magic\s+\w+\s+\({re.escape(magic)}\)", dump, re.M):
        problems.append(f"not {magic}")
    if not re.search(r"^Subsystem\s+00000002\s+\(Windows GUI\)", dump, re.M):
        problems.append("not a Windows GUI program")
    if machine == "i386" and not re.search(r"^\s*large address aware\s*$", dump, re.M):
        problems.append("not large-address-aware (2 GB of address space only)")
    imports = sorted({name.lower() for name in re.findall(r"DLL Name: (\S+)", dump)})
    foreign = [name for name in imports if name not in KNOWN_DLLS]
    if foreign:
        problems.append("imports at load time DLLs that a planted copy beside the exe would replace: "
                        + ", ".join(foreign))

    manifest = run(["wrestool", "-x", "--raw", "-t", "24", exe]).decode("utf-8", "replace")
    if 'level="requireAdministrator"' not in manifest:
        problems.append("the manifest does not ask for administrator rights")
    if not re.search(r"<dpiAware[^>]*>\s*true\s*</dpiAware>", manifest):
        problems.append("the manifest does not declare DPI awareness")
    version = run(["wrestool", "-x", "--raw", "-t", "16", exe]).decode("utf-16-le", "replace")
    if VERSION not in version:
        problems.append(f"no version {VERSION} in the version resource")

    print(f"{exe}: {file_format}, imports {', '.join(imports)}")
    for problem in problems:
        print(f"  FAIL: {problem}")
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
