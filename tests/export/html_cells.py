# SPDX-License-Identifier: GPL-2.0-or-later
"""Reads an HTML document the way a strict reader would and prints the content of its table
cells as UTF-8: each cell ended by US (0x1F), each row by RS (0x1E).

Inside a cell, text stands as a browser shows it (references resolved) and every element is
shown as "[name attr=value ...]" and "[/name]", with an href percent-decoded, so a value that
became markup never reads back as the text it was. Exits 1, saying why on stderr, when the
document holds a "<" that opens no tag or a "&" that is not a complete, known reference.
"""
import html.entities
import html.parser
import re
import sys
import urllib.parse

TAG_OPEN = re.compile(r"<(/?[A-Za-z][A-Za-z0-9]*[\s/>]|!--|!DOCTYPE)")
REFERENCE = re.compile(r"&(#[0-9]+;|#[xX][0-9A-Fa-f]+;|([A-Za-z][A-Za-z0-9]*;))")


def check_raw(text):
    for match in re.finditer("<", text):
        if not TAG_OPEN.match(text, match.start()):
            sys.exit("a '<' that opens no tag at %d: %r" % (match.start(), text[match.start():][:40]))
    for match in re.finditer("&", text):
        ref = REFERENCE.match(text, match.start())
        if not ref or (ref.group(2) and ref.group(2) not in html.entities.html5):
            sys.exit("an incomplete reference at %d: %r" % (match.start(), text[match.start():][:40]))


class Cells(html.parser.HTMLParser):
    def __init__(self):
        super().__init__(convert_charrefs=True)
        self.rows = []
        self.row = None
        self.cell = None

    def handle_starttag(self, tag, attrs):
        if tag == "tr":
            self.row = []
        elif tag == "td":
            self.cell = ""
        elif self.cell is not None:
            shown = " ".join(
                "%s=%s" % (name, urllib.parse.unquote(value or "") if name == "href" else value)
                for name, value in attrs)
            self.cell += "[%s%s]" % (tag, " " + shown if shown else "")

    def handle_endtag(self, tag):
        if tag == "td" and self.cell is not None:
            self.row.append(self.cell)
            self.cell = None
        elif tag == "tr" and self.row is not None:
            self.rows.append(self.row)
            self.row = None
        elif self.cell is not None:
            self.cell += "[/%s]" % tag

    def handle_data(self, data):
        if self.cell is not None:
            self.cell += data


def main():
    with open(sys.argv[1], encoding="ascii", newline="") as document:
        text = document.read()  # a byte above 127 fails: the documents are ASCII
    check_raw(text)
    parser = Cells()
    parser.feed(text)
    parser.close()
    out = "".join("".join(cell + "\x1f" for cell in row) + "\x1e" for row in parser.rows)
    sys.stdout.buffer.write(out.encode("utf-8"))


main()
