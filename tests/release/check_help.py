#!/usr/bin/env python3
"""Checks compiled help files as a reader sees them: check_help.py FILE.chm...

Each file is unpacked with extract_chmLib (chmlib, not our compiler). Every page its contents and
its index name must be in it, every page in it must be in the contents, and every link between
pages must lead to a page that is there.
"""
import html
import os
import re
import subprocess
import sys
import tempfile

failures = []


def check(chm):
    with tempfile.TemporaryDirectory() as folder:
        subprocess.run(["extract_chmLib", chm, folder], check=True, capture_output=True)
        files = {os.path.relpath(os.path.join(d, f), folder).replace(os.sep, "/")
                 for d, _, names in os.walk(folder) for f in names}
        pages = {f for f in files if f.endswith(".htm")}

        def read(name):
            return open(os.path.join(folder, name), encoding="cp1252").read()

        def locals_of(name):
            if name not in files:
                failures.append(f"{chm}: no {name}")
                return []
            return [html.unescape(v) for v in re.findall(r'<param name="Local" value="([^"]*)">', read(name))]

        contents = locals_of("contents.hhc")
        index = locals_of("index.hhk")
        if len(contents) < 20 or not index:
            failures.append(f"{chm}: {len(contents)} pages in the contents, {len(index)} index targets")
        for page in contents + index:
            if page not in files:
                failures.append(f"{chm}: {page} is named but not in the file")
        for page in sorted(pages - set(contents)):
            failures.append(f"{chm}: {page} is not in the contents")
        for page in sorted(pages):
            for link in re.findall(r'(?:href|src)="([^"]*)"', read(page)):
                target = link.split("#")[0]
                if target and not re.match(r"[a-z]+:", target) and target not in files:
                    failures.append(f"{chm}: {page} links to missing {link}")


for chm in sys.argv[1:]:
    check(chm)
print("\n".join(failures) or f"help: {len(sys.argv) - 1} files, contents, index and links complete")
sys.exit(1 if failures or len(sys.argv) < 2 else 0)
