#!/usr/bin/env bash
# The Wine side of the tests: an isolated prefix under the build tree, one Xvfb display and
# one wineserver kept alive for the whole CTest run (every Wine start would cost seconds).
#   wine-harness.sh start <state-dir> [<root cert>]   prefix (made on first use), display, server;
#                                                     a DER certificate given is put into Root
#   wine-harness.sh run <state-dir> <locale> <exe> [args]  one program, with the exit code it gives
#   wine-harness.sh stop <state-dir>                  ends every Wine process of the prefix and Xvfb
# ZENTARIUM_DISPLAY names an existing X display to use instead of a private Xvfb.
set -euo pipefail

command=$1
state=$(mkdir -p "$2" && cd "$2" && pwd)
shift 2

export WINEPREFIX=$state/prefix
export WINEDEBUG=-all
# ZENTARIUM_DLL_OVERRIDES adds overrides of a test's own ("winhttp,msimg32=n,b").
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d${ZENTARIUM_DLL_OVERRIDES:+;$ZENTARIUM_DLL_OVERRIDES}"
unset WINEARCH

display_file=$state/display
xvfb_pid_file=$state/xvfb.pid

stop_all() {
    wineserver -k >/dev/null 2>&1 || true
    if [ -f "$xvfb_pid_file" ]; then
        kill "$(cat "$xvfb_pid_file")" >/dev/null 2>&1 || true
        rm -f "$xvfb_pid_file"
    fi
    rm -f "$display_file"
}

start_display() {
    if [ -n "${ZENTARIUM_DISPLAY:-}" ]; then
        echo "$ZENTARIUM_DISPLAY" >"$display_file"
        return 0
    fi
    local n
    for n in $(seq 90 160); do
        [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] && continue
        setsid Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp </dev/null >"$state/xvfb.log" 2>&1 &
        echo $! >"$xvfb_pid_file"
        local i
        for i in $(seq 1 100); do
            if [ -e "/tmp/.X11-unix/X$n" ]; then
                echo ":$n" >"$display_file"
                return 0
            fi
            kill -0 "$(cat "$xvfb_pid_file")" 2>/dev/null || break
            sleep 0.1
        done
    done
    echo "wine-harness: no Xvfb display could be started" >&2
    return 1
}

# Chinese UI font of the skin ("微软雅黑") mapped to the font Debian ships; no crash dialogs.
write_registry() {
    python3 - "$state/setup.reg" <<'PY'
import sys
lines = [
    "Windows Registry Editor Version 5.00", "",
    r"[HKEY_LOCAL_MACHINE\Software\Microsoft\Windows NT\CurrentVersion\FontSubstitutes]",
    '"微软雅黑"="WenQuanYi Micro Hei"',
    '"Microsoft YaHei"="WenQuanYi Micro Hei"', "",
    r"[HKEY_CURRENT_USER\Software\Wine\Fonts\Replacements]",
    '"微软雅黑"="WenQuanYi Micro Hei"',
    '"Microsoft YaHei"="WenQuanYi Micro Hei"', "",
    r"[HKEY_CURRENT_USER\Software\Wine\WineDbg]",
    '"ShowCrashDialog"=dword:00000000', "",
]
with open(sys.argv[1], "w", encoding="utf-16", newline="\r\n") as fh:
    fh.write("\n".join(lines) + "\n")
PY
    wine regedit /S "$(winepath -w "$state/setup.reg" 2>/dev/null)"
}

# Trusted as the machine's own roots are: the certificate as the one property of a Root store
# entry, named by its SHA-1 thumbprint (the layout crypt32 keeps there).
trust_root() {
    python3 - "$1" "$state/root.reg" <<'PY'
import hashlib, struct, sys
der = open(sys.argv[1], "rb").read()
blob = struct.pack("<III", 32, 1, len(der)) + der  # CERT_CERT_PROP_ID, reserved, length
key = hashlib.sha1(der).hexdigest().upper()
lines = [
    "Windows Registry Editor Version 5.00", "",
    rf"[HKEY_LOCAL_MACHINE\Software\Microsoft\SystemCertificates\Root\Certificates\{key}]",
    '"Blob"=hex:' + ",".join(f"{byte:02x}" for byte in blob), "",
]
with open(sys.argv[2], "w", encoding="utf-16", newline="\r\n") as fh:
    fh.write("\n".join(lines) + "\n")
PY
    wine regedit /S "$(winepath -w "$state/root.reg" 2>/dev/null)"
}

make_prefix() {
    rm -rf "$WINEPREFIX"
    echo "wine-harness: creating the Wine prefix (first use)"
    LC_ALL=zh_CN.UTF-8 wineboot --init </dev/null >"$state/wineboot.log" 2>&1
    wineserver -w
    LC_ALL=zh_CN.UTF-8 write_registry
    wineserver -w
    touch "$WINEPREFIX/.zentarium-ready"
}

case $command in
start)
    stop_all
    start_display
    export DISPLAY=$(cat "$display_file")
    [ -f "$WINEPREFIX/.zentarium-ready" ] || make_prefix
    wineserver -p </dev/null >/dev/null 2>&1
    if [ $# -ge 1 ]; then
        trust_root "$1"
    fi
    # Start the prefix's services now, detached from any test's output.
    wine wineboot </dev/null >/dev/null 2>&1 || true
    echo "wine-harness: prefix $WINEPREFIX, display $DISPLAY"
    ;;
run)
    locale=$1
    shift
    if [ ! -f "$display_file" ]; then
        echo "wine-harness: not started (run the tests through ctest)" >&2
        exit 1
    fi
    export DISPLAY=$(cat "$display_file")
    export LC_ALL=$locale
    # Wine's helper processes (services, the desktop) inherit the output descriptors of the
    # program that starts them and live on with the server; CTest would wait for them to close.
    # So the program writes to a file that is shown when it ends.
    output=$(mktemp "$state/run.XXXXXX")
    wine "$@" </dev/null >"$output" 2>&1 &
    child=$!
    trap 'kill $child 2>/dev/null; cat "$output"; rm -f "$output"; exit 124' TERM INT
    rc=0
    wait $child || rc=$?
    cat "$output"
    # A test exe killed from outside (the OOM killer, say) can leave Wine reporting 0; a
    # GoogleTest run that began but never printed its summary did not pass.
    if [ $rc = 0 ] && grep -q '^\[==========\] Running' "$output" \
       && ! grep -q '^\[==========\] .* ran\.' "$output"; then
        echo "wine-harness: the test exe ended without its summary" >&2
        rc=1
    fi
    rm -f "$output"
    exit $rc
    ;;
stop)
    stop_all
    ;;
*)
    echo "usage: $0 start|run|stop <state-dir> ..." >&2
    exit 2
    ;;
esac
