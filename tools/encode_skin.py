#!/usr/bin/env python3
"""Turns the UTF-8 skin source into the GBK, CRLF document that the exe embeds."""
import sys


def main(source, target):
    with open(source, encoding="utf-8") as fh:
        text = fh.read()
    text = text.replace("\r\n", "\n").replace("\n", "\r\n")
    declaration = '<?xml version="1.0" encoding="UTF-8"'
    if text.startswith(declaration):
        text = '<?xml version="1.0" encoding="GBK"' + text[len(declaration):]
    with open(target, "wb") as fh:
        fh.write(text.encode("gbk"))


if __name__ == "__main__":
    main(sys.argv[1], sys.argv[2])
