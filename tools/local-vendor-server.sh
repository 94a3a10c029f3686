#!/usr/bin/env bash
# Starts and stops the local vendor server (tools/vendor_server.py) on the address compiled into a
# build's Zentarium.exe, for running the real program on one machine (tools/run.sh, the start-up
# benchmark). The tests use free ports instead (tools/vendor-server-fixture.sh).
#   local-vendor-server.sh start <dir> <build dir> [vendor_server.py options]
#   local-vendor-server.sh stop <dir>
# <dir> receives server.pid, server.out, ports and requests.log.
# The port is shared by every tree on this machine: a start waits, up to ZENTARIUM_PORT_WAIT seconds
# (default 600), while another run of the tools holds it, and never touches a program of others.
set -euo pipefail

command=$1
dir=$(mkdir -p "$2" && cd "$2" && pwd)
here=$(cd "$(dirname "$0")" && pwd)
pid_file=$dir/server.pid

stop_server() {
    [ -f "$pid_file" ] || return 0
    local pid i
    pid=$(cat "$pid_file")
    if kill -TERM "$pid" 2>/dev/null; then
        for i in $(seq 1 50); do
            kill -0 "$pid" 2>/dev/null || break
            sleep 0.1
        done
        kill -KILL "$pid" 2>/dev/null || true
    fi
    rm -f "$pid_file"
}

# The port of the compiled-in base address; the server only serves this machine's loopback.
compiled_port() {
    local base
    base=$(sed -n 's/^ZENTARIUM_SERVER_BASE:[A-Z]*=//p' "$1/CMakeCache.txt")
    if [[ ! $base =~ ^http://(127\.0\.0\.1|localhost)(:([0-9]+))?$ ]]; then
        echo "local-vendor-server: the build talks to $base, not to this machine" >&2
        return 1
    fi
    echo "${BASH_REMATCH[3]:-80}"
}

# Fd 9 holds the port's lock; the server inherits it and so keeps the port until it ends.
lock_port() {
    local port=$1 wait=${ZENTARIUM_PORT_WAIT:-600}
    local lock=/tmp/zentarium-vendor-port-$port.lock
    exec 9>>"$lock"
    flock -n 9 && return 0
    echo "local-vendor-server: port $port is held by another run of the tools; waiting up to ${wait} s" >&2
    flock -w "$wait" 9 && return 0
    echo "local-vendor-server: port $port is still held by another run of the tools" >&2
    return 1
}

case $command in
start)
    build=$3
    shift 3
    stop_server
    port=$(compiled_port "$build")
    lock_port "$port"
    rm -f "$dir/ports"
    setsid python3 "$here/vendor_server.py" --port "$port" --log "$dir/requests.log" \
        --ports-file "$dir/ports" "$@" </dev/null >"$dir/server.out" 2>&1 &
    echo $! >"$pid_file"
    for i in $(seq 1 100); do
        [ -f "$dir/ports" ] && exit 0
        kill -0 "$(cat "$pid_file")" 2>/dev/null || break
        sleep 0.1
    done
    echo "local-vendor-server: no server on port $port (a program that is not ours may hold it):" >&2
    cat "$dir/server.out" >&2
    stop_server
    exit 1
    ;;
stop)
    stop_server
    ;;
*)
    echo "usage: $0 start <dir> <build dir> [options] | stop <dir>" >&2
    exit 2
    ;;
esac
