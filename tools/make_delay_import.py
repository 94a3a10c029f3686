#!/usr/bin/env python3
"""Makes a delay-import library for one system DLL from the MinGW import library of that DLL.

  make_delay_import.py <x64|x86> <nm> <dlltool> <import library> <dll name> <output library>

Every function the import library names goes into a .def file (x86 names keep their stdcall "@N",
which -k drops again from the name looked up in the DLL), and dlltool turns it into a library whose
functions load the DLL on their first call, after the program has limited where DLLs are found.

For x86 it also writes <output library>.keep.o, to be linked as an object: GNU ld for i386 drops
the code of an import stub that no symbol names, which a program calling through "__imp_" never
does, and a delay-import stub is that code (its IAT entry would stay 0). The object names every
stub, so that all of them stay.
"""
import os
import re
import subprocess
import sys

IMPORT_SYMBOL = re.compile(r"^\S*\s+I\s+__imp_(\S+)$")
PLAIN_NAME = re.compile(r"^[A-Za-z0-9_@$.]+$")


def exported_names(nm, import_library, leading_underscore):
    listing = subprocess.run([nm, import_library], check=True, capture_output=True, text=True).stdout
    names = set()
    for line in listing.splitlines():
        match = IMPORT_SYMBOL.match(line.strip())
        if not match:
            continue
        name = match.group(1)
        if leading_underscore:
            if not name.startswith("_"):
                continue
            name = name[1:]
        if PLAIN_NAME.match(name):
            names.add(name)
    return sorted(names)


def main(arch, nm, dlltool, import_library, dll_name, output):
    leading_underscore = arch == "x86"  # C names of x86 carry a leading "_"
    names = exported_names(nm, import_library, leading_underscore)
    if not names:
        sys.exit(f"make_delay_import: no functions in {import_library}")
    definition = output + ".def"
    with open(definition, "w", encoding="ascii") as fh:
        fh.write(f"LIBRARY {dll_name}\nEXPORTS\n" + "".join(name + "\n" for name in names))
    if os.path.exists(output):
        os.remove(output)
    subprocess.run([dlltool, "-k", "--input-def", definition, "--dllname", dll_name,
                    "--output-delaylib", output], check=True)
    if leading_underscore:
        keep_stubs(dlltool, names, output + ".keep")


def keep_stubs(dlltool, names, stem):
    assembler = os.path.join(os.path.dirname(dlltool), os.path.basename(dlltool).replace("dlltool", "as"))
    with open(stem + ".s", "w", encoding="ascii") as fh:
        fh.write('\t.section .rdata$zkeep,"dr"\n' + "".join(f'\t.long "_{name}"\n' for name in names))
    subprocess.run([assembler, stem + ".s", "-o", stem + ".o"], check=True)


if __name__ == "__main__":
    main(*sys.argv[1:7])
