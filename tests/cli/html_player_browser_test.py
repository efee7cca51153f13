#!/usr/bin/env python3
"""The HTML player in a real browser: exports a procedure with velmora-cli,
opens the page in headless Chromium on a phone-sized screen, answers along a
yes/no path with the keyboard and the mouse, and checks what each step shows,
the path at the end and what "経路をコピー" puts on the clipboard. Screenshots
of a step and of the end go to the output folder. Then the book of the same
procedure: its links, and its page count printed to PDF on A4.

Chromium is driven over its DevTools protocol on a pipe (file descriptors 3
and 4 of the browser), with the standard library only.

Each page is also checked with axe-core (WCAG 2.1 A and AA) on its first
step, its end and, for the player, a procedure with every kind; and the
diagram must follow the width of a phone's screen.

usage: html_player_browser_test.py VELMORA_CLI PROCEDURE.tre ALL_KINDS.tre AXE_MIN_JS OUTPUT_FOLDER
"""
import base64
import json
import os
import select
import shutil
import subprocess
import sys
import tempfile
import time

CHROMIUM = "/usr/bin/chromium"
TIMEOUT = 60  # seconds for any one answer of the browser: a hang fails the test instead of blocking CI


class Browser:
    def __init__(self, profile, log):
        # The browser reads commands on its fd 3 and writes answers on fd 4.
        to_browser_read, self.to_browser = os.pipe()
        self.from_browser, from_browser_write = os.pipe()

        def place_pipes():
            os.dup2(to_browser_read, 3)
            os.dup2(from_browser_write, 4)

        self.process = subprocess.Popen(
            [CHROMIUM, "--headless", "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
             "--disable-background-networking", "--disable-component-update", "--disable-sync",
             "--disable-dev-shm-usage", "--remote-debugging-pipe", f"--user-data-dir={profile}", "about:blank"],
            stdin=subprocess.DEVNULL, stdout=log, stderr=log,
            # Kept open in the child: the pipes' own numbers until they are
            # placed, and 3 and 4 once they are.
            pass_fds=(3, 4, to_browser_read, from_browser_write), preexec_fn=place_pipes)
        os.close(to_browser_read)
        os.close(from_browser_write)
        self.next_id = 0
        self.buffer = b""
        self.events = []
        self.session = None

    def _read_message(self):
        deadline = time.monotonic() + TIMEOUT
        while b"\0" not in self.buffer:
            left = deadline - time.monotonic()
            ready, _, _ = select.select([self.from_browser], [], [], max(left, 0))
            if not ready:
                raise RuntimeError("the browser did not answer in time")
            chunk = os.read(self.from_browser, 65536)
            if not chunk:
                raise RuntimeError("the browser closed its pipe")
            self.buffer += chunk
        message, self.buffer = self.buffer.split(b"\0", 1)
        return json.loads(message)

    def send(self, method, params=None, session=True):
        self.next_id += 1
        request = {"id": self.next_id, "method": method, "params": params or {}}
        if session and self.session:
            request["sessionId"] = self.session
        os.write(self.to_browser, json.dumps(request).encode() + b"\0")
        while True:
            message = self._read_message()
            if message.get("id") == self.next_id:
                if "error" in message:
                    raise RuntimeError(f"{method}: {message['error']}")
                return message.get("result", {})
            self.events.append(message)

    def wait_event(self, method):
        while True:
            for i, event in enumerate(self.events):
                if event.get("method") == method:
                    return self.events.pop(i)
            self.events.append(self._read_message())

    def evaluate(self, expression):
        result = self.send("Runtime.evaluate", {"expression": expression, "returnByValue": True,
                                                "awaitPromise": True})
        if "exceptionDetails" in result:
            raise RuntimeError(f"script failed: {result['exceptionDetails']}")
        return result["result"].get("value")

    def press(self, key, code, key_code, text=None):
        base = {"key": key, "code": code, "windowsVirtualKeyCode": key_code, "nativeVirtualKeyCode": key_code}
        self.send("Input.dispatchKeyEvent", dict(base, type="keyDown", **({"text": text} if text else {})))
        self.send("Input.dispatchKeyEvent", dict(base, type="keyUp"))

    def screenshot(self, path):
        data = self.send("Page.captureScreenshot", {"format": "png"})["data"]
        with open(path, "wb") as out:
            out.write(base64.b64decode(data))

    def close(self):
        try:
            self.send("Browser.close", session=False)
        except RuntimeError:
            pass
        try:
            self.process.wait(timeout=TIMEOUT)
        except subprocess.TimeoutExpired:
            self.process.kill()
            self.process.wait()


STATE = """(() => {
  const run = document.getElementById("run");
  const buttons = [...document.querySelectorAll("#buttons button")].map(b => b.textContent);
  return {
    running: !run.hidden,
    caption: document.getElementById("caption").textContent,
    message: document.getElementById("message").textContent,
    icon: document.getElementById("icon").getAttribute("href"),
    buttons: buttons,
    focused: document.activeElement ? document.activeElement.textContent : null,
    bar: document.getElementById("progress").getAttribute("aria-valuenow"),
    path: [...document.querySelectorAll("#path li")].map(li => li.textContent),
    overflow: document.documentElement.scrollWidth > document.documentElement.clientWidth,
  };
})()"""

YES = ("y", "KeyY", 89, "y")
NO = ("n", "KeyN", 78, "n")
ENTER = ("Enter", "Enter", 13, "\r")
ESCAPE = ("Escape", "Escape", 27, None)

TITLE = "プリンターの切り分け"
Q_POWER = "プリンターから印刷できません。\n電源ランプは点灯していますか？"
Q_PAPER = "用紙はセットされていますか？"
Q_QUEUE = "印刷待ちの文書が残っていますか？"
Q_CABLE = "電源ケーブルはコンセントに差し込まれていますか？"
DRIVER = "プリンタードライバーを入れ直してください。\nそれでも印刷できないときは、サポート窓口へご連絡ください。"
QUESTION_BUTTONS_TOP = ["はい(Y)", "いいえ(N)", "終了"]
QUESTION_BUTTONS = ["はい(Y)", "いいえ(N)", "戻る"]
LEAF_BUTTONS = ["ＯＫ", "戻る"]

failures = []


def check(what, actual, expected):
    if actual != expected:
        failures.append(f"{what}: expected {expected!r}, got {actual!r}")


def expect_step(browser, what, message, buttons, focused, icon, bar):
    state = browser.evaluate(STATE)
    check(f"{what}: running", state["running"], True)
    check(f"{what}: caption", state["caption"], TITLE)
    check(f"{what}: message", state["message"], message)
    check(f"{what}: buttons", state["buttons"], buttons)
    check(f"{what}: focused button", state["focused"], focused)
    check(f"{what}: icon", state["icon"], icon)
    check(f"{what}: progress", state["bar"], bar)
    check(f"{what}: fits the phone's width", state["overflow"], False)


def walk(browser, output):
    expect_step(browser, "first step", Q_POWER, QUESTION_BUTTONS_TOP, "はい(Y)", "#icon-question", "25")
    browser.press(*YES)
    expect_step(browser, "after Y", Q_PAPER, QUESTION_BUTTONS, "はい(Y)", "#icon-question", "50")
    browser.press(*ENTER)  # the focused default: Yes
    expect_step(browser, "after Enter", Q_QUEUE, QUESTION_BUTTONS, "はい(Y)", "#icon-question", "75")
    browser.press(*ESCAPE)  # a question has no Escape button
    expect_step(browser, "Escape on a question", Q_QUEUE, QUESTION_BUTTONS, "はい(Y)", "#icon-question", "75")
    browser.press(*NO)
    expect_step(browser, "after N", DRIVER, LEAF_BUTTONS, "ＯＫ", "#icon-exclamation", "100")
    browser.screenshot(os.path.join(output, "html-player-step.png"))
    browser.press(*ESCAPE)  # Back on an end of a path
    expect_step(browser, "Escape on an end", Q_QUEUE, QUESTION_BUTTONS, "はい(Y)", "#icon-question", "75")
    browser.press(*NO)
    browser.press(*ENTER)  # OK

    state = browser.evaluate(STATE)
    check("end: running", state["running"], False)
    check("end: path", state["path"], [Q_POWER + "はい", Q_PAPER + "はい", Q_QUEUE + "いいえ", DRIVER])
    check("end: fits the phone's width", state["overflow"], False)
    copied = browser.evaluate("""(async () => {
      let copied = null;
      navigator.clipboard.writeText = text => { copied = text; return Promise.resolve(); };
      document.getElementById("copy").click();
      await new Promise(resolve => setTimeout(resolve, 0));
      return {copied: copied, status: document.getElementById("status").textContent,
              caption: document.getElementById("copy").textContent};
    })()""")
    check("copy button", copied["caption"], "経路をコピー")
    check("copied path", copied["copied"],
          f"{TITLE}\n\n{Q_POWER}\n→ はい\n\n{Q_PAPER}\n→ はい\n\n{Q_QUEUE}\n→ いいえ\n\n{DRIVER}\n")
    check("copy status", copied["status"], "コピーしました。")
    browser.screenshot(os.path.join(output, "html-player-end.png"))

    # Again, by mouse: the No answer of the root asks a question whose
    # default is No; Finish at the top level ends the run.
    browser.evaluate('document.getElementById("again").click()')
    browser.evaluate('document.querySelector("#buttons [data-answer=no]").click()')
    expect_step(browser, "No by mouse", Q_CABLE, QUESTION_BUTTONS, "いいえ(N)", "#icon-question", "67")
    browser.evaluate('document.querySelector("#buttons [data-answer=back]").click()')
    browser.evaluate('document.querySelector("#buttons [data-answer=back]").click()')  # 終了
    state = browser.evaluate(STATE)
    check("finish: running", state["running"], False)
    check("finish: path", state["path"], [])


BOOK_STATE = """(() => {
  const steps = [...document.querySelectorAll("section.step")];
  const links = [...document.querySelectorAll("a[href^='#s']")];
  return {
    numbers: steps.map(s => s.querySelector(".number").textContent),
    ids: steps.map(s => s.id),
    missing: links.filter(a => !document.getElementById(a.getAttribute("href").slice(1))).length,
    links: links.length,
    ends: document.querySelectorAll("tbody tr").length,
  };
})()"""


AXE_RUN = """axe.run(document, {runOnly: {type: 'tag', values: ['wcag2a', 'wcag2aa', 'wcag21a', 'wcag21aa']}})
  .then(r => r.violations.map(v => v.id + ': ' + v.help + ' (' + v.nodes.map(n => n.target.join(' ')).join(', ') + ')'))"""


def check_accessibility(browser, axe, what):
    """axe-core injected into the page as it stands; no violation allowed."""
    browser.evaluate(axe)
    check(f"{what}: axe-core violations", browser.evaluate(AXE_RUN), [])


def open_page(browser, path):
    browser.send("Page.navigate", {"url": "file://" + path})
    browser.wait_event("Page.loadEventFired")


def check_every_kind(browser, cli, procedure, axe, work):
    """A procedure with a node of every kind, each step run through axe-core."""
    page = os.path.join(work, "kinds.html")
    subprocess.run([cli, "export", procedure, "--html", page], check=True, stdin=subprocess.DEVNULL)
    open_page(browser, page)
    for step in range(8):
        state = browser.evaluate(STATE)
        if not state["running"]:
            break
        check_accessibility(browser, axe, f"every kind, step {step + 1}")
        browser.evaluate('document.querySelector("#buttons button").click()')
    check_accessibility(browser, axe, "every kind, the end")


def check_diagram_width(browser, cli, procedure, work):
    """On a 390 px screen the diagram is scaled into the screen's width."""
    svg = os.path.join(work, "diagram.svg")
    subprocess.run([cli, "export", procedure, "--svg", svg], check=True, stdin=subprocess.DEVNULL)
    # A window 390 px wide (a phone's screen without the page zoom a
    # mobile browser gives pages that declare no viewport).
    browser.send("Emulation.setDeviceMetricsOverride",
                 {"width": 390, "height": 844, "deviceScaleFactor": 2, "mobile": False})
    open_page(browser, svg)
    width = browser.evaluate("document.documentElement.getBoundingClientRect().width")
    check(f"diagram: fits a 390 px screen ({width} px)", 0 < width <= 390, True)
    check("diagram: has a description", bool(browser.evaluate("document.querySelector('desc').textContent")), True)
    browser.send("Emulation.clearDeviceMetricsOverride")


def check_book(browser, cli, procedure, work, output):
    """The book of the same procedure: every number a step names is there,
    and printed on A4 it takes a sane number of pages."""
    book = os.path.join(work, "book.html")
    subprocess.run([cli, "export", procedure, "--book", book], check=True, stdin=subprocess.DEVNULL)
    browser.send("Emulation.clearDeviceMetricsOverride")
    browser.send("Page.navigate", {"url": "file://" + book})
    browser.wait_event("Page.loadEventFired")
    state = browser.evaluate(BOOK_STATE)
    steps = len(state["numbers"])
    check("book: steps numbered 1..n", state["numbers"], [str(i) for i in range(1, steps + 1)])
    check("book: anchors", state["ids"], ["s" + str(i) for i in range(1, steps + 1)])
    check("book: links to a missing step", state["missing"], 0)
    check("book: some ends in the table", state["ends"] > 0, True)
    pdf = base64.b64decode(browser.send("Page.printToPDF", {
        "paperWidth": 8.27, "paperHeight": 11.69, "preferCSSPageSize": True, "printBackground": False})["data"])
    with open(os.path.join(output, "procedure-book.pdf"), "wb") as out:
        out.write(pdf)
    pages = pdf.count(b"/Type /Page") - pdf.count(b"/Type /Pages")
    # The steps, then the table of ends on a page of its own.
    check("book: printed pages between 2 and the steps + 1", 2 <= pages <= steps + 1, True)


def tiny_png(path, width=40, height=30):
    """A real PNG the browser decodes: a grey picture of `width` x `height`."""
    import struct
    import zlib

    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF)
    rows = b"".join(b"\0" + b"\x80\x80\x80" * width for _ in range(height))
    with open(path, "wb") as out:
        out.write(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0))
                  + chunk(b"IDAT", zlib.compress(rows)) + chunk(b"IEND", b""))


def check_pictures(browser, cli, procedure, axe, work):
    """A step's picture in the player and the book: shown above the message,
    decoded from the page's own data, named by its alt text."""
    picture = os.path.join(work, "tray.png")
    tiny_png(picture)
    with_picture = os.path.join(work, "with-picture.tre")
    subprocess.run([cli, "set", procedure, "1", "picture=" + picture, "alt=the tray icon", "--output", with_picture],
                   check=True, stdin=subprocess.DEVNULL)
    page = os.path.join(work, "picture.html")
    book = os.path.join(work, "picture-book.html")
    subprocess.run([cli, "export", with_picture, "--html", page, "--book", book], check=True, stdin=subprocess.DEVNULL)
    open_page(browser, page)
    shown = browser.evaluate("(function(){var p=document.getElementById('picture');"
                             "return [p.hidden, p.alt, p.naturalWidth];})()")
    check("player: the first step's picture", shown, [False, "the tray icon", 40])
    check_accessibility(browser, axe, "player with a picture")
    browser.evaluate('document.querySelector("#buttons button").click()')
    check("player: the next step has none", browser.evaluate("document.getElementById('picture').hidden"), True)
    open_page(browser, book)
    check("book: the picture", browser.evaluate("(function(){var p=document.querySelector('img.picture');"
                                                "return [p.alt, p.naturalWidth];})()"), ["the tray icon", 40])
    check_accessibility(browser, axe, "book with a picture")
    # Printed on A4, the picture is on the page: the PDF holds it as an image.
    pdf = base64.b64decode(browser.send("Page.printToPDF", {
        "paperWidth": 8.27, "paperHeight": 11.69, "preferCSSPageSize": True, "printBackground": False})["data"])
    check("book: the printed picture", b"/Subtype /Image" in pdf, True)


def check_links(browser, cli, axe, work):
    """A shared step: the No answer's end goes on at the Yes answer's
    question. OK there shows that question, Back goes back across the link,
    and the book and the diagram name the link."""
    tree = os.path.join(work, "shared.tre")
    with open(tree, "wb") as out:
        out.write("? 再起動しましたか？\r\n\t? 直りましたか？\r\n\t\ti よかったです。\r\n\t\ti サポートへ\r\n"
                  "\ti 再起動してください。\r\n[OPTION]\r\nTitle=shared\r\n".encode("cp932"))
    subprocess.run([cli, "set", tree, "5", "link=2"], check=True, stdin=subprocess.DEVNULL)
    page, book, diagram = (os.path.join(work, name) for name in ("shared.html", "shared-book.html", "shared.svg"))
    subprocess.run([cli, "export", tree, "--html", page, "--book", book, "--svg", diagram], check=True,
                   stdin=subprocess.DEVNULL)
    open_page(browser, page)
    back = 'document.querySelectorAll("#buttons button")[2].click()'
    seen = []
    for step in (NO, ENTER, back, ESCAPE, YES):
        seen.append(browser.evaluate(STATE)["message"])
        if isinstance(step, str):
            browser.evaluate(step)
        else:
            browser.press(*step)
    seen.append(browser.evaluate(STATE)["message"])
    check("links: on at the shared step and back across the link", seen,
          ["再起動しましたか？", "再起動してください。", "直りましたか？", "再起動してください。", "再起動しましたか？",
           "直りましたか？"])
    check_accessibility(browser, axe, "player, a step reached by a link")
    open_page(browser, book)
    check("book: the link's step", browser.evaluate(
        "[...document.querySelectorAll('.answers')].map(a => a.textContent).includes('→ 2 へ進む')"), True)
    with open(diagram, encoding="utf-8") as svg:
        check("diagram: a dashed arrow named by its target", "<title>→ 直りましたか？</title>" in svg.read(), True)


def main():
    if len(sys.argv) != 6:
        print(__doc__)
        return 2
    cli, procedure, all_kinds, axe_path, output = sys.argv[1:]
    with open(axe_path, encoding="utf-8") as source:
        axe = source.read()
    if not os.path.exists(CHROMIUM):
        print(f"{CHROMIUM} is missing: scripts/setup.sh installs it")
        return 1
    os.makedirs(output, exist_ok=True)
    work = tempfile.mkdtemp(prefix="velmora-browser-")
    try:
        page = os.path.join(work, "sample.html")
        subprocess.run([cli, "export", procedure, "--html", page], check=True, stdin=subprocess.DEVNULL)
        log_path = os.path.join(output, "chromium.log")
        with open(log_path, "wb") as log:
            browser = Browser(os.path.join(work, "profile"), log)
        try:
            target = browser.send("Target.createTarget", {"url": "about:blank"}, session=False)["targetId"]
            browser.session = browser.send("Target.attachToTarget", {"targetId": target, "flatten": True},
                                           session=False)["sessionId"]
            browser.send("Page.enable")
            browser.send("Network.enable")
            # The pages forbid scripts from elsewhere; axe-core is the test's.
            browser.send("Page.setBypassCSP", {"enabled": True})
            browser.send("Emulation.setDeviceMetricsOverride",
                         {"width": 390, "height": 844, "deviceScaleFactor": 2, "mobile": True})
            browser.send("Page.navigate", {"url": "file://" + page})
            browser.wait_event("Page.loadEventFired")
            check_accessibility(browser, axe, "player, first step")
            walk(browser, output)
            fetched = [e["params"]["request"]["url"] for e in browser.events
                       if e.get("method") == "Network.requestWillBeSent"]
            check("requests beyond the page itself", [u for u in fetched if u != "file://" + page], [])
            check_every_kind(browser, cli, all_kinds, axe, work)
            check_pictures(browser, cli, procedure, axe, work)
            check_links(browser, cli, axe, work)
            check_diagram_width(browser, cli, procedure, work)
            check_book(browser, cli, procedure, work, output)
            check_accessibility(browser, axe, "book")
        finally:
            browser.close()
    finally:
        shutil.rmtree(work, ignore_errors=True)
    for failure in failures:
        print("FAILED:", failure)
    print("the player ran as expected" if not failures else f"{len(failures)} checks failed")
    print(f"screenshots: {output}/html-player-step.png, {output}/html-player-end.png")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
