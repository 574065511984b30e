"""Shared helpers of the data generator: fetching public packages into a cache
folder outside the repository, and writing program-folder files.

Sources are fetched with the ordinary clients: `apt-get download` + `dpkg-deb -x`
for Debian packages, `npm pack` for npm packages. The cache folder defaults to
~/.cache/zu-datagen and can be set with ZU_DATAGEN_CACHE.
"""
import os
import pathlib
import shutil
import subprocess
import urllib.parse

REPO = pathlib.Path(__file__).resolve().parents[2]
DATA = REPO / "data"
CACHE = pathlib.Path(os.environ.get("ZU_DATAGEN_CACHE", pathlib.Path.home() / ".cache" / "zu-datagen"))

# The package versions data/ was generated from (see data/SOURCES.md). Another
# version may give other bytes, so it is never taken silently.
DEBIAN_VERSIONS = {
    "kstars-data": "5:3.6.2-2",
    "libgeonames-common": "0.3.0-1",
    "libgeonames0": "0.3.0-1",
    "python3-astropy": "5.2.1-2+deb12u1",
    "python3-pymeeus": "0.5.11+dfsg1-1",
    "stellarium-data": "0.22.2-1",
    "unicode-data": "15.0.0-1",
    "xplanet": "1.3.1-3+b1",
}


def _cached_version(root: pathlib.Path) -> str:
    """The version of an unpacked package, from the name of its .deb file."""
    marker = root / ".version"
    if not (root / ".done").exists() or not marker.exists():
        return ""
    parts = marker.read_text().split("_")
    return urllib.parse.unquote(parts[1]) if len(parts) > 1 else ""


def debian_package(name: str) -> pathlib.Path:
    """Downloads and unpacks a Debian package once, in the version of
    DEBIAN_VERSIONS; returns its root folder."""
    version = DEBIAN_VERSIONS[name]
    root = CACHE / "deb" / name
    if _cached_version(root) == version:
        return root
    shutil.rmtree(root, ignore_errors=True)
    root.mkdir(parents=True, exist_ok=True)
    download = CACHE / "deb-download"
    download.mkdir(parents=True, exist_ok=True)
    for old in download.glob(f"{name}_*.deb"):
        old.unlink()
    if subprocess.run(["apt-get", "download", f"{name}={version}"], cwd=download).returncode != 0:
        raise SystemExit(f"{name} {version} cannot be downloaded. If Debian now ships another version, "
                         f"set it in DEBIAN_VERSIONS (tools/datagen/common.py), regenerate and check the "
                         f"figures in data/SOURCES.md again.")
    (deb,) = list(download.glob(f"{name}_*.deb"))
    subprocess.run(["dpkg-deb", "-x", str(deb), str(root)], check=True)
    (root / ".version").write_text(deb.name)
    (root / ".done").write_text("")
    return root


def npm_package(name: str, version: str) -> pathlib.Path:
    """Downloads and unpacks an npm package once; returns its `package` folder."""
    root = CACHE / "npm" / f"{name}-{version}"
    if (root / ".done").exists():
        return root / "package"
    root.mkdir(parents=True, exist_ok=True)
    out = subprocess.run(["npm", "pack", f"{name}@{version}"], cwd=root, check=True,
                         capture_output=True, text=True).stdout.strip().splitlines()[-1]
    subprocess.run(["tar", "xzf", out], cwd=root, check=True)
    (root / ".done").write_text("")
    return root / "package"


def write_bytes(relpath: str, data: bytes) -> None:
    """Writes one file of the program folder under data/."""
    path = DATA / relpath
    path.parent.mkdir(parents=True, exist_ok=True)
    path.write_bytes(data)


def write_cp949(relpath: str, text: str) -> None:
    """Writes a text file in code page 949 with CR LF line ends as given in
    `text`; characters code page 949 cannot hold become '?'."""
    write_bytes(relpath, text.encode("cp949", errors="replace"))
