#!/usr/bin/env python3
"""Makes the users' documents from one read-me source (readme.<language>.md).

    make_user_documents.py text SOURCE OUT [--windows] [--gzip]
    make_user_documents.py man SOURCE FOLDER --date DATE --version VERSION
                           --commands A,B,... [--gzip]

The source is a small part of Markdown: one "#" title, "##" and "###" headings, paragraphs,
"- " and "1. " lists, tables, code lines indented by four blanks and `code`. A comment
"<!-- man: skip -->" under a heading leaves that heading's part out of the manual pages, and
"<!-- man-labels: NAME | SYNOPSIS | DESCRIPTION | SEE ALSO -->" names the manual pages' own
headings.

text: the read-me as plain text. --windows writes it as Notepad on Japanese Windows reads it
without guessing: UTF-8 with a byte-order mark (without the mark, Notepad before Windows 10
takes the file for the ANSI code page 932), and CR LF line ends.
man: one manual page per program named in the source's table of programs (its first cells,
`COMMAND ARGUMENTS`), each with the source's parts.
"""

import argparse
import gzip
import pathlib
import re
import sys
import unicodedata

WIDTH = 78
# Characters a line does not start with, and characters it does not end with.
NO_LINE_START = set("、。，．・：；？！）」』】〕ー―ぁぃぅぇぉっゃゅょァィゥェォッャュョ,.;:!?)]")
NO_LINE_END = set("（「『【〔([")


def is_wide(character):
    return unicodedata.east_asian_width(character) in "WF"


def display_width(text):
    return sum(2 if is_wide(c) else 1 for c in text)


# --- The source ------------------------------------------------------------------------------


class Block:
    def __init__(self, kind, **fields):
        self.kind = kind
        self.__dict__.update(fields)


def join_lines(lines):
    """One paragraph from its source lines: a line break between two words is a blank, one
    that touches a Japanese character is nothing."""
    text = ""
    for line in (line.strip() for line in lines):
        if text and line and not (is_wide(text[-1]) or is_wide(line[0])):
            text += " "
        text += line
    return text


def table_cells(line):
    return [cell.strip() for cell in line.strip().strip("|").split("|")]


def parse(source):
    lines = source.splitlines()
    blocks, meta = [], {}
    index = 0
    while index < len(lines):
        line = lines[index]
        comment = re.fullmatch(r"<!--\s*([\w-]+):\s*(.*?)\s*-->", line.strip())
        if comment:
            key, value = comment.groups()
            if key == "man" and value == "skip" and blocks and blocks[-1].kind == "heading":
                blocks[-1].man = False
            else:
                meta[key] = value
            index += 1
        elif not line.strip():
            index += 1
        elif heading := re.fullmatch(r"(#{1,3}) (.+)", line):
            blocks.append(Block("heading", level=len(heading[1]), text=heading[2], man=True))
            index += 1
        elif line.startswith("|"):
            rows = []
            while index < len(lines) and lines[index].startswith("|"):
                if not re.fullmatch(r"\|[\s|:-]+\|", lines[index].strip()):
                    rows.append(table_cells(lines[index]))
                index += 1
            blocks.append(Block("table", header=rows[0], rows=rows[1:]))
        elif line.startswith("    "):
            code = []
            while index < len(lines) and lines[index].startswith("    "):
                code.append(lines[index][4:])
                index += 1
            blocks.append(Block("code", lines=code))
        elif item := re.fullmatch(r"(- |\d+\. )(.*)", line):
            items = []
            while index < len(lines) and (item := re.fullmatch(r"(- |\d+\. )(.*)", lines[index])):
                text = [item[2]]
                index += 1
                while index < len(lines) and lines[index].startswith("  ") and lines[index].strip():
                    text.append(lines[index])
                    index += 1
                items.append((item[1].strip(), join_lines(text)))
            blocks.append(Block("list", items=items))
        else:
            text = []
            while index < len(lines) and lines[index].strip() and not re.match(
                    r"(#|\||    |- |\d+\. |<!--)", lines[index]):
                text.append(lines[index])
                index += 1
            blocks.append(Block("paragraph", text=join_lines(text)))
    return blocks, meta


def programs(blocks):
    """The table of programs: {command: (arguments, description)} in the table's order."""
    found = {}
    for block in blocks:
        if block.kind == "table":
            for row in block.rows:
                command = re.fullmatch(r"`(\S+)\s*(.*)`", row[0])
                if command:
                    found[command[1]] = (command[2], row[1])
    return found


def plain(text):
    return text.replace("`", "")


# --- Plain text ------------------------------------------------------------------------------


def tokens(text):
    """Words to wrap: a run of ASCII is one word, each wide character is one; the flag says
    whether a blank stood before it."""
    words = re.finditer(r"(\s*)([^\s\u0080-\uffff]+|\S)", text)
    return [(match[2], bool(match[1])) for match in words]


def wrap(text, width):
    lines, line = [], []
    used = 0
    for word, blank in tokens(text):
        needed = display_width(word) + (1 if blank and line else 0)
        if line and used + needed > width and word[0] not in NO_LINE_START:
            carried = []
            while len(line) > 1 and line[-1][0][-1] in NO_LINE_END:
                carried.insert(0, line.pop())
            lines.append(line)
            line, used = carried, sum(display_width(w) for w, _ in carried)
            needed = display_width(word) + (1 if blank and line else 0)
        line.append((word, blank))
        used += needed
    if line:
        lines.append(line)
    return ["".join((" " if blank and i else "") + word for i, (word, blank) in enumerate(words))
            for words in lines]


def hanging(first, text, width, indent):
    body = wrap(text, width - indent) or [""]
    return [first.ljust(indent) + body[0]] + [" " * indent + rest for rest in body[1:]]


def text_document(blocks):
    out = []
    for block in blocks:
        if block.kind == "heading":
            title = plain(block.text)
            if out:
                out.append("")
            if block.level == 3:
                out.append("[" + title + "]")
            else:
                out += [title, ("=" if block.level == 1 else "-") * display_width(title)]
        elif block.kind == "paragraph":
            out += [""] + wrap(plain(block.text), WIDTH)
        elif block.kind == "list":
            out.append("")
            for mark, text in block.items:
                out += hanging("  " + ("*" if mark == "-" else mark) + " ", plain(text), WIDTH, 5)
        elif block.kind == "code":
            out += [""] + ["    " + line for line in block.lines]
        elif block.kind == "table":
            cells = [[plain(cell) for cell in row] for row in block.rows]
            header = [plain(cell) for cell in block.header]
            indent = min(max(display_width(row[0]) for row in cells) + 4, 40)
            out.append("")
            for row in cells:
                first = "  " + row[0]
                lines = wrap(row[1], WIDTH - indent)
                for name, extra in zip(header[2:], row[2:]):
                    lines += wrap(name + ": " + extra, WIDTH - indent)
                if display_width(first) + 2 > indent:
                    out.append(first)
                    first = ""
                out.append(first + " " * (indent - display_width(first)) + lines[0])
                out += [" " * indent + line for line in lines[1:]]
    return "\n".join(out) + "\n"


# --- Manual pages ----------------------------------------------------------------------------


def roff_text(text, breaks=True):
    """Text for a roff line: escapes, `code` in bold, and a place to break after each wide
    character, as Japanese has no blanks to break at."""
    parts = text.split("`")
    out = ""
    for number, part in enumerate(parts):
        part = part.replace("\\", "\\e")
        if number % 2:
            out += "\\fB" + part.replace("-", "\\-") + "\\fR"
            continue
        if breaks:
            broken = ""
            for i, character in enumerate(part):
                broken += character
                following = part[i + 1] if i + 1 < len(part) else ""
                if (is_wide(character) and following and character not in NO_LINE_END
                        and following not in NO_LINE_START):
                    broken += "\\:"
            part = broken
        out += part
    if out.startswith((".", "'")):
        out = "\\&" + out
    return out


def man_page(blocks, meta, command, all_programs, date, version, japanese):
    labels = [label.strip() for label in meta["man-labels"].split("|")]
    arguments, description = all_programs[command]
    title = "Norvalent WMP 3 TE"
    out = [
        '.\\" Made from docs/user/readme.*.md by docs/user/make_user_documents.py.',
        f'.TH {command} 1 {date} "{title} {version}" "{title}"',
    ]
    # Lines without blanks cannot be stretched to the margin, so none is.
    out.append(".ad l")
    if japanese:
        out.append(".nh")
    # The summary is the first sentence, without break points: whatis shows it as it stands.
    summary = re.split(r"(?<=。)|(?<=\.)\s", plain(description))[0].rstrip("。.")
    out += [f".SH {labels[0]}", f"{command} \\- {roff_text(summary, breaks=False)}",
            f".SH {labels[1]}", f".B {command}"]
    if arguments:
        out.append(roff_text(arguments))
    out.append(f".SH {labels[2]}")
    skipping = 0
    for block in blocks:
        if block.kind == "heading":
            if skipping and block.level > skipping:
                continue
            skipping = 0 if block.man else block.level
            if block.level == 1 or skipping:
                continue
            heading = roff_text(plain(block.text))
            if block.level == 2:
                out.append(".SH " + (heading if japanese else heading.upper()))
            else:
                out.append(".SS " + heading)
        elif skipping:
            continue
        elif block.kind == "paragraph":
            out += [".PP", roff_text(block.text)]
        elif block.kind == "list":
            for mark, text in block.items:
                bullet = "\\(bu" if mark == "-" else mark
                out += [f".IP {bullet} 4", roff_text(text)]
        elif block.kind == "code":
            out += [".PP", ".RS 4", ".nf"] + [roff_text(line, breaks=False) for line in block.lines]
            out += [".fi", ".RE"]
        elif block.kind == "table":
            for row in block.rows:
                out += [".TP", roff_text(row[0]), roff_text(row[1])]
                for name, extra in zip(block.header[2:], row[2:]):
                    out += [".br", roff_text(name + ": " + extra)]
    others = [other for other in all_programs if other != command]
    out += [f".SH {labels[3]}", ",\n".join(f".BR {other} (1)" for other in others)]
    return "\n".join(out) + "\n"


# --- Main ------------------------------------------------------------------------------------


def write(path, data, compress):
    path.parent.mkdir(parents=True, exist_ok=True)
    # mtime 0: the same source makes the same bytes.
    path.write_bytes(gzip.compress(data, 9, mtime=0) if compress else data)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("kind", choices=["text", "man"])
    parser.add_argument("source", type=pathlib.Path)
    parser.add_argument("out", type=pathlib.Path)
    parser.add_argument("--windows", action="store_true")
    parser.add_argument("--gzip", action="store_true")
    parser.add_argument("--date")
    parser.add_argument("--version")
    parser.add_argument("--commands")
    options = parser.parse_args()
    blocks, meta = parse(options.source.read_text(encoding="utf-8"))
    japanese = ".ja." in options.source.name

    if options.kind == "text":
        text = text_document(blocks)
        if options.windows:
            text = "\ufeff" + text.replace("\n", "\r\n")
        write(options.out, text.encode("utf-8"), options.gzip)
        return 0

    found = programs(blocks)
    expected = options.commands.split(",")
    if sorted(found) != sorted(expected):
        print(f"{options.source}: the table of programs names {sorted(found)}, "
              f"not {sorted(expected)}", file=sys.stderr)
        return 1
    for command in found:
        page = man_page(blocks, meta, command, found, options.date, options.version, japanese)
        name = command + ".1" + (".gz" if options.gzip else "")
        write(options.out / name, page.encode("utf-8"), options.gzip)
    return 0


if __name__ == "__main__":
    sys.exit(main())
