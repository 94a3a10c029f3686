#!/usr/bin/env python3
"""A local stand-in for the vendor server, for the tests and for running the tool on one machine.

Serves the runtime-library list from a catalogue file, package files from a folder and the two
usage endpoints, and logs every request as "<METHOD> <target>" (target exactly as received) to a
log file. Binds 127.0.0.1 only. Port 0 picks a free port; the chosen addresses are printed and,
with --ports-file, written as "<http port> <https port>" once both listen.

Test behaviours (query values are URL-decoded):
  /test/status?code=N[&location=URL]      any status, with an optional Location header
  /test/redirect?to=URL[&code=302]        a redirect
  /test/encoded?text=T&repeat=N&encoding=gzip|zlib|raw|none[&header=H]
                                          T*N, compressed; Content-Encoding H (default: gzip for
                                          gzip, deflate for zlib and raw, none for none)
  /test/bytes?n=N&mode=length|close|chunked
                                          N pattern bytes (byte i = i % 251); "close" sends no
                                          Content-Length and closes, n=0&mode=length is an empty
                                          reply with Content-Length 0
  /test/cut?length=L&n=N                  announces L bytes, sends N and closes (a cut reply)
  /test/stall?length=L&n=N[&hold=S]       announces L bytes, sends N, then holds the connection open
                                          without sending (S seconds, default 600)
  /test/silent[?hold=S]                   reads the request and never answers (holds S seconds)
  /test/trickle?n=N[&interval=S][&block=B]
                                          N bytes announced, B (default 1) every S seconds
  /test/endless[?mode=close|chunked]      pattern bytes without end, until the client goes away
  /test/gzipbomb?size=N[&claim=C]         gzip of N zero bytes (default 1 GiB, about 1 MB packed),
                                          Content-Encoding gzip; C replaces its size field
  /test/loop?hop=I[&until=U]              redirects to hop I+1 (for ever without until); hop U
                                          answers 200 "arrived after U redirects"
  /test/named/<path>                      200 with the path, percent-decoded as UTF-8, as the body;
                                          400 when the path holds unescaped non-ASCII bytes
  /test/cookie?set=C[&set=C...]           one Set-Cookie header per value
  /test/echo                              the request line, the headers in the order received,
                                          an empty line and the request body
The catalogue is read on every request; "{base}" in it becomes this server's http address, and
it is sent gzip-compressed to clients that accept gzip.
With --silent every path behaves as /test/silent: the server accepts and reads each request and
never answers (the start-up measurements use it as a server that hangs).
SIGTERM or SIGINT shuts the server down cleanly.
"""

import argparse
import gzip
import http.server
import os
import select
import signal
import socket
import ssl
import sys
import threading
import time
import types
import urllib.parse
import zlib

PATTERN_MODULUS = 251
SEND_BLOCK = 1 << 16
DEFAULT_HOLD_SECONDS = 600
HOLD_POLL_SECONDS = 0.2
BOMB_BLOCK = 1 << 20
PACKAGE_SLICES = 20
DEFAULT_BOMB_SIZE = 1 << 30


def pattern_bytes(start, count):
    return bytes((start + i) % PATTERN_MODULUS for i in range(count))


# Large replies are cut from one precomputed stretch of the repeating pattern.
PATTERN_STRETCH = pattern_bytes(0, PATTERN_MODULUS + SEND_BLOCK)


def pattern_block(start, count):
    offset = start % PATTERN_MODULUS
    return PATTERN_STRETCH[offset:offset + count]


def compress(data, encoding):
    if encoding == "gzip":
        return gzip.compress(data)
    if encoding == "zlib":
        return zlib.compress(data)
    if encoding == "raw":
        packer = zlib.compressobj(9, zlib.DEFLATED, -15)
        return packer.compress(data) + packer.flush()
    return data


DEFAULT_CONTENT_ENCODING = {"gzip": "gzip", "zlib": "deflate", "raw": "deflate", "none": ""}


def zeros_gzip(size):
    """A gzip stream of size zero bytes, made without compressing them all: after a full flush
    the compressor starts afresh, so every further megabyte of zeros packs to the same bytes."""
    packer = zlib.compressobj(9, zlib.DEFLATED, -15)
    whole, rest = divmod(size, BOMB_BLOCK)
    unit = packer.compress(bytes(BOMB_BLOCK)) + packer.flush(zlib.Z_FULL_FLUSH) if whole else b""
    tail = packer.compress(bytes(rest)) + packer.flush(zlib.Z_FINISH)
    crc = 0
    zeros = bytes(BOMB_BLOCK)
    for _ in range(whole):
        crc = zlib.crc32(zeros, crc)
    crc = zlib.crc32(bytes(rest), crc)
    header = b"\x1f\x8b\x08\x00\x00\x00\x00\x00\x02\xff"
    return header + unit * whole + tail + crc.to_bytes(4, "little") + (size & 0xFFFFFFFF).to_bytes(4, "little")


class RequestLog:
    def __init__(self, path):
        self.lock = threading.Lock()
        self.file = open(path, "a", encoding="latin-1", newline="\n") if path else None

    def write(self, line):
        if self.file is None:
            return
        with self.lock:
            self.file.write(line + "\n")
            self.file.flush()


class Handler(http.server.BaseHTTPRequestHandler):
    protocol_version = "HTTP/1.1"
    server_version = "ZentariumVendor/1.0"

    def log_message(self, format, *args):  # the request log replaces the access log
        pass

    def do_GET(self):
        self.dispatch()

    def do_POST(self):
        self.dispatch()

    def do_HEAD(self):
        self.dispatch()

    def dispatch(self):
        self.server.shared.request_log.write(f"{self.command} {self.path}")
        self.request_body = self.read_body()
        url = urllib.parse.urlsplit(self.path)
        self.query = urllib.parse.parse_qs(url.query, keep_blank_values=True)
        route = Handler.silent if self.server.shared.silent else ROUTES.get(url.path)
        if route is not None:
            route(self)
        elif url.path.startswith("/test/named/"):
            self.named(url.path[len("/test/named/"):])
        elif url.path.startswith("/packages/"):
            self.send_package(urllib.parse.unquote(url.path[len("/packages/"):]))
        else:
            self.reply(404, b"not found")

    def read_body(self):
        length = int(self.headers.get("Content-Length") or 0)
        return self.rfile.read(length) if length > 0 else b""

    def arg(self, name, default=""):
        return self.query.get(name, [default])[0]

    def int_arg(self, name, default=0):
        try:
            return int(self.arg(name, str(default)))
        except ValueError:
            return default

    def reply(self, status, body, headers=()):
        self.send_response(status)
        for name, value in headers:
            self.send_header(name, value)
        self.send_header("Content-Length", str(len(body)))
        self.end_headers()
        if self.command != "HEAD":
            self.wfile.write(body)

    def send_package(self, name):
        folder = self.server.shared.packages
        if not folder or not name or "/" in name or "\\" in name or name.startswith("."):
            return self.reply(404, b"no such package")
        try:
            with open(os.path.join(folder, name), "rb") as fh:
                data = fh.read()
        except OSError:
            return self.reply(404, b"no such package")
        seconds = self.server.shared.package_seconds
        if seconds <= 0 or self.command == "HEAD":
            return self.reply(200, data, [("Content-Type", "application/octet-stream")])
        self.send_response(200)
        self.send_header("Content-Type", "application/octet-stream")
        self.send_header("Content-Length", str(len(data)))
        self.end_headers()
        step = -(-len(data) // PACKAGE_SLICES) or 1
        for start in range(0, len(data), step):
            time.sleep(seconds / PACKAGE_SLICES)
            self.wfile.write(data[start:start + step])

    # Product endpoints

    def runtimelib(self):
        try:
            with open(self.server.shared.catalogue, "rb") as fh:
                text = fh.read()
        except (OSError, TypeError):
            return self.reply(500, b"no catalogue")
        text = text.replace(b"{base}", self.server.shared.http_base.encode("ascii"))
        headers = [("Content-Type", "application/json; charset=utf-8")]
        if "gzip" in self.headers.get("Accept-Encoding", "").lower():
            text = gzip.compress(text)
            headers.append(("Content-Encoding", "gzip"))
        self.reply(200, text, headers)

    def usage(self):
        self.reply(200, b"ok", [("Content-Type", "text/plain")])

    def service_page(self):
        page = "<html><head><meta charset='utf-8'><title>客服</title></head><body>在线客服</body></html>"
        self.reply(200, page.encode("utf-8"), [("Content-Type", "text/html; charset=utf-8")])

    # Test behaviours

    def status(self):
        code = self.int_arg("code", 200)
        headers = [("Location", self.arg("location"))] if self.arg("location") else []
        self.reply(code, f"status {code}".encode("ascii"), headers)

    def redirect(self):
        self.reply(self.int_arg("code", 302), b"moved", [("Location", self.arg("to", "/"))])

    def encoded(self):
        encoding = self.arg("encoding", "gzip")
        text = self.arg("text", "hello").encode("utf-8") * max(1, self.int_arg("repeat", 1))
        header = self.arg("header", DEFAULT_CONTENT_ENCODING.get(encoding, ""))
        headers = [("Content-Encoding", header)] if header else []
        self.reply(200, compress(text, encoding), headers)

    def bytes_reply(self):
        count = max(0, self.int_arg("n", 0))
        mode = self.arg("mode", "length")
        self.send_response(200)
        self.send_header("Content-Type", "application/octet-stream")
        if mode == "close":
            self.send_header("Connection", "close")
            self.close_connection = True
        elif mode == "chunked":
            self.send_header("Transfer-Encoding", "chunked")
        else:
            self.send_header("Content-Length", str(count))
        self.end_headers()
        for offset in range(0, count, SEND_BLOCK):
            block = pattern_block(offset, min(SEND_BLOCK, count - offset))
            if mode == "chunked":
                self.wfile.write(b"%x\r\n%s\r\n" % (len(block), block))
            else:
                self.wfile.write(block)
        if mode == "chunked":
            self.wfile.write(b"0\r\n\r\n")

    def hold_open(self):
        """Keeps the connection open without sending, until the hold time is up, the client
        goes away or the server stops."""
        self.close_connection = True
        seconds = float(self.arg("hold", str(DEFAULT_HOLD_SECONDS)) or 0)
        waited = 0.0
        while waited < seconds and not self.server.shared.stop_requested.wait(HOLD_POLL_SECONDS):
            waited += HOLD_POLL_SECONDS
            readable, _, _ = select.select([self.connection], [], [], 0)
            try:
                if readable and not self.connection.recv(1, socket.MSG_PEEK):
                    return
            except OSError:
                return

    def announce_and_send(self):
        length = max(0, self.int_arg("length", 1000))
        sent = min(length, max(0, self.int_arg("n", 0)))
        self.send_response(200)
        self.send_header("Content-Length", str(length))
        self.send_header("Connection", "close")
        self.end_headers()
        self.wfile.write(pattern_bytes(0, sent))
        self.wfile.flush()

    def cut(self):
        self.announce_and_send()
        self.close_connection = True

    def stall(self):
        self.announce_and_send()
        self.hold_open()

    def silent(self):
        self.hold_open()

    def trickle(self):
        count = max(0, self.int_arg("n", 10))
        interval = float(self.arg("interval", "0.1") or 0)
        block = max(1, self.int_arg("block", 1))
        self.send_response(200)
        self.send_header("Content-Length", str(count))
        self.send_header("Connection", "close")
        self.end_headers()
        for offset in range(0, count, block):
            self.wfile.write(pattern_block(offset, min(block, count - offset)))
            self.wfile.flush()
            if self.server.shared.stop_requested.wait(interval):
                break
        self.close_connection = True

    def endless(self):
        chunked = self.arg("mode", "close") == "chunked"
        self.send_response(200)
        self.send_header("Content-Type", "application/octet-stream")
        if chunked:
            self.send_header("Transfer-Encoding", "chunked")
        self.send_header("Connection", "close")
        self.end_headers()
        self.close_connection = True
        offset = 0
        while not self.server.shared.stop_requested.is_set():
            block = pattern_block(offset, SEND_BLOCK)
            self.wfile.write(b"%x\r\n%s\r\n" % (len(block), block) if chunked else block)
            offset += SEND_BLOCK

    def gzipbomb(self):
        size = max(0, self.int_arg("size", DEFAULT_BOMB_SIZE))
        shared = self.server.shared
        with shared.bomb_lock:
            if size not in shared.bombs:
                shared.bombs[size] = zeros_gzip(size)
            body = shared.bombs[size]
        if self.arg("claim"):
            body = body[:-4] + (self.int_arg("claim") & 0xFFFFFFFF).to_bytes(4, "little")
        self.reply(200, body, [("Content-Type", "application/json"), ("Content-Encoding", "gzip")])

    def loop(self):
        hop = self.int_arg("hop", 0)
        until = self.arg("until")
        if until and hop >= int(until):
            return self.reply(200, f"arrived after {hop} redirects".encode("ascii"))
        target = f"/test/loop?hop={hop + 1}" + (f"&until={until}" if until else "")
        self.reply(302, b"again", [("Location", target)])

    def named(self, raw):
        # The request line arrives as Latin-1: a character above 0x7F is a byte sent unescaped.
        if any(ord(c) > 0x7F for c in raw):
            return self.reply(400, b"unescaped bytes in the path")
        try:
            name = urllib.parse.unquote(raw, errors="strict")
        except UnicodeDecodeError:
            return self.reply(400, b"the path is not UTF-8")
        self.reply(200, name.encode("utf-8"), [("Content-Type", "application/octet-stream")])

    def cookie(self):
        self.reply(200, b"ok", [("Set-Cookie", value) for value in self.query.get("set", [])])

    def echo(self):
        lines = [self.requestline] + [f"{name}: {value}" for name, value in self.headers.items()]
        text = ("\r\n".join(lines) + "\r\n\r\n").encode("latin-1", "replace") + self.request_body
        self.reply(200, text, [("Content-Type", "text/plain")])


ROUTES = {
    "/zentarium/info/runtimelib": Handler.runtimelib,
    "/zentarium/behavior/action": Handler.usage,
    "/zentarium/behavior/backhaul": Handler.usage,
    "/zentarium/kefu": Handler.service_page,
    "/test/status": Handler.status,
    "/test/redirect": Handler.redirect,
    "/test/encoded": Handler.encoded,
    "/test/bytes": Handler.bytes_reply,
    "/test/cut": Handler.cut,
    "/test/stall": Handler.stall,
    "/test/silent": Handler.silent,
    "/test/trickle": Handler.trickle,
    "/test/endless": Handler.endless,
    "/test/gzipbomb": Handler.gzipbomb,
    "/test/loop": Handler.loop,
    "/test/cookie": Handler.cookie,
    "/test/echo": Handler.echo,
}


class Server(http.server.ThreadingHTTPServer):
    daemon_threads = True
    allow_reuse_address = True

    def __init__(self, port, shared):
        super().__init__(("127.0.0.1", port), Handler)
        self.shared = shared

    def handle_error(self, request, client_address):
        if isinstance(sys.exc_info()[1], (ConnectionError, ssl.SSLError)):
            return  # the client went away or stopped early, as some tests make it
        super().handle_error(request, client_address)


class TlsServer(Server):
    def __init__(self, port, shared, context):
        super().__init__(port, shared)
        self.context = context

    def get_request(self):
        sock, address = self.socket.accept()
        # The handshake runs on the handler's thread: a slow client cannot block accept().
        return self.context.wrap_socket(sock, server_side=True, do_handshake_on_connect=False), address

    def finish_request(self, request, client_address):
        try:
            request.do_handshake()
        except (ssl.SSLError, OSError):
            return
        super().finish_request(request, client_address)


def write_ports_file(path, ports):
    temporary = path + ".tmp"
    with open(temporary, "w", encoding="ascii") as fh:
        fh.write(" ".join(str(port) for port in ports) + "\n")
    os.replace(temporary, path)


def parse_arguments():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--port", type=int, default=8080, help="HTTP port (0 = any free port)")
    parser.add_argument("--https-port", type=int, help="also serve HTTPS on this port (0 = any)")
    parser.add_argument("--cert", help="certificate file (PEM) for HTTPS")
    parser.add_argument("--key", help="private key file (PEM) for HTTPS")
    parser.add_argument("--catalogue", help="runtime-library reply served as the list")
    parser.add_argument("--packages", help="folder whose files are served under /packages/")
    parser.add_argument("--log", help="file that gets one line per request")
    parser.add_argument("--ports-file", help="file that gets the bound ports")
    parser.add_argument("--silent", action="store_true", help="never answer any request")
    parser.add_argument("--package-seconds", type=float, default=0,
                        help="send each package evenly over this many seconds, like a slow line")
    arguments = parser.parse_args()
    if arguments.https_port is not None and not (arguments.cert and arguments.key):
        parser.error("--https-port needs --cert and --key")
    return arguments


def main():
    arguments = parse_arguments()
    stop_requested = threading.Event()
    shared = types.SimpleNamespace(
        catalogue=arguments.catalogue, packages=arguments.packages,
        request_log=RequestLog(arguments.log), stop_requested=stop_requested, http_base="",
        silent=arguments.silent, package_seconds=arguments.package_seconds,
        bombs={}, bomb_lock=threading.Lock())
    servers = [Server(arguments.port, shared)]
    shared.http_base = f"http://127.0.0.1:{servers[0].server_address[1]}"
    print(shared.http_base, flush=True)
    if arguments.https_port is not None:
        context = ssl.SSLContext(ssl.PROTOCOL_TLS_SERVER)
        context.load_cert_chain(arguments.cert, arguments.key)
        servers.append(TlsServer(arguments.https_port, shared, context))
        print(f"https://127.0.0.1:{servers[1].server_address[1]}", flush=True)

    signal.signal(signal.SIGTERM, lambda *_: stop_requested.set())
    signal.signal(signal.SIGINT, lambda *_: stop_requested.set())
    threads = [threading.Thread(target=server.serve_forever, daemon=True) for server in servers]
    for thread in threads:
        thread.start()
    if arguments.ports_file:
        write_ports_file(arguments.ports_file, [server.server_address[1] for server in servers])
    while not stop_requested.wait(0.5):
        pass
    for server in servers:
        server.shutdown()
        server.server_close()
    return 0


if __name__ == "__main__":
    sys.exit(main())
