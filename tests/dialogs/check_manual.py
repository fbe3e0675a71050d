#!/usr/bin/env python3
"""Checks the HTML manual: check_manual.py pages <html folder>.

Pages are well-formed; local links, pictures and style sheets resolve inside the folder
(anchors too), nothing links outside, pictures have texts, the topic pages exist and all
can be reached from index.htm.
"""
import os
import sys
from html.parser import HTMLParser
from urllib.parse import unquote, urlsplit

VOID = {"area", "base", "br", "col", "embed", "hr", "img", "input", "link", "meta",
        "source", "track", "wbr"}
TOPICS = ["index.htm", "install.htm", "scanner.htm", "scan.htm", "save.htm", "autosave.htm",
          "multipage.htm", "recovery.htm", "compression.htm", "toolbar.htm", "trouble.htm",
          "zkbutton2.htm"]
LINK_ATTRS = {("a", "href"), ("img", "src"), ("link", "href"), ("script", "src")}


class Page(HTMLParser):
    def __init__(self):
        super().__init__(convert_charrefs=True)
        self.stack, self.errors, self.links, self.ids = [], [], [], set()
        self.doctype = self.charset = self.in_title = False
        self.title = ""

    def where(self):
        return "line %d" % self.getpos()[0]

    def handle_decl(self, decl):
        self.doctype = self.doctype or decl.lower() == "doctype html"

    def handle_starttag(self, tag, attrs):
        self.handle_startendtag(tag, attrs)
        if tag not in VOID:
            self.stack.append((tag, self.where()))
        self.in_title = tag == "title"

    def handle_startendtag(self, tag, attrs):
        values = dict(attrs)
        if "id" in values:
            if values["id"] in self.ids:
                self.errors.append("%s: id %r used twice" % (self.where(), values["id"]))
            self.ids.add(values["id"])
        self.charset |= tag == "meta" and (values.get("charset") or "").lower() == "utf-8"
        if tag == "img" and not (values.get("alt") or "").strip():
            self.errors.append("%s: picture without alt text" % self.where())
        self.links += [(values[a], self.where()) for t, a in LINK_ATTRS
                       if t == tag and values.get(a) is not None]

    def handle_endtag(self, tag):
        self.in_title = False
        if tag in VOID:
            self.errors.append("%s: end tag for empty element <%s>" % (self.where(), tag))
        elif not self.stack or self.stack[-1][0] != tag:
            opened = self.stack[-1] if self.stack else ("nothing", "")
            self.errors.append("%s: </%s> closes <%s> opened at %s" %
                               (self.where(), tag, opened[0], opened[1]))
        else:
            self.stack.pop()

    def handle_data(self, data):
        if self.in_title:
            self.title += data


def parse(path):
    page = Page()
    with open(path, encoding="utf-8") as f:
        page.feed(f.read())
    page.close()
    page.errors += ["<%s> opened at %s is never closed" % item for item in page.stack]
    page.errors += [why for bad, why in [(not page.doctype, "no <!DOCTYPE html>"),
                                         (not page.charset, 'no <meta charset="utf-8">'),
                                         (not page.title.strip(), "no title")] if bad]
    return page


def check_pages(root):
    root = os.path.realpath(root)
    errors, pages, edges = [], {}, {}
    for folder, _, files in os.walk(root):
        for path in [os.path.join(folder, n) for n in files if n.endswith((".htm", ".html"))]:
            try:
                pages[path] = parse(path)
            except (UnicodeDecodeError, OSError) as e:
                errors.append("%s: %s" % (path, e))
    errors += ["missing page " + t for t in TOPICS if os.path.join(root, t) not in pages]
    for path, page in pages.items():
        rel = os.path.relpath(path, root)
        errors += ["%s: %s" % (rel, e) for e in page.errors]
        edges[path] = set()
        for link, where in page.links:
            parts = urlsplit(link)
            target = path if not parts.path else os.path.realpath(
                os.path.join(os.path.dirname(path), unquote(parts.path)))
            fault = None
            if parts.scheme or parts.netloc or link.startswith("//"):
                fault = "links outside the manual"
            elif os.path.commonpath([root, target]) != root:
                fault = "leaves the manual folder"
            elif not os.path.isfile(target):
                fault = "no such file"
            elif parts.fragment and target in pages and parts.fragment not in pages[target].ids:
                fault = "no anchor #" + parts.fragment
            elif target in pages:
                edges[path].add(target)
            if fault:
                errors.append("%s %s: %s: %s" % (rel, where, fault, link))
    start = os.path.join(root, "index.htm")
    seen, todo = set(), [start] if start in pages else []
    while todo:
        page = todo.pop()
        if page not in seen:
            seen.add(page)
            todo += edges.get(page, ())
    errors += ["%s: not reachable from index.htm" % os.path.relpath(p, root)
               for p in sorted(set(pages) - seen)]
    return errors, len(pages)


def main(argv):
    if len(argv) != 3 or argv[1] != "pages":
        print(__doc__)
        return 2
    errors, count = ["no index.htm in " + argv[2]], 0
    if os.path.isfile(os.path.join(argv[2], "index.htm")):
        errors, count = check_pages(argv[2])
    for e in errors:
        print("FAIL: " + e)
    print("" if errors else "PASS: %d pages" % count)
    return 1 if errors else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
