#!/usr/bin/env bash
# Starts and stops the local vendor server for the network tests (CTest fixture steps).
#   vendor-server-fixture.sh start <dir>   certificate, empty catalogue, server on free ports
#   vendor-server-fixture.sh stop <dir>    ends the server that start launched
# <dir> receives: ports ("<http port> <https port>"), requests.log, runtimelib.json, packages/,
# cert.pem and key.pem (self-signed, made here with openssl), server.pid and server.out.
set -euo pipefail

command=$1
dir=$(mkdir -p "$2" && cd "$2" && pwd)
here=$(cd "$(dirname "$0")" && pwd)
pid_file=$dir/server.pid

stop_server() {
    [ -f "$pid_file" ] || return 0
    local pid
    pid=$(cat "$pid_file")
    if kill -TERM "$pid" 2>/dev/null; then
        local i
        for i in $(seq 1 50); do
            kill -0 "$pid" 2>/dev/null || break
            sleep 0.1
        done
        kill -KILL "$pid" 2>/dev/null || true
    fi
    rm -f "$pid_file"
}

case $command in
start)
    stop_server
    rm -f "$dir/ports" "$dir/requests.log"
    mkdir -p "$dir/packages"
    openssl req -x509 -newkey rsa:2048 -nodes -days 7 -subj "/CN=127.0.0.1" \
        -addext "subjectAltName=IP:127.0.0.1" \
        -keyout "$dir/key.pem" -out "$dir/cert.pem" >/dev/null 2>&1
    echo '{"code":200,"data":{"runtimelib":[]}}' >"$dir/runtimelib.json"
    setsid python3 "$here/vendor_server.py" --port 0 --https-port 0 \
        --cert "$dir/cert.pem" --key "$dir/key.pem" --catalogue "$dir/runtimelib.json" \
        --packages "$dir/packages" --log "$dir/requests.log" --ports-file "$dir/ports" \
        </dev/null >"$dir/server.out" 2>&1 &
    echo $! >"$pid_file"
    for i in $(seq 1 100); do
        if [ -f "$dir/ports" ]; then
            echo "vendor server: $(tr '\n' ' ' <"$dir/server.out")"
            exit 0
        fi
        kill -0 "$(cat "$pid_file")" 2>/dev/null || break
        sleep 0.1
    done
    echo "vendor server did not start:" >&2
    cat "$dir/server.out" >&2
    stop_server
    exit 1
    ;;
stop)
    stop_server
    ;;
*)
    echo "usage: $0 start|stop <dir>" >&2
    exit 2
    ;;
esac
