#!/usr/bin/env python3
"""Makes the 7z fixture of the dependency smoke test: two files, one in a sub-folder.

The plain files are kept beside the archive, so the test compares what it extracts byte for byte.
"""
import os
import shutil
import subprocess
import sys


def main(out_dir):
    tree = os.path.join(out_dir, "smoke")
    shutil.rmtree(tree, ignore_errors=True)
    os.makedirs(os.path.join(tree, "sub"))
    with open(os.path.join(tree, "readme.txt"), "wb") as fh:
        fh.write("运行库 smoke fixture\r\n".encode("utf-8") * 20)
    with open(os.path.join(tree, "sub", "data.bin"), "wb") as fh:
        state = 12345
        data = bytearray()
        for _ in range(200000):  # pseudo-random bytes: LZMA must really work to get them back
            state = (state * 1103515245 + 12345) & 0x7FFFFFFF
            data.append(state >> 23)
        fh.write(data)
    archive = os.path.join(out_dir, "smoke.7z")
    if os.path.exists(archive):
        os.remove(archive)
    subprocess.run(["7zz", "a", "-bso0", "-bsp0", "-mx=9", archive, "readme.txt", "sub"],
                   cwd=tree, check=True)


if __name__ == "__main__":
    main(sys.argv[1])
