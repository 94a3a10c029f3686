"""What a user's machine holds before the run: junk files in the temporary and log folders, Visual
C++ runtime DLLs (and others) registered under SharedDlls, and a log folder of many sub-folders,
whose walk keeps the scan busy for a few seconds, as on a machine that has been used for years."""
import os

SHARED_DLLS_KEY = r"HKEY_LOCAL_MACHINE\SOFTWARE\Microsoft\Windows\CurrentVersion\SharedDlls"

# (folder variable or C: path, file below it, size in bytes)
JUNK_FILES = [
    ("%TEMP%", r"zentarium-e2e\setup-cache.tmp", 48213),
    ("%TEMP%", r"zentarium-e2e\browser\cache_0001.tmp", 1024),
    ("%TEMP%", r"zentarium-e2e\browser\cache_0002.tmp", 2048),
    ("%TEMP%", r"update-install.log", 733),
    (r"C:\windows\Temp", r"MpCmdRun.log", 15102),
    (r"C:\windows\Logs", r"CBS\CBS.log", 90411),
]

# SharedDlls value name -> whether the scan flags it as a runtime DLL that the repair reinstalls.
SHARED_DLLS = {
    r"C:\windows\system32\vcruntime140.dll": True,
    r"C:\windows\system32\msvcp140.dll": True,
    r"C:\windows\system32\msvcr120.dll": True,
    r"C:\windows\system32\mfc140u.dll": False,
    r"C:\Program Files\Common Files\System\zlib1.dll": False,
}

BUSY_FOLDER = r"C:\windows\Logs\WindowsUpdate"
BUSY_SUBFOLDERS = 6000


def plant_junk(machine):
    """The junk files, as Windows paths."""
    temp = machine.expand("TEMP")
    planted = []
    for folder, name, size in JUNK_FILES:
        path = (temp if folder == "%TEMP%" else folder) + "\\" + name
        unix = machine.unix_path(path)
        os.makedirs(os.path.dirname(unix), exist_ok=True)
        with open(unix, "wb") as fh:
            fh.write(b"\0" * size)
        planted.append(path)
    return planted


def plant_shared_dlls(machine):
    lines = [f"[{SHARED_DLLS_KEY}]"]
    lines += ['"{}"=dword:00000001'.format(name.replace("\\", "\\\\")) for name in SHARED_DLLS]
    machine.import_registry(lines)


def plant_busy_folder(machine, subfolders):
    folder = machine.unix_path(BUSY_FOLDER)
    for index in range(subfolders):
        os.makedirs(os.path.join(folder, f"{index:05d}"), exist_ok=True)


def plant_all(machine, busy_subfolders=BUSY_SUBFOLDERS):
    plant_shared_dlls(machine)
    plant_busy_folder(machine, busy_subfolders)
    return plant_junk(machine)
