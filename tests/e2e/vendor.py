"""The local vendor server on the address compiled into the build's exe
(tools/local-vendor-server.sh, which waits while another run of the tools holds that port)."""
import os
import subprocess

from desktop import Failure


class LocalVendorServer:
    def __init__(self, script, folder, build):
        self.script = script
        self.folder = folder
        self.build = build

    def start(self, catalogue, packages, options=()):
        result = subprocess.run([self.script, "start", self.folder, self.build, "--catalogue", catalogue,
                                 "--packages", packages, *options], stdin=subprocess.DEVNULL, stdout=subprocess.PIPE,
                                stderr=subprocess.STDOUT, check=False)
        if result.returncode != 0:
            raise Failure("the local vendor server did not start:\n" + result.stdout.decode("utf-8", "replace"))
        self.clear_log()

    def stop(self):
        subprocess.run([self.script, "stop", self.folder], stdin=subprocess.DEVNULL, check=False)

    @property
    def address(self):
        with open(os.path.join(self.folder, "server.out"), encoding="utf-8") as fh:
            return fh.readline().strip()

    def _log_path(self):
        return os.path.join(self.folder, "requests.log")

    def clear_log(self):
        open(self._log_path(), "w", encoding="utf-8").close()

    def requests(self):
        """Each request as "<METHOD> <target>", in the order the server received them."""
        with open(self._log_path(), encoding="utf-8") as fh:
            return [line.rstrip("\n") for line in fh if line.strip()]
