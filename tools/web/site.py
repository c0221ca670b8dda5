#!/usr/bin/env python3
"""Finishes the browser site: the list of its files, the service worker, the zip.

    site.py --site SITE --worker app/web/sw.js --zip OUT.zip

Writes SITE/files.json (every file of the site with its size, which the page
learns the game's files from; the files the page needs to start; and the
build's version, a hash of every file's name and contents), SITE/sw.js from
the worker's source with that version in it (so that a new build installs a
new worker and an unchanged build does not), and OUT.zip holding the whole
site, the same bytes for the same site.
"""

import argparse
import hashlib
import json
import os
import sys
import zipfile

GENERATED = ("files.json", "sw.js")
# Already compressed: stored in the zip as they are.
STORED = (".jpg", ".jpeg", ".png", ".ogg", ".opus", ".gz", ".woff2", ".chm")


def site_files(site):
    """The site's files as paths relative to it, '/'-separated and sorted."""
    out = []
    for root, dirs, files in os.walk(site):
        dirs.sort()
        for f in files:
            rel = os.path.relpath(os.path.join(root, f), site).replace(os.sep, "/")
            if rel not in GENERATED:
                out.append(rel)
    return sorted(out)


def version_of(site, files):
    h = hashlib.sha256()
    for rel in files:
        h.update(rel.encode() + b"\0")
        with open(os.path.join(site, rel), "rb") as f:
            h.update(hashlib.sha256(f.read()).digest())
    return h.hexdigest()[:16]


def write_if_changed(path, data):
    """Leaves an unchanged file alone, so that its time stays."""
    try:
        with open(path, "rb") as f:
            if f.read() == data:
                return
    except OSError:
        pass
    with open(path, "wb") as f:
        f.write(data)


def main():
    ap = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    ap.add_argument("--site", required=True)
    ap.add_argument("--worker", required=True, help="the service worker's source")
    ap.add_argument("--zip", help="the zip file of the whole site")
    args = ap.parse_args()

    files = site_files(args.site)
    if "index.html" not in files:
        sys.exit(f"site.py: {args.site} has no index.html")
    version = version_of(args.site, files)
    # What the page loads before the first room: the files at the top of the
    # site (the page, its scripts and styles, the module and its packed
    # files, the manifest and icons) and this list, which tells the page the
    # game's other files. The folders below hold what the game fetches as it
    # goes.
    start = [f for f in files if "/" not in f] + ["files.json"]
    listing = {
        "version": version,
        "start": start,
        "files": {f: os.path.getsize(os.path.join(args.site, f)) for f in files},
    }
    write_if_changed(os.path.join(args.site, "files.json"), (json.dumps(listing, indent=1) + "\n").encode())
    with open(args.worker, encoding="utf-8") as f:
        worker = f.read()
    if "@GLIM_SITE_VERSION@" not in worker:
        sys.exit(f"site.py: {args.worker} has no @GLIM_SITE_VERSION@")
    write_if_changed(os.path.join(args.site, "sw.js"), worker.replace("@GLIM_SITE_VERSION@", version).encode())

    if args.zip:
        tmp = args.zip + ".tmp"
        with zipfile.ZipFile(tmp, "w") as z:
            for rel in sorted(files + list(GENERATED)):
                info = zipfile.ZipInfo("glimmerhold/" + rel, date_time=(2026, 1, 1, 0, 0, 0))
                info.external_attr = 0o644 << 16
                stored = rel.lower().endswith(STORED)
                info.compress_type = zipfile.ZIP_STORED if stored else zipfile.ZIP_DEFLATED
                with open(os.path.join(args.site, rel), "rb") as f:
                    z.writestr(info, f.read(), compresslevel=None if stored else 9)
        os.replace(tmp, args.zip)
    total = sum(listing["files"].values())
    print(f"site {version}: {len(files)} files, {total / 1e6:.1f} MB")
    return 0


if __name__ == "__main__":
    sys.exit(main())
