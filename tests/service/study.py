"""The study and account pages of the service stand-in.

Each page is a small real HTML page (UTF-8) from pages/, filled in here. Its
script steers the window around it the way the service's pages do: it
navigates to a relative address whose last part is a command word ("jj",
"plnend", "rsuc", "fi", "suc=<e-mail>", ...), which the window reads and
cancels. Pages that carry a session check it against the sessions the login
handed out and answer a clear page otherwise.

Nothing here touches the network: Pages.answer(path, query) gives
(status, body bytes) and the server sends them.
"""

import hashlib
import html
import json
import re
import string
from pathlib import Path
from urllib.parse import unquote_to_bytes

PAGES_DIR = Path(__file__).resolve().parent / "pages"
CONTENT_TYPE = "text/html; charset=utf-8"

# How many calls of the page's sbody() (one a minute) a first study lasts.
FIRST_STUDY_MINUTES = 3

EMAIL_PATTERN = re.compile(r"[A-Za-z0-9._+-]+@[A-Za-z0-9-]+(\.[A-Za-z0-9-]+)*\.[A-Za-z]{2,}")
PASSWORD_LENGTHS = range(6, 33)
NAME_LENGTHS = range(1, 17)


def md5_of(password):
    """The digest the client sends: MD5 of the password's bytes in code page 936."""
    return hashlib.md5(password.encode("gbk")).hexdigest()


class Account:
    def __init__(self, email, password, uid, name, ifreg):
        self.email = email
        self.digest = md5_of(password)
        self.uid = uid
        self.name = name
        self.ifreg = ifreg


def builtin_accounts():
    return {a.email: a for a in (
        Account("demo@vocara.test", "vocara123", "1001", "李明", "1"),
        Account("chen@vocara.test", "学习2026", "1002", "陈静", "0"),
    )}


class Unit:
    def __init__(self, plnid, title, words):
        self.plnid = plnid
        self.title = title
        self.words = words


UNITS = (
    Unit("101", "第一单元 问候", [("hello", "你好"), ("thank you", "谢谢"), ("goodbye", "再见"),
                                ("morning", "早上"), ("friend", "朋友")]),
    Unit("102", "第二单元 旅行", [("ticket", "票"), ("station", "车站"), ("luggage", "行李"),
                                ("passport", "护照")]),
    Unit("103", "第三单元 饮食", [("breakfast", "早饭"), ("noodles", "面条"), ("tea", "茶")]),
)
UNITS_BY_ID = {unit.plnid: unit for unit in UNITS}

# uid -> (date, plnid, score) of the study days so far.
HISTORY = {
    "1001": (("2026-12-08", "101", 92), ("2026-12-09", "102", 85)),
}
# uid -> progress text per unit shown on the plan.
PROGRESS = {"1001": {"101": "已完成", "102": "已完成"}}


def form_values(query):
    """A browser's form query: split on '&' and the first '=', '+' is a blank,
    percent escapes are UTF-8 (the pages' charset). First value wins."""
    values = {}
    for part in query.split("&"):
        name, _, value = part.partition("=")
        raw = unquote_to_bytes(value.replace("+", " ").encode("latin-1"))
        values.setdefault(name, raw.decode("utf-8", errors="replace"))
    return values


def js_string(text):
    """A JavaScript string literal that is safe inside a <script> element."""
    return json.dumps(text, ensure_ascii=False).replace("</", "<\\/")


def load_templates():
    return {path.stem: string.Template(path.read_text(encoding="utf-8"))
            for path in PAGES_DIR.glob("*.html")}


class Pages:
    """The pages; accounts and sessions belong to the caller (the server's
    state, under its lock) and are passed in."""

    def __init__(self):
        self.templates = load_templates()

    def render(self, page_title, page, **values):
        """Fills page's template: values are text and get escaped, except the
        ones named *_html or *_js, which are already safe."""
        filled = {name: value if name.endswith(("_html", "_js")) else html.escape(str(value))
                  for name, value in values.items()}
        body = self.templates[page].substitute(filled)
        return self.templates["layout"].substitute(title=html.escape(page_title), body=body).encode("utf-8")

    def message(self, status, heading, text):
        return status, self.render(heading, "message", heading=heading, message=text)

    def answer(self, path, query, accounts, sessions):
        """(status, body) for a study or account page; None for a path that is
        none of them. sessions maps a session identifier to an e-mail."""
        values = form_values(query)
        if path == "/en/user/rg.html":
            return self.signup(values, accounts)
        if path == "/en/user/rpwd.html":
            return self.recover(values, accounts)
        if path == "/en/r/r.php" and "sid" not in values and "plnid" not in values:
            # The end of a first study ("bs") opens this without a session.
            return 200, self.render("学习结束", "studyend")
        handler = {
            "/en/fstpg/rls.html": self.home,
            "/en/pln/pln.php": self.plan,
            "/en/hs/hs.php": self.history,
            "/en/user/uchg.php": self.settings,
            "/en/r/r.php": self.study,
        }.get(path)
        if handler is None:
            return None
        account = accounts.get(sessions.get(values.get("sid", "")))
        if account is None:
            return self.message(403, "请重新登录", "登录已失效或无效,请退出后重新登录。")
        return handler(values, account, accounts)

    # -- study pages ------------------------------------------------------

    def home(self, values, account, accounts):
        if account.ifreg == "0":
            return 200, self.render("首次学习", "first", name=account.name, minutes=FIRST_STUDY_MINUTES)
        rows = "".join(
            '<tr><td>%s</td><td>%d 个</td><td><a class="button" href="rc%s">学习</a> '
            '<a class="button quiet" href="pr%s">预习</a></td></tr>\n'
            % (html.escape(unit.title), len(unit.words), unit.plnid, unit.plnid)
            for unit in self.todays_units(account))
        return 200, self.render("首页", "home", name=account.name, count=len(self.todays_units(account)),
                                rows_html=rows)

    def todays_units(self, account):
        done = PROGRESS.get(account.uid, {})
        return [unit for unit in UNITS if unit.plnid not in done] or list(UNITS[:1])

    def plan(self, values, account, accounts):
        done = PROGRESS.get(account.uid, {})
        rows = "".join(
            '<tr><td>%s</td><td>%d 个</td><td>%s</td><td><a class="button" href="rc%s">学习</a> '
            '<a class="button quiet" href="pr%s">预习</a></td></tr>\n'
            % (html.escape(unit.title), len(unit.words), html.escape(done.get(unit.plnid, "未开始")),
               unit.plnid, unit.plnid)
            for unit in UNITS)
        return 200, self.render("学习计划", "plan", rows_html=rows)

    def history(self, values, account, accounts):
        days = HISTORY.get(account.uid, ())
        rows = "".join(
            "<tr><td>%s</td><td>%s</td><td>%d 个</td><td>%d 分</td></tr>\n"
            % (date, html.escape(UNITS_BY_ID[plnid].title), len(UNITS_BY_ID[plnid].words), score)
            for date, plnid, score in days) or '<tr><td colspan="4">还没有学习记录。</td></tr>\n'
        return 200, self.render("学习历史", "history", rows_html=rows)

    def settings(self, values, account, accounts):
        message, kind = "", "note"
        if values.get("save") == "1":
            problem = self.check_new_details(values.get("un", ""), values.get("pw", ""),
                                             values.get("pw2", ""), password_optional=True)
            if problem:
                message, kind = problem, "error"
            else:
                account.name = values["un"]
                if values.get("pw"):
                    account.digest = md5_of(values["pw"])
                message = "已保存。"
        return 200, self.render("帐户设置", "settings", sid=values.get("sid", ""), email=account.email,
                                name=account.name, message=message, messageclass=kind)

    def study(self, values, account, accounts):
        unit = UNITS_BY_ID.get(values.get("plnid", ""))
        if unit is None:
            return self.message(404, "没有这个单元", "没有找到要学习的单元。")
        kind = "预习" if values.get("pre") == "1" else "学习"
        return 200, self.render(kind + " " + unit.title, "study", kind=kind, title=unit.title,
                                count=len(unit.words), words_js=js_string([list(w) for w in unit.words]))

    # -- account pages ------------------------------------------------------

    @staticmethod
    def check_new_details(name, password, again, password_optional=False):
        """A problem text, or "" when the details can be taken."""
        if len(name) not in NAME_LENGTHS:
            return "用户名要有 1 到 16 个字。"
        if password_optional and not password and not again:
            return ""
        if len(password) not in PASSWORD_LENGTHS:
            return "密码要有 6 到 32 个字符。"
        if password != again:
            return "两次输入的密码不一样。"
        try:
            password.encode("gbk")
        except UnicodeEncodeError:
            return "密码里有不能使用的字符。"
        return ""

    def signup(self, values, accounts):
        email, name = values.get("em", "").strip(), values.get("un", "").strip()
        if values.get("do") != "1":
            return 200, self.render("注册", "signup", email="", name="", message="")
        # The e-mail goes back to the window as the last part of an address:
        # only a plain address can travel there unchanged.
        if not EMAIL_PATTERN.fullmatch(email):
            problem = "请输入正确的 Email 地址。"
        elif email in accounts:
            problem = "这个 Email 已经注册过了。"
        else:
            problem = self.check_new_details(name, values.get("pw", ""), values.get("pw2", ""))
        if problem:
            return 200, self.render("注册", "signup", email=email, name=name, message=problem)
        uid = str(1001 + len(accounts))
        accounts[email] = Account(email, values["pw"], uid, name, "0")
        return 200, self.render("注册成功", "signedup", email=email, email_js=js_string(email))

    def recover(self, values, accounts):
        email = values.get("em", "").strip()
        if values.get("do") != "1":
            return 200, self.render("找回密码", "recover", email="", message="")
        if email not in accounts:
            return 200, self.render("找回密码", "recover", email=email, message="没有用这个 Email 注册的帐户。")
        return 200, self.render("找回密码", "recovered", email=email)
