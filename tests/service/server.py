#!/usr/bin/env python3
"""Local stand-in for the study service: captcha, login replies, the study and
account pages (study.py, pages/), and a control API under /__test/ for the tests.

    python3 tests/service/server.py --port 8642 [--log FILE]

Standard library only. Every request outside /__test/ is logged (request line
and header lines) to stderr or FILE and kept for /__test/log.
"""

import argparse
import itertools
import secrets
import sys
import threading
import time
from http.server import BaseHTTPRequestHandler, ThreadingHTTPServer
from pathlib import Path

sys.dont_write_bytecode = True  # no __pycache__ in the checkout
from study import CONTENT_TYPE as PAGE_CONTENT_TYPE, Pages, builtin_accounts

HERE = Path(__file__).resolve().parent
CAPTCHA_DIR = HERE / "captcha"

# How long a "hang" scenario holds the socket before giving up on it.
HANG_SECONDS = 60
SLOW_CAPTCHA_SECONDS = 5
SCENARIOS = ("normal", "redirect", "error500", "nocon", "oddcode", "spaced",
             "hang", "slowcaptcha", "badcaptcha", "huge")
# Bigger than any reply the client accepts (16 MiB).
HUGE_REPLY_BYTES = 17 << 20

REDIRECT_TARGET = "/en/user/moved.php"


def load_captchas():
    """(jpeg bytes, answer) pairs from captcha/answers.txt."""
    captchas = []
    for line in (CAPTCHA_DIR / "answers.txt").read_text(encoding="ascii").splitlines():
        line = line.strip()
        if not line or line.startswith("#"):
            continue
        name, answer = line.split()
        captchas.append(((CAPTCHA_DIR / name).read_bytes(), answer))
    if not captchas:
        raise SystemExit("no captcha pictures in " + str(CAPTCHA_DIR))
    return captchas


def parse_query(query):
    """Naive, as the real service sees the client's unencoded values: split on
    '&', then on the first '='; nothing is percent-decoded."""
    values = {}
    for part in query.split("&"):
        name, _, value = part.partition("=")
        values.setdefault(name, value)
    return values


def wire_text(text):
    """The request line arrives as ISO-8859-1 characters; the client's bytes are
    code page 936."""
    return text.encode("latin-1").decode("gbk", errors="replace")


def login_reply(fields):
    """The XML reply in GBK bytes; fields is a list of (element, text)."""
    body = "".join("<%s>%s</%s>" % (name, text, name) for name, text in fields)
    return ('<?xml version="1.0" encoding="gb2312"?><con>%s</con>' % body).encode("gbk")


class State:
    """Everything the control API can see or change; one lock for all of it."""

    def __init__(self, captchas):
        self.lock = threading.Lock()
        self.captchas = captchas
        self.next_captcha = itertools.cycle(range(len(captchas)))
        self.connection_serial = itertools.count(1)
        self.release_hang = threading.Event()
        self.reset()

    def reset(self):
        with self.lock:
            self.scenario = "normal"
            self.log = []            # one text per request
            self.connections = []    # connection serial per logged request
            self.sessions = {}       # PHPSESSID -> captcha answer
            self.accounts = builtin_accounts()   # e-mail -> Account; sign-ups add to it
            self.logins = {}         # sid of a successful login -> e-mail
            self.last_answer = ""
        # Let go of any request held by "hang" and arm the event again.
        self.release_hang.set()
        self.release_hang = threading.Event()


class Handler(BaseHTTPRequestHandler):
    protocol_version = "HTTP/1.1"   # keep-alive offered, so a client that reuses connections can
    server_version = "VocaraStandIn/1.0"
    timeout = 120

    def setup(self):
        super().setup()
        self.connection_id = next(self.server.state.connection_serial)

    # -- plumbing ---------------------------------------------------------

    def log_message(self, format, *args):  # the request log replaces the default access log
        pass

    def send(self, status, body, content_type="text/plain; charset=utf-8", headers=()):
        self.send_response(status)
        self.send_header("Content-Type", content_type)
        self.send_header("Content-Length", str(len(body)))
        for name, value in headers:
            self.send_header(name, value)
        self.end_headers()
        self.wfile.write(body)

    def record(self):
        # The request line and headers were read as ISO-8859-1, so the entry
        # keeps the client's bytes one for one.
        lines = [self.requestline] + ["%s: %s" % (k, v) for k, v in self.headers.items()]
        entry = "\n".join(lines)
        state = self.server.state
        with state.lock:
            state.log.append(entry)
            state.connections.append(self.connection_id)
        out = self.server.log_file
        with self.server.log_lock:
            out.write(wire_text(entry) + "\n\n")
            out.flush()

    def session_id(self):
        for part in self.headers.get("Cookie", "").split(";"):
            name, _, value = part.strip().partition("=")
            if name == "PHPSESSID":
                return value
        return None

    # -- dispatch ---------------------------------------------------------

    def do_GET(self):
        path, _, query = self.path.partition("?")
        if path.startswith("/__test/"):
            self.control(path[len("/__test/"):], parse_query(query))
            return
        self.record()
        with self.server.state.lock:
            scenario = self.server.state.scenario
        if path in ("/qzuser/yz.php", "/en/user/rl.php") and scenario in ("redirect", "error500"):
            self.failing_reply(scenario)
        elif path == "/qzuser/yz.php":
            self.captcha(scenario)
        elif path == "/en/user/rl.php":
            self.login(scenario, parse_query(query))
        elif path == REDIRECT_TARGET:
            # Only reached by a client that follows redirects.
            self.send(200, login_reply([("result", "1"), ("sid", "followed-redirect")]),
                      "text/xml; charset=gb2312")
        else:
            self.page(path, query)

    def failing_reply(self, scenario):
        if scenario == "redirect":
            self.send(302, b"moved", headers=[("Location", REDIRECT_TARGET)])
        else:
            self.send(500, b"internal error")

    # -- the service ------------------------------------------------------

    def page(self, path, query):
        state = self.server.state
        with state.lock:
            answer = self.server.pages.answer(path, query, state.accounts, state.logins)
        if answer is None:
            self.send(404, b"not found")
        else:
            self.send(answer[0], answer[1], PAGE_CONTENT_TYPE)

    def captcha(self, scenario):
        state = self.server.state
        if scenario == "slowcaptcha":
            time.sleep(SLOW_CAPTCHA_SECONDS)
        if scenario == "badcaptcha":
            self.send(200, b"<html>no picture today</html>", "image/jpeg")
            return
        with state.lock:
            picture, answer = state.captchas[next(state.next_captcha)]
            sid = self.session_id()
            headers = []
            if sid not in state.sessions:
                sid = secrets.token_hex(13)
                headers.append(("Set-Cookie", "PHPSESSID=%s; path=/" % sid))
            state.sessions[sid] = answer
            state.last_answer = answer
        self.send(200, picture, "image/jpeg", headers)

    def login(self, scenario, query):
        state = self.server.state
        if scenario == "hang":
            with state.lock:
                state.scenario = "normal"   # only the next login request hangs
                release = state.release_hang
            release.wait(HANG_SECONDS)
            self.close_connection = True
            return
        if scenario == "nocon":
            self.send(200, '<?xml version="1.0" encoding="gb2312"?><reply><result>1</result></reply>'
                      .encode("gbk"), "text/xml; charset=gb2312")
            return
        if scenario == "huge":
            head = login_reply([("result", "1")])
            self.send(200, head + b" " * (HUGE_REPLY_BYTES - len(head)), "text/xml; charset=gb2312")
            return
        if scenario == "oddcode":
            self.send(200, login_reply([("result", "2")]), "text/xml; charset=gb2312")
            return
        self.send(200, login_reply(self.login_fields(query, spaced=scenario == "spaced")),
                  "text/xml; charset=gb2312")

    def login_fields(self, query, spaced):
        def code(text):
            return "\n " + text + " \n" if spaced else text

        state = self.server.state
        with state.lock:
            expected = state.sessions.get(self.session_id())
            account = state.accounts.get(wire_text(query.get("em", "")))
            typed = query.get("yz", "")
            if expected is None or typed.lower() != expected.lower():
                return [("result", code("-1"))]
            if account is None:
                return [("result", code("-2"))]
            if query.get("p", "") != account.digest:
                return [("result", code("0"))]
            sid = ("   " if spaced else "") + secrets.token_hex(13)
            # The pages take the session exactly as the reply gave it.
            state.logins[sid] = account.email
        return [("result", code("1")), ("uid", account.uid), ("pwd", account.digest),
                ("sid", sid), ("un", account.name),
                ("em", account.email), ("ifreg", account.ifreg),
                ("z", wire_text(query.get("z", "")))]

    # -- control API (never logged) ------------------------------------------

    def control(self, command, query):
        state = self.server.state
        if command == "ping":
            self.send(200, b"ok")
        elif command == "reset":
            state.reset()
            self.send(200, b"ok")
        elif command == "scenario":
            name = query.get("name", "")
            if name not in SCENARIOS:
                self.send(400, ("unknown scenario %r; known: %s" % (name, " ".join(SCENARIOS)))
                          .encode("utf-8"))
                return
            with state.lock:
                state.scenario = name
            self.send(200, b"ok")
        elif command == "answer":
            with state.lock:
                answer = state.last_answer
            self.send(200, answer.encode("ascii"))
        elif command == "log":
            with state.lock:
                text = "".join(entry + "\n\n" for entry in state.log)
            self.send(200, text.encode("latin-1"))  # the bytes as they came
        elif command == "connections":
            with state.lock:
                text = "".join("%d\n" % serial for serial in state.connections)
            self.send(200, text.encode("ascii"))
        else:
            self.send(404, b"unknown control command")


class Server(ThreadingHTTPServer):
    daemon_threads = True   # a held "hang" request must not keep the process alive


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--port", type=int, required=True)
    parser.add_argument("--log", help="request log file (default: stderr)")
    args = parser.parse_args()

    server = Server(("127.0.0.1", args.port), Handler)
    server.state = State(load_captchas())
    server.pages = Pages()
    server.log_lock = threading.Lock()
    server.log_file = open(args.log, "a", encoding="utf-8") if args.log else sys.stderr
    print("service stand-in on http://127.0.0.1:%d" % args.port, file=sys.stderr, flush=True)
    try:
        server.serve_forever()
    except KeyboardInterrupt:
        pass
    finally:
        server.server_close()


if __name__ == "__main__":
    main()
