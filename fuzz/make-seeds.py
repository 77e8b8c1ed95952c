#!/usr/bin/env python3
"""Writes the seed corpora of the fuzz targets from fuzz/seeds/skin.ini:
the description itself for the description reader, and for the skin reader
packages of several versions, both as they are (first byte odd: the target
packs them) and packed into skin files by skinpack (first byte even); and
login replies in code page 936 for the reply reader."""
import os
import struct
import subprocess
import sys

root, skinpack, out = sys.argv[1], sys.argv[2], sys.argv[3]
ini = open(os.path.join(root, "fuzz/seeds/skin.ini"), "rb").read()
# A 2 x 1 24-bit BMP: one white and one magenta pixel.
pixels = b"\xff\xff\xff\xff\x00\xff" + b"\x00\x00"
bmp = b"BM" + struct.pack("<IHHI", 14 + 40 + len(pixels), 0, 0, 54) + \
    struct.pack("<IiiHHIIiiII", 40, 2, 1, 1, 24, 0, len(pixels), 2835, 2835, 0, 0) + pixels
skipped = {20000: 0, 30000: 256, 50000: 48, 70000: 69}

def package(version, entries):
    names = b"".join(name + b"\r\n" for name, _ in entries)
    head = struct.pack("<IIII", version, len(names), 0, 0) + bytes(skipped[version])
    sizes = b"".join(struct.pack("<I", len(data)) for _, data in entries)
    return head + names + sizes + b"".join(data for _, data in entries)

reader_dir = os.path.join(out, "FuzzSkinReader")
ini_dir = os.path.join(out, "FuzzQuickIni")
os.makedirs(reader_dir, exist_ok=True)
os.makedirs(ini_dir, exist_ok=True)
open(os.path.join(ini_dir, "skin.ini"), "wb").write(ini)

work = os.path.join(out, "files")
os.makedirs(work, exist_ok=True)
open(os.path.join(work, "skin.ini"), "wb").write(ini)
open(os.path.join(work, "Buttons.bmp"), "wb").write(bmp)
for version in skipped:
    entries = [(b"Buttons.bmp", bmp), (b"skin.ini", ini)]
    open(os.path.join(reader_dir, f"package-{version}"), "wb").write(b"\x01" + package(version, entries))
    skin = os.path.join(work, f"{version}.skn")
    subprocess.run([skinpack, "--version", str(version), skin,
                    os.path.join(work, "Buttons.bmp"), os.path.join(work, "skin.ini")], check=True)
    open(os.path.join(reader_dir, f"skinfile-{version}"), "wb").write(b"\x00" + open(skin, "rb").read())

reply_dir = os.path.join(out, "FuzzLoginReply")
os.makedirs(reply_dir, exist_ok=True)
success = ('<?xml version="1.0" encoding="gb2312"?>\r\n<con><result> 1 </result><uid>1024</uid>'
           '<pwd>e10adc3949ba59abbe56e057f20f883e</pwd><sid> S3ss10n </sid><un>\u5f20\u4e09</un>'
           '<em>demo@vocara.test</em><ifreg>-7</ifreg><z>True</z></con>')
replies = {
    "success": success,
    "wrong-captcha": "<con><result>-1</result></con>",
    "wrong-password": "<con>\n<result>0</result>\n</con>",
    "unknown-user": "<reply><con a='1'><!-- x --><result>-2</result></con></reply>",
    "other-code": "<con><result>ok</result></con>",
    "no-result": "<con><uid>1</uid></con>",
    "bad-ifreg": success.replace("-7", "12a"),
    "entities": "<con><result>&#49;</result><uid>&lt;&amp;&gt;</uid><pwd><![CDATA[p]]></pwd><sid/><un/><em/>"
                "<ifreg>&#x30;</ifreg></con>",
}
for name, text in replies.items():
    open(os.path.join(reply_dir, name), "wb").write(text.encode("gbk"))
