#!/usr/bin/env python3
"""Checks the HTML manual.

  check_manual.py pages <html folder>
      Every page is well-formed (doctype, charset, title, every element closed in order),
      every local link, picture and style sheet resolves inside the folder (an #anchor to
      an existing id), nothing links outside, every picture has a text, the topic pages
      exist and every page can be reached from index.htm.
  check_manual.py selftest
      Runs the checks on broken sample pages and fails unless each fault is reported.
"""
import os
import shutil
import sys
import tempfile
from html.parser import HTMLParser
from urllib.parse import unquote, urlsplit

VOID = {"area", "base", "br", "col", "embed", "hr", "img", "input", "link", "meta",
        "source", "track", "wbr"}
TOPICS = ["index.htm", "install.htm", "scanner.htm", "scan.htm", "save.htm", "autosave.htm",
          "multipage.htm", "recovery.htm", "compression.htm", "toolbar.htm", "trouble.htm", "zkbutton2.htm"]
LINK_ATTRS = {("a", "href"), ("img", "src"), ("link", "href"), ("script", "src")}


class Page(HTMLParser):
    def __init__(self):
        super().__init__(convert_charrefs=True)
        self.stack, self.errors, self.links, self.ids = [], [], [], set()
        self.doctype = self.charset = False
        self.title, self._in_title = "", False

    def where(self):
        return "line %d" % self.getpos()[0]

    def handle_decl(self, decl):
        self.doctype = self.doctype or decl.lower() == "doctype html"

    def handle_starttag(self, tag, attrs):
        self._element(tag, attrs)
        if tag not in VOID:
            self.stack.append((tag, self.where()))
        self._in_title = tag == "title"

    def handle_startendtag(self, tag, attrs):
        self._element(tag, attrs)

    def _element(self, tag, attrs):
        values = dict(attrs)
        if len(values) != len(attrs):
            self.errors.append("%s: <%s> repeats an attribute" % (self.where(), tag))
        if "id" in values:
            if values["id"] in self.ids:
                self.errors.append("%s: id %r used twice" % (self.where(), values["id"]))
            self.ids.add(values["id"])
        if tag == "meta" and (values.get("charset") or "").lower() == "utf-8":
            self.charset = True
        if tag == "img" and not (values.get("alt") or "").strip():
            self.errors.append("%s: picture without alt text" % self.where())
        for element, attr in LINK_ATTRS:
            if tag == element and values.get(attr) is not None:
                self.links.append((values[attr], self.where()))

    def handle_endtag(self, tag):
        self._in_title = False
        if tag in VOID:
            self.errors.append("%s: end tag for empty element <%s>" % (self.where(), tag))
            return
        if not self.stack or self.stack[-1][0] != tag:
            opened = self.stack[-1] if self.stack else ("nothing", "")
            self.errors.append("%s: </%s> closes <%s> opened at %s" %
                               (self.where(), tag, opened[0], opened[1]))
            return
        self.stack.pop()

    def handle_data(self, data):
        if self._in_title:
            self.title += data


def parse(path):
    page = Page()
    with open(path, encoding="utf-8") as f:
        page.feed(f.read())
    page.close()
    for tag, where in page.stack:
        page.errors.append("<%s> opened at %s is never closed" % (tag, where))
    if not page.doctype:
        page.errors.append("no <!DOCTYPE html>")
    if not page.charset:
        page.errors.append('no <meta charset="utf-8">')
    if not page.title.strip():
        page.errors.append("no title")
    return page


def check_pages(root):
    root = os.path.realpath(root)
    errors = []
    pages = {}
    for folder, _, files in os.walk(root):
        for name in files:
            if name.endswith((".htm", ".html")):
                path = os.path.join(folder, name)
                try:
                    pages[path] = parse(path)
                except (UnicodeDecodeError, OSError) as e:
                    errors.append("%s: %s" % (path, e))
    for topic in TOPICS:
        if os.path.join(root, topic) not in pages:
            errors.append("missing page %s" % topic)
    edges = {}
    for path, page in pages.items():
        rel = os.path.relpath(path, root)
        errors += ["%s: %s" % (rel, e) for e in page.errors]
        edges[path] = set()
        for link, where in page.links:
            parts = urlsplit(link)
            if parts.scheme or parts.netloc or link.startswith("//"):
                errors.append("%s %s: links outside the manual: %s" % (rel, where, link))
                continue
            target = path if not parts.path else os.path.realpath(
                os.path.join(os.path.dirname(path), unquote(parts.path)))
            if os.path.commonpath([root, target]) != root:
                errors.append("%s %s: leaves the manual folder: %s" % (rel, where, link))
            elif not os.path.isfile(target):
                errors.append("%s %s: no such file: %s" % (rel, where, link))
            elif parts.fragment and target in pages and parts.fragment not in pages[target].ids:
                errors.append("%s %s: no anchor #%s" % (rel, where, parts.fragment))
            elif target in pages:
                edges[path].add(target)
    start = os.path.join(root, "index.htm")
    seen, todo = set(), [start] if start in pages else []
    while todo:
        page = todo.pop()
        if page not in seen:
            seen.add(page)
            todo += edges.get(page, ())
    for path in sorted(set(pages) - seen):
        errors.append("%s: not reachable from index.htm" % os.path.relpath(path, root))
    return errors, len(pages)


# Each sample page holds one fault; the check must name it.
BROKEN = {
    "unclosed.htm": ("<p>text", "never closed"),
    "crossed.htm": ("<p><b>x</p></b>", "closes <b>"),
    "outside.htm": ('<a href="https://example.org/">x</a>', "links outside"),
    "dangling.htm": ('<a href="nowhere.htm">x</a>', "no such file"),
    "escape.htm": ('<a href="../index.htm">x</a>', "leaves the manual folder"),
    "anchor.htm": ('<a href="index.htm#nope">x</a>', "no anchor #nope"),
    "noalt.htm": ('<img src="index.htm">', "without alt"),
}


def page_text(body, title="t"):
    return ('<!DOCTYPE html><html lang="ja"><head><meta charset="utf-8"><title>%s</title>'
            "</head><body>%s</body></html>" % (title, body))


def self_test():
    work = tempfile.mkdtemp(prefix="folivo-manual-selftest-")
    try:
        root = os.path.join(work, "html")
        os.mkdir(root)
        links = "".join('<a href="%s">x</a>' % name for name in BROKEN)
        for name, text in [("index.htm", links), ("orphan.htm", "")] + [
                (topic, "") for topic in TOPICS[1:3]]:
            with open(os.path.join(root, name), "w", encoding="utf-8") as f:
                f.write(page_text(text))
        for name, (body, _) in BROKEN.items():
            with open(os.path.join(root, name), "w", encoding="utf-8") as f:
                f.write(page_text(body))
        with open(os.path.join(root, "untitled.htm"), "w", encoding="utf-8") as f:
            f.write(page_text("", title=""))
        errors, _ = check_pages(root)
        expected = [(name, why) for name, (_, why) in BROKEN.items()] + [
            ("orphan.htm", "not reachable"), ("untitled.htm", "no title"),
            ("", "missing page " + TOPICS[3])]
        missed = [(name, why) for name, why in expected
                  if not any(e.startswith(name) and why in e for e in errors)]
        for name, why in missed:
            print("FAIL: %s: the fault %r was not reported" % (name or "folder", why))
        clean = [e for e in errors if e.startswith(("index.htm", TOPICS[1], TOPICS[2]))
                 and "not reachable" not in e]
        for e in clean:
            print("FAIL: a sound page was reported: " + e)
        if not missed and not clean:
            print("PASS: every sample fault reported")
        return 1 if missed or clean else 0
    finally:
        shutil.rmtree(work, ignore_errors=True)


def main(argv):
    if len(argv) == 2 and argv[1] == "selftest":
        return self_test()
    if len(argv) != 3 or argv[1] != "pages":
        print(__doc__)
        return 2
    if not os.path.isfile(os.path.join(argv[2], "index.htm")):
        print("FAIL: no index.htm in %s" % argv[2])
        return 1
    errors, count = check_pages(argv[2])
    for e in errors:
        print("FAIL: " + e)
    if not errors:
        print("PASS: %d pages" % count)
    return 1 if errors else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
