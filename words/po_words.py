#!/usr/bin/env python3
"""Writes a C++ table of a GNU gettext catalog's translations, for a program
that cannot read the compiled catalog at run time (the web module).

    po_words.py LANGUAGE CATALOG.po OUT.inc

OUT.inc holds `{"english", "translation"},` lines sorted by the English
bytes, to include inside an array of string_view pairs. Only what gettext
itself would use is kept: the header, fuzzy and untranslated entries and
obsolete (#~) ones are left out, so the table says what quotalis-cli says.
The catalog's Language header must be LANGUAGE."""
import sys

ESCAPES = {"n": "\n", "t": "\t", "\\": "\\", '"': '"', "r": "\r", "a": "\a", "b": "\b",
           "f": "\f", "v": "\v"}


def unquote(line, where):
    line = line.strip()
    if len(line) < 2 or line[0] != '"' or line[-1] != '"':
        sys.exit(f"{where}: expected a quoted string, found {line!r}")
    out, i, body = [], 0, line[1:-1]
    while i < len(body):
        c = body[i]
        if c == "\\":
            i += 1
            if i >= len(body) or body[i] not in ESCAPES:
                sys.exit(f"{where}: unknown escape in {line!r}")
            out.append(ESCAPES[body[i]])
        else:
            out.append(c)
        i += 1
    return "".join(out)


def entries(path):
    """(flags, msgid, msgstr) for each entry of the catalog."""
    entry = {"flags": set()}
    field = None
    with open(path, encoding="utf-8") as po:
        lines = list(po) + [""]
    for number, line in enumerate(lines, 1):
        where = f"{path}:{number}"
        text = line.strip()
        if not text:
            if "msgid" in entry:
                yield entry["flags"], entry["msgid"], entry.get("msgstr", "")
            entry, field = {"flags": set()}, None
        elif text.startswith("#,"):
            entry["flags"].update(f.strip() for f in text[2:].split(","))
        elif text.startswith("#"):
            continue  # comments, references and obsolete entries
        elif text.startswith("msgctxt") or text.startswith("msgid_plural"):
            sys.exit(f"{where}: contexts and plurals are not used by this program")
        elif text.startswith("msgid ") or text.startswith("msgstr "):
            field, rest = text.split(" ", 1)
            entry[field] = unquote(rest, where)
        elif text.startswith('"') and field:
            entry[field] += unquote(text, where)
        else:
            sys.exit(f"{where}: cannot read {text!r}")


def literal(text):
    """A C++ string literal of the text, in UTF-8 as the source is; control
    characters as three-digit octal escapes, which nothing can run into."""
    out = []
    for c in text:
        if c in '"\\':
            out.append("\\" + c)
        elif ord(c) < 0x20 or ord(c) == 0x7F:
            out.append(f"\\{ord(c):03o}")
        else:
            out.append(c)
    return '"' + "".join(out) + '"'


def main():
    if len(sys.argv) != 4:
        sys.exit(__doc__)
    language, catalog, out = sys.argv[1:]
    pairs = {}
    header = None
    for flags, msgid, msgstr in entries(catalog):
        if msgid == "":
            header = msgstr
        elif "fuzzy" not in flags and msgstr:
            pairs[msgid] = msgstr
    if header is None or f"Language: {language}\n" not in header:
        sys.exit(f"{catalog}: its header does not say Language: {language}")
    rows = sorted(pairs.items(), key=lambda pair: pair[0].encode("utf-8"))
    text = f"// Made by web/module/po_words.py from {catalog.split('/')[-1]}; do not edit.\n"
    text += "".join(f"{{{literal(k)}, {literal(v)}}},\n" for k, v in rows)
    with open(out, "w", encoding="utf-8") as f:
        f.write(text)


main()
