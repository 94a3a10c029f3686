"""The user's machine: a Wine prefix with its own display, made and ended by tools/wine-harness.sh,
its programs, registry and files."""
import os
import re
import shutil
import subprocess

from desktop import Failure

REG_LINE = re.compile(r"^    (.*?)    (REG_[A-Z_]+)    ?(.*)$")


class WineMachine:
    def __init__(self, harness, state_dir, trusted_root=None):
        self.harness = harness
        self.state = state_dir
        self.trusted_root = trusted_root  # a DER certificate put into the machine's Root store
        self.prefix = os.path.join(state_dir, "prefix")

    def start(self, fresh):
        """Starts the display and the wineserver; a fresh machine has a new prefix (wineboot)."""
        if fresh:
            self._harness("stop")
            shutil.rmtree(self.prefix, ignore_errors=True)
        code, output = self._harness("start", *([self.trusted_root] if self.trusted_root else []))
        if code != 0:
            raise Failure(f"the Wine harness did not start:\n{output}")

    def stop(self):
        self._harness("stop")

    @property
    def display(self):
        with open(os.path.join(self.state, "display"), encoding="ascii") as fh:
            return fh.read().strip()

    def _harness(self, command, *args):
        result = subprocess.run([self.harness, command, self.state, *args], stdin=subprocess.DEVNULL,
                                stdout=subprocess.PIPE, stderr=subprocess.STDOUT, check=False)
        return result.returncode, result.stdout.decode("utf-8", "replace")

    def run_program(self, program, *args, locale="C.UTF-8", check=True):
        """Runs a program to its end; its output as text."""
        code, output = self._harness("run", locale, program, *args)
        if check and code != 0:
            raise Failure(f"{os.path.basename(program)} {' '.join(args)} ended with {code}:\n{output}")
        return output

    def start_program(self, program, output_path, locale="zh_CN.UTF-8"):
        """Starts a program like a user does and leaves it running; its output goes to a file."""
        output = open(output_path, "wb")
        return subprocess.Popen([self.harness, "run", self.state, locale, program], stdin=subprocess.DEVNULL,
                                stdout=output, stderr=subprocess.STDOUT)

    def windows_pid(self, exe_name):
        """The Windows process id of the running program, or None (Wine's taskkill does not find
        programs by image name)."""
        for line in self.run_program("winedbg", "--command", "info proc", check=False).splitlines():
            fields = line.replace("=", " ").replace("\\_", " ").split()
            if len(fields) >= 3 and fields[-1].strip("'").lower() == exe_name.lower():
                return int(fields[0], 16)
        return None

    def leave_unmanaged(self, exe_name):
        """The display has no window manager: Wine would wait two seconds for one on each hide
        and destroy of the exe's windows."""
        self.run_program("reg", "add", f"HKCU\\Software\\Wine\\AppDefaults\\{exe_name}\\X11 Driver",
                         "/v", "Managed", "/d", "N", "/f")

    def expand(self, variable):
        return self.run_program("cmd", "/c", f"echo %{variable}%").strip()

    def unix_path(self, windows_path):
        """C:\\… inside the prefix; each existing folder matched without regard to case."""
        if not re.match(r"^[Cc]:\\", windows_path):
            raise Failure(f"not a path on drive C: {windows_path}")
        path = os.path.join(self.prefix, "drive_c")
        for part in [p for p in windows_path[3:].split("\\") if p]:
            exact = os.path.join(path, part)
            if not os.path.exists(exact) and os.path.isdir(path):
                matches = [name for name in os.listdir(path) if name.lower() == part.lower()]
                exact = os.path.join(path, matches[0]) if matches else exact
            path = exact
        return path

    def reg_values(self, key):
        """The values of a registry key as (type, data) by name; None when the key is missing."""
        code, output = self._harness("run", "C.UTF-8", "reg", "query", key)
        if code != 0:
            return None
        values = {}
        for line in output.splitlines():
            match = REG_LINE.match(line.rstrip("\r"))
            if match:
                values[match.group(1)] = (match.group(2), match.group(3))
        return values

    def import_registry(self, lines):
        """Writes registry entries like a .reg file of the Registry Editor does."""
        path = os.path.join(self.state, "planted.reg")
        with open(path, "w", encoding="utf-16", newline="\r\n") as fh:
            fh.write("Windows Registry Editor Version 5.00\n\n" + "\n".join(lines) + "\n")
        self.run_program("regedit", "/S", "Z:" + path.replace("/", "\\"))
