"""What the user's machine shows after the typical run: the packages of the runtime-library list
installed the way each type is installed, the repair time kept twice, and the server's log."""
import os
import re

from desktop import wait_until

VERSION = "1.0.0.2"
UNINSTALL_KEYS = [r"HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall",
                  r"HKLM\Software\Wow6432Node\Microsoft\Windows\CurrentVersion\Uninstall"]
REGISTERED_KEY = r"HKCU\Software\ZentariumTests\Registered"  # written by the test DLL's registration
SETTINGS_KEY = r"HKCU\SOFTWARE\Zentarium"
# The machine is a 64-bit Windows, seen here from outside (a 64-bit view): the even DLL types go
# to system32 whatever the exe, the odd ones to the 32-bit system folder, syswow64.
SYSTEM32 = "C:\\windows\\system32\\"
SYSWOW64 = "C:\\windows\\syswow64\\"
INSTALLER_ARGUMENTS = {  # type -> arguments before the quoted log path
    3: "/q /l", 4: "/q /l", 5: "/q /norestart /log", 6: "/q /norestart /log",
    **{kind: "/quiet /repair /norestart /log" for kind in range(7, 13)},
}
REGISTRATION_WAIT_SECONDS = 30


class Checks:
    """Collects every failed check, so that one run reports all it saw."""

    def __init__(self):
        self.failures = []

    def expect(self, condition, message):
        if not condition:
            self.failures.append(message)
        return condition

    def equal(self, actual, expected, what):
        return self.expect(actual == expected, f"{what}: expected {expected!r}, got {actual!r}")


class MarkerProduct:
    """The product of the test MSI, as its WiX source names it."""

    def __init__(self, wxs_path):
        with open(wxs_path, encoding="utf-8") as fh:
            source = fh.read()
        product = re.search(r'<Product Id="([^"]+)" Name="([^"]+)"', source)
        self.code = "{" + product.group(1) + "}"
        self.name = product.group(2)


def check_msi_package(checks, machine, work, entry, product):
    folder = work + entry["file"] + "dir\\"
    checks.expect(os.path.isfile(machine.unix_path(folder + "vcredist.msi")),
                  f"{entry['file']}: vcredist.msi unpacked into {folder}")
    names = [values.get("DisplayName", ("", ""))[1]
             for values in (machine.reg_values(key + "\\" + product.code) for key in UNINSTALL_KEYS) if values]
    checks.expect(product.name in names, f"{entry['file']}: product {product.name} {product.code} is installed "
                                         f"(uninstall entries seen: {names})")


def check_installer_package(checks, machine, work, entry):
    log = work + entry["file"] + ".log.txt"
    expected = f'{INSTALLER_ARGUMENTS[entry["type"]]} "{log}"'
    recorded = machine.unix_path(work + entry["file"] + ".args.txt")
    arguments = open(recorded, encoding="utf-8").read() if os.path.isfile(recorded) else None
    checks.equal(arguments, expected, f"{entry['file']}: the installer's command line")
    checks.expect(os.path.isfile(machine.unix_path(log)), f"{entry['file']}: its log file {log}")


def system_folder(kind):
    return SYSTEM32 if kind % 2 == 0 else SYSWOW64


def check_dll_package(checks, machine, work, entry, dll_bytes):
    folder = work + entry["file"] + "dir\\"
    system = system_folder(entry["type"])
    top_level = sorted(name for name in os.listdir(machine.unix_path(folder))
                       if os.path.isfile(os.path.join(machine.unix_path(folder), name)))
    nested = sorted(os.path.relpath(os.path.join(root, name), machine.unix_path(folder))
                    for root, _, names in os.walk(machine.unix_path(folder)) for name in names
                    if root != machine.unix_path(folder))
    checks.expect(any(" " in name for name in top_level), f"{entry['file']}: a DLL name with a blank ({top_level})")
    checks.expect(nested, f"{entry['file']}: a DLL in a sub-folder of the archive")
    registered = wait_until("the registrations", lambda: _registered_all(machine, top_level),
                            REGISTRATION_WAIT_SECONDS, interval=0.5) if top_level else {}
    for name in top_level:
        installed = machine.unix_path(system + name)
        checks.expect(os.path.isfile(installed) and open(installed, "rb").read() == dll_bytes,
                      f"{entry['file']}: {system}{name} installed")
        checks.equal(registered.get(name, ("", ""))[1], system + name, f"{entry['file']}: registration of {name}")
        other = SYSWOW64 if system == SYSTEM32 else SYSTEM32
        checks.expect(not os.path.exists(machine.unix_path(other + name)),
                      f"{entry['file']}: {name} is not in {other} as well")
    for path in nested:
        name = os.path.basename(path)
        checks.expect(not os.path.exists(machine.unix_path(system + name)),
                      f"{entry['file']}: the nested {path} is not installed")
        checks.expect(name not in registered, f"{entry['file']}: the nested {path} is not registered")


def _registered_all(machine, names):
    values = machine.reg_values(REGISTERED_KEY) or {}
    return values if all(name in values for name in names) else None


def check_packages(checks, machine, work, catalogue, product, dll_bytes):
    for entry in catalogue:
        kind = entry["type"]
        if kind in (1, 2):
            check_msi_package(checks, machine, work, entry, product)
        elif kind in INSTALLER_ARGUMENTS:
            check_installer_package(checks, machine, work, entry)
        elif 13 <= kind <= 18:
            check_dll_package(checks, machine, work, entry, dll_bytes)


def read_ini_time(path):
    if not os.path.isfile(path):
        return None
    raw = open(path, "rb").read()
    text = raw.decode("utf-16") if raw[:2] == b"\xff\xfe" else raw.decode("latin-1")
    match = re.search(r"^\[config\][^\[]*?^last_xiufu_time=(\d+)", text, re.MULTILINE | re.IGNORECASE)
    return int(match.group(1)) if match else None


def read_repair_time(machine, work):
    """last_xiufu_time of the registry (None unless a REG_DWORD) and of pcdat.ini."""
    value = (machine.reg_values(SETTINGS_KEY) or {}).get("last_xiufu_time")
    registry = int(value[1], 16) if value and value[0] == "REG_DWORD" else None
    return registry, read_ini_time(machine.unix_path(work + "pcdat.ini"))


def check_repair_time(checks, machine, work, repair_started, repair_ended):
    registry, in_file = read_repair_time(machine, work)
    checks.expect(registry is not None, "last_xiufu_time is a REG_DWORD in the registry")
    checks.equal(in_file, registry, "last_xiufu_time of pcdat.ini against the registry's")
    checks.expect(registry is not None and repair_started - 1 <= registry <= repair_ended + 1,
                  f"last_xiufu_time {registry} is the time the repair finished "
                  f"({int(repair_started)} to {int(repair_ended)})")


def start_requests(channel):
    return [f"GET /zentarium/behavior/action?mac=&channel={channel}&version={VERSION}&main=page&sub=start",
            f"GET /zentarium/behavior/backhaul?id=&action=appstart&channel={channel}&version={VERSION}&key1=",
            f"GET /zentarium/info/runtimelib?channel={channel}&version={VERSION}"]


def check_requests(checks, requests, channel, catalogue):
    expected = start_requests(channel) + [f"GET /packages/{entry['file']}" for entry in catalogue]
    checks.equal(requests, expected, "the requests of the run, in order")

