#!/usr/bin/env python3
"""The winget manifest the build writes beside the installer: the three files
of the multi-file form parse as YAML, hold the fields their schema requires,
and agree with each other and with the installer they name (version, hash,
installer type, user scope, an https address ending in the installer's name).

Usage: check_winget.py VERSION INSTALLER-FOLDER
"""
import hashlib
import pathlib
import re
import sys

import yaml

REQUIRED = {
    "version": ["PackageIdentifier", "PackageVersion", "DefaultLocale", "ManifestType", "ManifestVersion"],
    "defaultLocale": ["PackageIdentifier", "PackageVersion", "PackageLocale", "Publisher", "PackageName",
                      "License", "ShortDescription", "ManifestType", "ManifestVersion"],
    "installer": ["PackageIdentifier", "PackageVersion", "Installers", "ManifestType", "ManifestVersion"],
}
REQUIRED_PER_INSTALLER = ["Architecture", "InstallerUrl", "InstallerSha256"]
IDENTIFIER = re.compile(r"^[^.\s\\/:*?\"<>|\x01-\x1f]{1,32}(\.[^.\s\\/:*?\"<>|\x01-\x1f]{1,32}){1,7}$")


def fail(text):
    print(text)
    sys.exit(1)


def load(path):
    manifest = yaml.safe_load(path.read_text(encoding="utf-8"))
    if not isinstance(manifest, dict):
        fail(f"{path.name} is not a mapping")
    kind = manifest.get("ManifestType")
    if kind not in REQUIRED:
        fail(f"{path.name} has the manifest type {kind!r}")
    missing = [field for field in REQUIRED[kind] if manifest.get(field) in (None, "", [])]
    if missing:
        fail(f"{path.name} lacks {', '.join(missing)}")
    return kind, manifest


def main():
    version, folder = sys.argv[1], pathlib.Path(sys.argv[2])
    setup = folder / f"Quenlor-{version}-win64-setup.exe"
    files = sorted((folder / "winget").glob("*.yaml"))
    manifests = dict(load(path) for path in files)
    if sorted(manifests) != sorted(REQUIRED) or len(files) != 3:
        fail(f"expected one version, one default locale and one installer file, found {[f.name for f in files]}")

    identifier = manifests["version"]["PackageIdentifier"]
    if not IDENTIFIER.match(identifier):
        fail(f"{identifier!r} is not a package identifier")
    schema = manifests["version"]["ManifestVersion"]
    if not re.fullmatch(r"1\.\d+\.0", str(schema)):
        fail(f"{schema!r} is not a manifest schema version")
    for kind, manifest in manifests.items():
        for field, expected in (("PackageIdentifier", identifier), ("PackageVersion", version),
                                ("ManifestVersion", schema)):
            if str(manifest[field]) != expected:
                fail(f"the {kind} file gives {field} {manifest[field]!r}, not {expected!r}")
    names = {path.name for path in files}
    locale = manifests["version"]["DefaultLocale"]
    if manifests["defaultLocale"]["PackageLocale"] != locale:
        fail("the default locale file is not for the version file's default locale")
    expected_names = {f"{identifier}.yaml", f"{identifier}.installer.yaml", f"{identifier}.locale.{locale}.yaml"}
    if names != expected_names:
        fail(f"the files are named {sorted(names)}, not {sorted(expected_names)}")

    installer = manifests["installer"]
    if installer.get("InstallerType") != "nullsoft":
        fail(f"the installer type is {installer.get('InstallerType')!r}")
    if installer.get("Scope") != "user":
        fail(f"the scope is {installer.get('Scope')!r}")
    digest = hashlib.sha256(setup.read_bytes()).hexdigest().upper()
    for entry in installer["Installers"]:
        missing = [field for field in REQUIRED_PER_INSTALLER if not entry.get(field)]
        if missing:
            fail(f"an installer entry lacks {', '.join(missing)}")
        if entry["Architecture"] != "x64":
            fail(f"the installer is for {entry['Architecture']}")
        url = entry["InstallerUrl"]
        if not re.fullmatch(r"https://\S+/" + re.escape(setup.name), url) or version not in url:
            fail(f"{url} is not an https address of {setup.name}")
        if entry["InstallerSha256"] != digest:
            fail(f"the manifest gives the hash {entry['InstallerSha256']}, the installer has {digest}")
    print(f"winget manifest {identifier} {version} (schema {schema}): every required field, "
          f"user scope, nullsoft, SHA-256 {digest[:16]}... of {setup.name}")


main()
