#!/usr/bin/python3
"""Checks a Windows Installer package's tables (read with msiinfo) against
the rules Windows Installer's validation (ICE) has for what a package puts
in a user profile, and against installing one component in two contexts.
Prints each broken rule; exits 1 if any.

  msi_rules.py PACKAGE.msi
"""
import subprocess
import sys

# Folders of the user's profile, as the validation counts them.
PROFILE_FOLDERS = {"AppDataFolder", "DesktopFolder", "FavoritesFolder", "LocalAppDataFolder", "MyPicturesFolder",
                   "NetHoodFolder", "PersonalFolder", "PrintHoodFolder", "ProgramMenuFolder", "RecentFolder",
                   "SendToFolder", "StartMenuFolder", "StartupFolder", "TemplateFolder", "AdminToolsFolder"}
# Those that stay the installing user's in a per-machine install.
OWN_PROFILE_FOLDERS = {"LocalAppDataFolder", "PersonalFolder", "MyPicturesFolder", "FavoritesFolder", "RecentFolder"}
REGISTRY_KEY_PATH = 0x4
HKCU = "1"


def msiinfo(*arguments):
    return subprocess.run(["msiinfo", *arguments], capture_output=True, text=True, check=True).stdout


def table(package, name):
    """The rows of a table, as dictionaries by column name; none if the
    package has no such table."""
    if name not in msiinfo("tables", package).split():
        return []
    lines = msiinfo("export", package, name).replace("\r", "").split("\n")
    columns = lines[0].split("\t")
    return [dict(zip(columns, line.split("\t"))) for line in lines[3:] if line]


def check(package):
    parents = {row["Directory"]: row["Directory_Parent"] for row in table(package, "Directory")}
    components = {row["Component"]: row for row in table(package, "Component")}
    registry = {row["Registry"]: row for row in table(package, "Registry")}
    removed_folders = {row["DirProperty"] for row in table(package, "RemoveFile") if not row["FileName"]}
    shortcut_owners = {row["Component_"] for row in table(package, "Shortcut") if row["Target"].startswith("[")}

    def ancestors(directory):
        while directory:
            yield directory
            directory = parents.get(directory) if parents.get(directory) != directory else None

    def in_profile(directory, folders=PROFILE_FOLDERS):
        return any(d in folders for d in ancestors(directory))

    def hkcu_key_path(component):
        row = components[component]
        key = registry.get(row["KeyPath"])
        return (int(row["Attributes"]) & REGISTRY_KEY_PATH and key is not None and key["Root"] == HKCU
                and key["Component_"] == component)

    broken = []
    for name, row in components.items():
        if in_profile(row["Directory_"]) and not hkcu_key_path(name):
            broken.append(f"ICE38: {name} installs in the user profile without an HKCU registry key path")
        if name in shortcut_owners and not hkcu_key_path(name):
            broken.append(f"ICE43: {name} has a non-advertised shortcut without an HKCU registry key path")
        context = row["Condition"].strip()
        if context == "NOT ALLUSERS":
            if not in_profile(row["Directory_"]):
                broken.append(f"{name} is per user but installs outside the profile")
        elif context == "ALLUSERS":
            if in_profile(row["Directory_"], OWN_PROFILE_FOLDERS):
                broken.append(f"{name} is per machine but installs in the installing user's profile")
        else:
            broken.append(f"{name} installs in either context (condition '{context}')")
    for directory in parents:
        if directory not in PROFILE_FOLDERS and in_profile(directory) and directory not in removed_folders:
            broken.append(f"ICE64: the folder {directory} lies in the user profile but is not in RemoveFile")
    guids = [row["ComponentId"] for row in components.values()]
    if len(set(guids)) != len(guids):
        broken.append(f"two components share a GUID: {guids}")
    return broken


if __name__ == "__main__":
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    problems = check(sys.argv[1])
    for problem in problems:
        print(problem)
    sys.exit(1 if problems else 0)
