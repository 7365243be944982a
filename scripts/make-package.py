#!/usr/bin/env python3
"""Packs the program for users: RZEdit.exe, LICENSE and readme.txt in one zip,
then checks the zip as a user would get it.

readme.txt is kept in the repository as UTF-8 (package/readme.txt) and goes into
the zip as Shift-JIS (code page 932) with CR LF line ends, which is what Notepad
and every Japanese editor on Windows read without being told.

Usage: make-package.py EXE LICENSE README_SOURCE ZIP
"""
import io
import os
import re
import subprocess
import sys
import tempfile
import zipfile

NAMES = ["RZEdit.exe", "LICENSE", "readme.txt"]
# DLLs that are part of Windows itself.
SYSTEM_DLLS = re.compile(
    r"^(kernel32|user32|gdi32|comctl32|comdlg32|advapi32|winmm|ole32|shell32|msvcrt)\.dll$")


def crlf(text):
    return text.replace("\r\n", "\n").replace("\r", "\n").replace("\n", "\r\n")


def fail(message):
    print("make-package: " + message, file=sys.stderr)
    sys.exit(1)


def pack(exe, license_path, readme_source, target):
    with open(readme_source, encoding="utf-8") as f:
        readme = crlf(f.read()).encode("cp932")
    with open(license_path, encoding="utf-8") as f:
        license_text = crlf(f.read()).encode("ascii")
    partial = target + ".part"
    with zipfile.ZipFile(partial, "w", zipfile.ZIP_DEFLATED) as z:
        z.write(exe, "RZEdit.exe")
        z.writestr("LICENSE", license_text)
        z.writestr("readme.txt", readme)
    os.replace(partial, target)


def check(target):
    with zipfile.ZipFile(target) as z:
        names = sorted(i.filename for i in z.infolist())
        if names != sorted(NAMES):
            fail("the zip holds %s, not %s" % (names, sorted(NAMES)))
        for name in names:
            if not name.isascii():
                fail("a name in the zip is not ASCII: %r" % name)
        readme = z.read("readme.txt")
        try:
            text = readme.decode("cp932")
        except UnicodeDecodeError as error:
            fail("readme.txt is not code page 932: %s" % error)
        if re.search(r"\r(?!\n)|(?<!\r)\n", text):
            fail("readme.txt has a line end other than CR LF")
        for heading in ["概要", "動作環境", "インストールとアンインストール", "使い方",
                        "注意", "履歴", "ライセンス"]:
            if "■ " + heading not in text:
                fail("readme.txt has no section " + heading)
        with tempfile.TemporaryDirectory() as scratch:
            exe = z.extract("RZEdit.exe", scratch)
            dump = subprocess.run(["x86_64-w64-mingw32-objdump", "-p", exe],
                                  check=True, capture_output=True, text=True).stdout
    imports = sorted({line.split("DLL Name:")[1].strip().lower()
                      for line in dump.splitlines() if "DLL Name:" in line})
    foreign = [dll for dll in imports if not SYSTEM_DLLS.match(dll)]
    if foreign:
        fail("RZEdit.exe in the zip needs DLLs that Windows does not have: " + " ".join(foreign))
    return imports


def main():
    if len(sys.argv) != 5:
        fail("usage: make-package.py EXE LICENSE README_SOURCE ZIP")
    exe, license_path, readme_source, target = sys.argv[1:]
    pack(exe, license_path, readme_source, target)
    imports = check(target)
    print("make-package: %s (%d bytes): %s; RZEdit.exe imports only %s"
          % (target, os.path.getsize(target), ", ".join(NAMES), " ".join(imports)))


if __name__ == "__main__":
    main()
