#!/usr/bin/env python3
"""A user's whole run of Zentarium.exe on a fresh Wine machine, driven on its X display the way a
person does it: real pointer clicks where the controls are on the screen, and waits that watch
the screen and the windows. The machine holds planted findings; the local vendor server on the
exe's compiled-in address serves the build's demo catalogue of real packages.

  user_run.py test --build <build dir> [--trusted-root <DER certificate>]
      the end-to-end test: the typical run with the customer-service and report windows, then a
      run closed during its scan, a run ended by taskkill while the customer-service window is
      open, and a repair in which one package cannot be downloaded; the machine is checked as a
      user would find it.
  user_run.py pictures --build <build dir> --out <folder>
      the same typical run and the repair with a missing package, of ZentariumPictures.exe (sample
      events instead of Wine's empty event logs), saving a PNG of each state, cropped to its
      window.
"""
import argparse
import json
import os
import subprocess
import sys
import time

from app_screen import (AppScreen, BLUE_DISABLED, BUTTON_BLUES, DLL_REPORT_SIZE, DONE_GREEN, FAILURE_RED,
                        LIST_REPORT_SIZE, MAIN_SIZE, PROGRESS_FILL, ROW_BACKGROUND, SELECTED_BAR, SERVICE_SIZE,
                        count_line_boxes, report_link)
from desktop import Display, Failure, Rect
from machine_checks import (Checks, MarkerProduct, check_packages, check_repair_time, check_requests,
                            read_repair_time, start_requests)
import planted
from skin_layout import SkinLayout
from vendor import LocalVendorServer
from wine_machine import WineMachine

TOP = os.path.abspath(os.path.join(os.path.dirname(__file__), "..", ".."))
TOOLS = os.path.join(TOP, "tools")

SCREEN_SIZE = (1280, 1024)  # the harness's Xvfb
SCAN_TIMEOUT = 180
REPAIR_TIMEOUT = 600
EXIT_TIMEOUT = 300
DONE_TEXT_PIXELS = 50
# Between the icon (10 to 40) and the text (from 50) of a report's detail line.
LINE_BORDER_COLUMN = 45
# The four result lists share one place on the scan page, shown one at a time; the layout gives
# it for the list that the skin shows first.
RESULT_LIST_PLACE = 121
# Enough folders for the junk walk to keep the scan going until the bar has moved.
PICTURES_BUSY_SUBFOLDERS = 120000
PICTURES_PACKAGE_SECONDS = 4
PICTURES_SCAN_PROGRESS = 0.08  # of the bar; the scan advances it by 2 % a second
# Listed first by the server in the repair with a missing package.
MISSING_PACKAGE = {"name": "Microsoft Visual C++ 2008 运行库", "type": 7,
                   "url": "{base}/packages/vcredist_2008_missing.exe"}


class UserRun:
    def __init__(self, arguments):
        self.build = os.path.abspath(arguments.build)
        self.pictures = os.path.abspath(arguments.out) if arguments.mode == "pictures" else None
        name = "pictures" if self.pictures else "e2e"
        self.state = os.path.join(self.build, name)
        self.exe = os.path.join(self.build, "bin", "ZentariumPictures.exe" if self.pictures else "Zentarium.exe")
        # The demo packages are signed under the test root that the build made beside the trees.
        trusted_root = arguments.trusted_root or os.path.join(os.path.dirname(self.build), "test-pki", "root.der")
        self.machine = WineMachine(os.path.join(TOOLS, "wine-harness.sh"), self.state, trusted_root)
        self.server = LocalVendorServer(os.path.join(TOOLS, "local-vendor-server.sh"),
                                        os.path.join(self.state, "vendor"), self.build)
        self.catalogue = self._catalogue()
        self.display = None
        self.layout = None
        self.junk = []
        self.runs = 0
        self.began = time.monotonic()

    def _catalogue(self):
        with open(os.path.join(self.build, "demo", "runtimelib.json"), encoding="utf-8") as fh:
            entries = json.load(fh)["data"]["runtimelib"]
        return [dict(entry, file=entry["url"].rsplit("/packages/", 1)[1]) for entry in entries]

    def say(self, text):
        print(f"user_run: {time.monotonic() - self.began:6.1f} s  {text}", flush=True)

    def set_up(self):
        self.say(f"a fresh Wine machine in {self.machine.prefix}")
        self.machine.start(fresh=True)
        self.display = Display(self.machine.display)
        self.machine.leave_unmanaged(os.path.basename(self.exe))
        self.layout = SkinLayout.of_exe(self.machine, os.path.join(self.build, "bin", "SkinLayoutDump.exe"))
        # The pictures need a scan and a repair slow enough to be seen while they run.
        busy = PICTURES_BUSY_SUBFOLDERS if self.pictures else planted.BUSY_SUBFOLDERS
        self.junk = planted.plant_all(self.machine, busy)
        self.serve(os.path.join(self.build, "demo", "runtimelib.json"))
        self.say(f"vendor server {self.server.address}, display {self.machine.display}")

    def serve(self, catalogue):
        options = ["--package-seconds", str(PICTURES_PACKAGE_SECONDS)] if self.pictures else []
        self.server.start(catalogue, os.path.join(self.build, "demo", "packages"), options)

    def serve_with_missing_package(self):
        """The demo catalogue with a package in front of it that the server does not have."""
        with open(os.path.join(self.build, "demo", "runtimelib.json"), encoding="utf-8") as fh:
            reply = json.load(fh)
        reply["data"]["runtimelib"].insert(0, MISSING_PACKAGE)
        path = os.path.join(self.state, "runtimelib-missing.json")
        with open(path, "w", encoding="utf-8") as fh:
            json.dump(reply, fh, ensure_ascii=False)
        self.server.stop()
        self.serve(path)

    def tear_down(self):
        self.server.stop()
        self.machine.stop()

    def start_program(self):
        self.runs += 1
        self.server.clear_log()
        process = self.machine.start_program(self.exe, os.path.join(self.state, f"program-{self.runs}.out"))
        app = AppScreen(self.display, self.layout, os.path.basename(self.exe).lower(), process)
        main = app.wait_for_window("main", MAIN_SIZE, "main", timeout=120)
        app.wait_for_button("the home page to be painted", main, "home", 104)
        self.say(f"the main window is painted at {main.rect.left},{main.rect.top}")
        return app, main

    def save_screen(self, name):
        """The whole screen, for a person to see what the run saw."""
        if not self.display:
            return
        path = os.path.join(self.state, name + ".png")
        try:
            self.display.save_png(Rect(0, 0, *SCREEN_SIZE), path)
            self.say(f"the screen is in {path}")
        except Failure as failure:
            self.say(f"no picture of the screen: {failure}")

    def picture(self, name, app, screen, settle=True):
        if not self.pictures:
            return
        app.move_pointer_away()
        if settle:
            app.wait_until_settled(screen.rect)
        os.makedirs(self.pictures, exist_ok=True)
        path = os.path.join(self.pictures, name + ".png")
        self.display.save_png(screen.rect, path)
        self.say(f"picture {path}")


def open_customer_service(run, app, main, state, control, picture=None):
    main.click(state, control)
    service = app.wait_for_window("customer-service", SERVICE_SIZE, "kefu")
    app.wait_for_button("the customer-service window to be painted", service, "service", 102)
    if picture:
        run.picture(picture, app, service)
    service.click("service", 100)
    app.wait_until_gone("customer-service", service)
    run.say(f"the customer-service window opened from {control} and closed")


def choose_symptom(run, app, main):
    before = main.grab("home", 106).data
    main.click("home", 112)
    app.wait("the symptom picture to change", lambda: main.grab("home", 106).data != before)
    run.picture("symptom", app, main)


def entry_selected(main, entry):
    rect = main.control("scanned", entry)
    return main.display.pixel(rect.left + 2, (rect.top + rect.bottom) // 2) == SELECTED_BAR


def scan(run, app, main):
    main.click("home", 104)
    app.wait("the scan to run", lambda: main.background("scan", 130) == BLUE_DISABLED, 30)
    app.move_pointer_away()
    app.wait("junk rows while the scan goes on",
             lambda: main.background("scan", 130) == BLUE_DISABLED and entry_selected(main, 119)
             and report_link(main.grab("scan", RESULT_LIST_PLACE)), SCAN_TIMEOUT)
    if run.pictures:
        bar = main.control("scan", 126)
        filled = (bar.left + int(bar.width * PICTURES_SCAN_PROGRESS), (bar.top + bar.bottom) // 2)
        app.wait("the progress bar to fill a little", lambda: main.display.pixel(*filled) == PROGRESS_FILL,
                 SCAN_TIMEOUT)
    run.picture("scanning", app, main, settle=False)
    app.wait("the end of the scan", lambda: main.background("scanned", 130) in BUTTON_BLUES, SCAN_TIMEOUT)
    run.say("the scan ended")
    if run.pictures:
        main.click("scanned", 117)
        app.wait("the crash list to be shown", lambda: entry_selected(main, 117))
    run.picture("scan-finished", app, main)


def open_report(run, app, main, entry, result_list, size, state, repair_button, picture):
    main.click("scanned", entry)
    app.wait(f"category {entry} to be selected", lambda: entry_selected(main, entry))
    link = app.wait(f"a report link in list {result_list}",
                    lambda: report_link(main.grab("scanned", RESULT_LIST_PLACE)))
    main.display.click(*link)
    report = app.wait_for_window(f"report of list {result_list}", size, "details")
    app.wait_for_button("the report to be painted", report, state, repair_button)
    run.picture(picture, app, report)
    return report


def close_report(app, report, state):
    report.click(state, 100)
    app.wait_until_gone("report", report)


def open_reports(run, app, main, checks):
    """The list report of the first crash row (sample events) or, in the test, of the first junk
    row; then the report of the first flagged DLL."""
    entry, result_list = (117, 121) if run.pictures else (119, 123)
    report = open_report(run, app, main, entry, result_list, LIST_REPORT_SIZE, "list", 107, "report-events")
    lines = report.grab("list", 110)
    listed = count_line_boxes(lines, lines.rect.left + LINE_BORDER_COLUMN)
    if not run.pictures:
        temp_junk = sum(1 for path in run.junk if path.startswith(run.machine.expand("TEMP")))
        checks.expect(listed >= temp_junk, f"the junk report lists {listed} files, fewer than the "
                                           f"{temp_junk} planted in the temporary folder")
    close_report(app, report, "list")
    run.say(f"the list report showed {listed} lines and closed")
    report = open_report(run, app, main, 120, 124, DLL_REPORT_SIZE, "dll", 103, "report-dll")
    close_report(app, report, "dll")
    run.say("the DLL report opened and closed")


def repair(run, app, main):
    main.click("scanned", 130)
    first_row = main.control("repair", 132)

    def repairing():
        return main.display.pixel(first_row.left + 10, first_row.top + 10) == ROW_BACKGROUND

    # The rows' "已完成" share the done title's green and its place.
    def done():
        return not repairing() and main.grab("done", 135).count(DONE_GREEN) > DONE_TEXT_PIXELS

    app.move_pointer_away()
    app.wait("the repairing page", lambda: repairing() or done(), 60)
    if run.pictures:
        app.wait("the first row to be marked done",
                 lambda: main.display.grab(first_row).count(DONE_GREEN) > DONE_TEXT_PIXELS, REPAIR_TIMEOUT)
    run.picture("repairing", app, main, settle=False)
    app.wait("the done page", done, REPAIR_TIMEOUT)
    run.say("the repair ended on the done page")
    run.picture("done", app, main)


def close_program(run, app, main, state):
    main.click(state, 101)
    app.wait_until_gone("main", main)
    hidden_while_running = app.running()
    try:
        code = app.process.wait(EXIT_TIMEOUT)
    except subprocess.TimeoutExpired as error:
        raise Failure(f"the program did not end {EXIT_TIMEOUT} s after its window was closed") from error
    run.say(f"the program ended with exit code {code}")
    return code, hidden_while_running


def repair_with_missing_package(run, checks):
    """The first package cannot be downloaded: its row turns "修复失败" once the next one is
    repaired, the done page says the repair did not complete, and the stored repair time stays."""
    work = run.machine.expand("APPDATA") + "\\Zentarium\\"
    stored_before = read_repair_time(run.machine, work)
    run.serve_with_missing_package()
    app, main = run.start_program()
    main.click("home", 104)
    app.wait("the end of the scan", lambda: main.background("scanned", 130) in BUTTON_BLUES, SCAN_TIMEOUT)
    main.click("scanned", 130)
    first_row = main.control("repair", 132)
    app.move_pointer_away()
    app.wait("the missing package's row to show its failure",
             lambda: main.display.grab(first_row).count(FAILURE_RED) > DONE_TEXT_PIXELS, REPAIR_TIMEOUT)
    run.picture("repair-failed-row", app, main, settle=False)
    app.wait("the not-completed done page",
             lambda: main.display.pixel(first_row.left + 10, first_row.top + 10) != ROW_BACKGROUND
             and main.grab("done", 135).count(FAILURE_RED) > DONE_TEXT_PIXELS, REPAIR_TIMEOUT)
    run.say("the repair with a missing package ended on the not-completed done page")
    run.picture("done-incomplete", app, main)
    code, _ = close_program(run, app, main, "done")
    checks.equal(code, 0, "exit code after the repair with a missing package")
    checks.equal(read_repair_time(run.machine, work), stored_before,
                 "the repair time of the incomplete repair is not stored")


def close_by_another_program(run, checks):
    """Task Manager's "End task" or taskkill while the customer-service window is open."""
    app, main = run.start_program()
    main.click("home", 102)
    service = app.wait_for_window("customer-service", SERVICE_SIZE, "kefu")
    app.wait_for_button("the customer-service window to be painted", service, "service", 102)
    pid = run.machine.windows_pid(os.path.basename(run.exe))
    if pid is None:
        raise Failure("the running program is not in Wine's process list")
    output = run.machine.run_program("taskkill", "/pid", str(pid), check=False)
    run.say("taskkill: " + " ".join(output.split()))
    app.wait_until_gone("customer-service", service)
    app.wait_until_gone("main", main)
    try:
        code = app.process.wait(EXIT_TIMEOUT)
    except subprocess.TimeoutExpired as error:
        raise Failure(f"the program did not end {EXIT_TIMEOUT} s after taskkill") from error
    run.say(f"taskkill with the customer-service window open: exit code {code}")
    checks.equal(code, 0, "exit code after taskkill with the customer-service window open")


def typical_run(run, checks):
    app, main = run.start_program()
    run.picture("home", app, main)
    open_customer_service(run, app, main, "home", 102)
    choose_symptom(run, app, main)
    scan(run, app, main)
    open_reports(run, app, main, checks)
    started = time.time()
    repair(run, app, main)
    ended = time.time()
    open_customer_service(run, app, main, "done", 134, picture="customer-service")
    code, _ = close_program(run, app, main, "done")
    checks.equal(code, 0, "exit code after the close button")
    return started, ended


def close_during_scan(run, checks):
    app, main = run.start_program()
    main.click("home", 104)
    app.wait("the scan to run", lambda: main.background("scan", 130) == BLUE_DISABLED, 30)
    code, hidden_while_running = close_program(run, app, main, "scan")
    checks.expect(hidden_while_running, "the window went at once while the process waited for its scan worker")
    checks.equal(code, 0, "exit code after the close button during the scan")


def check_machine(run, checks, repair_started, repair_ended, typical_requests):
    work = run.machine.expand("APPDATA") + "\\Zentarium\\"
    product = MarkerProduct(os.path.join(TOOLS, "repair_marker.wxs"))
    dll = os.path.join(run.build, "demo", "runtime_dll.dll")  # signed, as the archive holds it
    with open(dll, "rb") as fh:
        check_packages(checks, run.machine, work, run.catalogue, product, fh.read())
    check_repair_time(checks, run.machine, work, repair_started, repair_ended)
    check_requests(checks, typical_requests, channel(run.build), run.catalogue)


def channel(build):
    with open(os.path.join(build, "CMakeCache.txt"), encoding="utf-8") as fh:
        for line in fh:
            if line.startswith("ZENTARIUM_CHANNEL:"):
                return line.split("=", 1)[1].strip()
    raise Failure("no ZENTARIUM_CHANNEL in the build's cache")


def test(run):
    checks = Checks()
    started, ended = typical_run(run, checks)
    typical_requests = run.server.requests()
    check_machine(run, checks, started, ended, typical_requests)
    close_during_scan(run, checks)
    checks.equal(run.server.requests(), start_requests(channel(run.build)), "the requests of the closed run")
    close_by_another_program(run, checks)
    repair_with_missing_package(run, checks)
    for failure in checks.failures:
        print(f"user_run: FAILED: {failure}", flush=True)
    return not checks.failures


def pictures(run):
    typical_run(run, Checks())
    repair_with_missing_package(run, Checks())
    return True


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("mode", choices=["test", "pictures"])
    parser.add_argument("--build", required=True)
    parser.add_argument("--out")
    parser.add_argument("--trusted-root", help="DER certificate of the demo packages' root")
    arguments = parser.parse_args()
    if arguments.mode == "pictures" and not arguments.out:
        parser.error("pictures needs --out")
    began = time.monotonic()
    run = UserRun(arguments)
    try:
        run.set_up()
        passed = test(run) if arguments.mode == "test" else pictures(run)
    except Failure as failure:
        print(f"user_run: FAILED: {failure}", flush=True)
        run.save_screen("failure")
        passed = False
    finally:
        run.tear_down()
    print(f"user_run: {'passed' if passed else 'failed'} in {time.monotonic() - began:.1f} s", flush=True)
    return 0 if passed else 1


if __name__ == "__main__":
    sys.exit(main())
