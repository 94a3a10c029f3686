#!/usr/bin/env python3
"""Draws the customer-service picture: a 750x750 JPEG with a QR code of the service address and
the program logo in its middle. It fails unless the picture scans back to exactly the address,
both as made and at the size the customer-service window draws it.

Usage: make_service_qr.py URL_FILE LOGO_PNG OUTPUT_JPEG
Needs qrencode, ImageMagick's convert and zbarimg (tools/setup.sh installs them)."""
import pathlib
import shutil
import subprocess
import sys
import tempfile

SIZE = 750
SHOWN = "359x350!"  # the window stretches the picture to this size, with nearest-pixel sampling
QUIET_MODULES = 4  # the blank border a scanner needs around the code
LOGO_PLATE_MARGIN = 8
MODULE_COLOUR = "#0A1A3C"


def run(*args, stdin=None):
    return subprocess.run(args, input=stdin, check=True, capture_output=True).stdout


def decode(image):
    """The text of the one QR code zbarimg finds in the image, or None."""
    found = subprocess.run(["zbarimg", "--quiet", "--raw", "-Sdisable", "-Sqrcode.enable", str(image)],
                           capture_output=True)
    if found.returncode != 0:
        return None
    text = found.stdout.decode("utf-8", "replace")
    return text[:-1] if text.endswith("\n") else text


def draw(url, logo, target, work):
    code = work / "code.png"
    # Level H survives the logo that covers the middle of the code.
    run("qrencode", "--level=H", "--size=1", "--margin=0", "--8bit", f"--output={code}",
        stdin=url.encode("utf-8"))
    modules = int(run("identify", "-format", "%w", str(code)))
    scale = SIZE // (modules + 2 * QUIET_MODULES)
    logo_size = int(run("identify", "-format", "%w", str(logo)))
    plate = logo_size + 2 * LOGO_PLATE_MARGIN
    run("convert", "-size", f"{SIZE}x{SIZE}", "xc:white",
        "(", str(code), "-filter", "point", "-resize", f"{modules * scale}x{modules * scale}",
        "-fill", MODULE_COLOUR, "-opaque", "black", ")",
        "-gravity", "center", "-composite",
        "(", "-size", f"{plate}x{plate}", "xc:none", "-fill", "white",
        "-draw", f"roundrectangle 0,0 {plate - 1},{plate - 1} 18,18", ")", "-composite",
        str(logo), "-composite",
        "-quality", "92", "-sampling-factor", "1x1", "-strip", f"jpeg:{target}")


def main(url_file, logo, target):
    url = pathlib.Path(url_file).read_text(encoding="utf-8").strip()
    if not url:
        sys.exit(f"make_service_qr: no service address in {url_file}")
    for tool in ("qrencode", "convert", "identify", "zbarimg"):
        if not shutil.which(tool):
            sys.exit(f"make_service_qr: '{tool}' is missing (tools/setup.sh installs it)")
    with tempfile.TemporaryDirectory() as folder:
        work = pathlib.Path(folder)
        made = work / "service_qr.jpg"
        draw(url, pathlib.Path(logo), made, work)
        shown = work / "shown.png"
        run("convert", str(made), "-filter", "point", "-resize", SHOWN, str(shown))
        for image in (made, shown):
            text = decode(image)
            if text != url:
                sys.exit(f"make_service_qr: {image.name} scans as {text!r}, not {url!r}")
        shutil.copyfile(made, target)


if __name__ == "__main__":
    if len(sys.argv) != 4:
        sys.exit(__doc__)
    main(*sys.argv[1:])
