"""Checks of the service stand-in's pages: python3 -m unittest discover tests/service"""

import http.client
import re
import threading
import unittest
from urllib.parse import quote

import server
from study import Pages, builtin_accounts, md5_of

SID = "0123456789abcdef0123456789"


class PagesTest(unittest.TestCase):
    def setUp(self):
        self.pages = Pages()
        self.accounts = builtin_accounts()
        self.logins = {SID: "demo@vocara.test", "first": "chen@vocara.test"}

    def get(self, path, query=""):
        status, body = self.pages.answer(path, query, self.accounts, self.logins)
        return status, body.decode("utf-8")

    def test_each_page_sends_its_commands(self):
        cases = [
            # path, query, fragments the page must carry
            ("/en/fstpg/rls.html", "wb=1&sid=" + SID, ['command(h <= 160 ? "jj" : h <= 260 ? "qt" : "qb")',
                                                       "李明", 'href="rc103"', 'href="pr103"', 'href="pln"']),
            ("/en/fstpg/rls.html", "wb=1&sid=first", ['command("qt")', 'command("endfst")', 'command("bs")',
                                                      "function sbody()", "陈静"]),
            ("/en/pln/pln.php", "wb=1&sid=" + SID, ['command("plnend")', "function sbody()",
                                                    'href="rc101"', 'href="pr102"', 'href="rc103"']),
            ("/en/hs/hs.php", "wb=1&sid=" + SID, ['command("hsend")', "2026-12-09", "85 分"]),
            ("/en/hs/hs.php", "wb=1&sid=first", ['command("hsend")', "还没有学习记录"]),
            ("/en/user/uchg.php", "sid=" + SID, ["demo@vocara.test", 'name="sid" value="%s"' % SID,
                                                 'href="rend"']),
            ("/en/r/r.php", "sid=%s&plnid=102&wb=1" % SID, ['command("rsuc")', 'command("rend")', "学习: 第二单元",
                                                             '["ticket", "票"]']),
            ("/en/r/r.php", "sid=%s&plnid=101&wb=1&pre=1" % SID, ['command("rsuc")', "预习: 第一单元"]),
            ("/en/r/r.php", "wb=1", ['command("rsuc")', 'href="rend"']),
            ("/en/user/rg.html", "b=1", ['command("fi")', "command('end')", 'action="rg.html"']),
            ("/en/user/rpwd.html", "b=1", ['command("fi")', "command('end')", 'action="rpwd.html"']),
        ]
        for path, query, fragments in cases:
            with self.subTest(path=path, query=query):
                status, body = self.get(path, query)
                self.assertEqual(status, 200)
                self.assertIn('<meta charset="utf-8">', body)
                for fragment in fragments:
                    self.assertIn(fragment, body)
                self.assertNotIn("$", body)  # every placeholder filled

    def test_pages_with_a_session_refuse_a_missing_or_unknown_one(self):
        for path in ("/en/fstpg/rls.html", "/en/pln/pln.php", "/en/hs/hs.php", "/en/user/uchg.php", "/en/r/r.php"):
            for query in ("wb=1", "wb=1&sid=", "wb=1&sid=nosuchsession", "sid=%s0&plnid=101" % SID,
                          "plnid=101&wb=1"):
                if path == "/en/r/r.php" and query == "wb=1":
                    continue  # the end of a first study needs no session (checked above)
                with self.subTest(path=path, query=query):
                    status, body = self.get(path, query)
                    self.assertEqual(status, 403)
                    self.assertIn("请重新登录", body)
                    self.assertIn('command("jj")', body)  # tall enough to read

    def test_unknown_unit_and_unknown_path(self):
        status, body = self.get("/en/r/r.php", "sid=%s&plnid=999&wb=1" % SID)
        self.assertEqual(status, 404)
        self.assertIn("没有找到要学习的单元", body)
        self.assertIsNone(self.pages.answer("/en/fstpg/jj", "", self.accounts, self.logins))

    def test_sign_up_hands_the_new_email_over_and_creates_the_account(self):
        status, body = self.get("/en/user/rg.html",
                                "b=1&do=1&em=new.one%2Btag%40vocara.test&un=%E7%8E%8B%E4%BA%94&pw=secret1&pw2=secret1")
        self.assertEqual(status, 200)
        self.assertIn('command("suc=" + "new.one+tag@vocara.test")', body)
        account = self.accounts["new.one+tag@vocara.test"]
        self.assertEqual(account.name, "王五")
        self.assertEqual(account.digest, md5_of("secret1"))
        self.assertNotIn(account.uid, {a.uid for a in builtin_accounts().values()})

    def test_sign_up_refusals_show_the_form_again_and_create_nothing(self):
        cases = [
            ("em=a/b%40vocara.test&un=x&pw=secret1&pw2=secret1", "正确的 Email"),   # "/" would split the token
            ("em=a%3Fb%40vocara.test&un=x&pw=secret1&pw2=secret1", "正确的 Email"),
            ("em=%E7%8E%8B%40vocara.test&un=x&pw=secret1&pw2=secret1", "正确的 Email"),
            ("em=demo%40vocara.test&un=x&pw=secret1&pw2=secret1", "已经注册过了"),
            ("em=n%40vocara.test&un=&pw=secret1&pw2=secret1", "用户名"),
            ("em=n%40vocara.test&un=x&pw=short&pw2=short", "6 到 32"),
            ("em=n%40vocara.test&un=x&pw=secret1&pw2=secret2", "两次输入"),
            ("em=n%40vocara.test&un=x&pw=%F0%9F%98%80secret&pw2=%F0%9F%98%80secret", "不能使用"),
        ]
        for query, problem in cases:
            with self.subTest(query=query):
                status, body = self.get("/en/user/rg.html", "b=1&do=1&" + query)
                self.assertEqual(status, 200)
                self.assertIn(problem, body)
                self.assertIn('command("fi")', body)
                self.assertNotIn("suc=", body)
                self.assertEqual(set(self.accounts), set(builtin_accounts()))

    def test_texts_from_the_user_are_escaped(self):
        _, body = self.get("/en/user/rg.html", "b=1&do=1&em=%3Cb%3E&un=%3Cscript%3Ex&pw=1&pw2=1")
        self.assertIn("&lt;script&gt;x", body)
        self.assertNotIn("<script>x", body)
        _, body = self.get("/en/user/rg.html", "b=1&do=1&em=x%3C%2Fscript%3E%40a.cn&un=x&pw=secret1&pw2=secret1")
        self.assertNotIn("x</script>", body)

    def test_recovery_knows_the_accounts(self):
        _, body = self.get("/en/user/rpwd.html", "b=1&do=1&em=chen%40vocara.test")
        self.assertIn("已经发送到 chen@vocara.test", body)
        self.assertIn("command('end')", body)
        _, body = self.get("/en/user/rpwd.html", "b=1&do=1&em=nobody%40vocara.test")
        self.assertIn("没有用这个 Email 注册的帐户", body)

    def test_settings_save_the_name_and_password_or_say_why_not(self):
        _, body = self.get("/en/user/uchg.php", "sid=%s&save=1&un=Li&pw=abc&pw2=abc" % SID)
        self.assertIn("6 到 32", body)
        self.assertEqual(self.accounts["demo@vocara.test"].digest, md5_of("vocara123"))
        _, body = self.get("/en/user/uchg.php", "sid=%s&save=1&un=Li+Ming&pw=&pw2=" % SID)
        self.assertIn("已保存", body)
        self.assertEqual(self.accounts["demo@vocara.test"].name, "Li Ming")
        self.assertEqual(self.accounts["demo@vocara.test"].digest, md5_of("vocara123"))
        self.get("/en/user/uchg.php", "sid=%s&save=1&un=Li&pw=newpass1&pw2=newpass1" % SID)
        self.assertEqual(self.accounts["demo@vocara.test"].digest, md5_of("newpass1"))


class ServerTest(unittest.TestCase):
    """The pages behind the real server: sessions come from logins."""

    def setUp(self):
        self.server = server.Server(("127.0.0.1", 0), server.Handler)
        self.server.state = server.State(server.load_captchas())
        self.server.pages = Pages()
        self.server.log_lock = threading.Lock()
        self.server.log_file = open("/dev/null", "w")
        self.thread = threading.Thread(target=self.server.serve_forever, daemon=True)
        self.thread.start()

    def tearDown(self):
        self.server.shutdown()
        self.server.server_close()
        self.server.log_file.close()

    def request(self, path, cookie=None):
        connection = http.client.HTTPConnection("127.0.0.1", self.server.server_address[1], timeout=10)
        connection.request("GET", path, headers={"Cookie": cookie} if cookie else {})
        reply = connection.getresponse()
        body = reply.read()
        connection.close()
        return reply.status, reply.getheader("Set-Cookie"), body

    def log_in(self, email, password):
        _, cookie, _ = self.request("/qzuser/yz.php")
        cookie = cookie.split(";")[0]
        answer = self.request("/__test/answer")[2].decode()
        _, _, reply = self.request("/en/user/rl.php?em=%s&p=%s&z=False&yz=%s" % (email, md5_of(password), answer),
                                   cookie)
        return re.search(r"<sid>(.*)</sid>", reply.decode("gbk")).group(1)

    def test_a_login_opens_the_pages_and_a_reset_closes_them(self):
        sid = self.log_in("demo@vocara.test", "vocara123")
        status, _, body = self.request("/en/fstpg/rls.html?wb=1&sid=" + sid)
        self.assertEqual(status, 200)
        self.assertIn("李明", body.decode("utf-8"))
        self.assertIn("GET /en/fstpg/rls.html?wb=1&sid=%s HTTP/1.1" % sid, self.request("/__test/log")[2].decode())
        self.request("/__test/reset")
        self.assertEqual(self.request("/en/fstpg/rls.html?wb=1&sid=" + sid)[0], 403)

    def test_a_signed_up_account_can_log_in(self):
        status, _, body = self.request("/en/user/rg.html?b=1&do=1&em=new%40vocara.test&un=Wang&pw=secret1&pw2=secret1")
        self.assertIn("suc=", body.decode("utf-8"))
        sid = self.log_in("new@vocara.test", "secret1")
        _, _, body = self.request("/en/fstpg/rls.html?wb=1&sid=" + quote(sid))
        self.assertIn('command("endfst")', body.decode("utf-8"))  # a new account starts with the first study

    def test_a_spaced_session_is_taken_as_the_reply_gave_it(self):
        self.request("/__test/scenario?name=spaced")
        sid = self.log_in("demo@vocara.test", "vocara123")
        self.assertTrue(sid.startswith("   "))
        self.assertEqual(self.request("/en/pln/pln.php?wb=1&sid=" + quote(sid))[0], 200)
        self.assertEqual(self.request("/en/pln/pln.php?wb=1&sid=" + sid.strip())[0], 403)


if __name__ == "__main__":
    unittest.main()
