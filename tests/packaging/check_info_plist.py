#!/usr/bin/env python3
"""Reads Corvel.app's Info.plist as the platform would and checks what makes
Corvel an accessory application with its own identity."""
import plistlib
import sys

path, version = sys.argv[1], sys.argv[2]
with open(path, "rb") as file:
    info = plistlib.load(file)  # fails on anything that is not a well-formed plist

expected = {
    "CFBundleIdentifier": "app.corvel.Corvel",
    "CFBundleName": "Corvel",
    "CFBundleExecutable": "Corvel",
    "CFBundlePackageType": "APPL",
    "CFBundleShortVersionString": version,
    "CFBundleVersion": version,
    "CFBundleIconFile": "Corvel.icns",
    "LSMinimumSystemVersion": "26.0",
    "LSUIElement": True,
    "NSPrincipalClass": "NSApplication",
}
failures = [f"{key} is {info.get(key)!r}, not {value!r}"
            for key, value in expected.items() if info.get(key) != value]
usage = info.get("NSScreenCaptureUsageDescription", "")
if not isinstance(usage, str) or not usage.startswith("Corvel "):
    failures.append(f"NSScreenCaptureUsageDescription is {usage!r}")
unfilled = [key for key, value in info.items() if isinstance(value, str) and "${" in value]
failures += [f"{key} was never filled in" for key in unfilled]
for failure in failures:
    print(f"Info.plist: {failure}")
sys.exit(1 if failures else 0)
