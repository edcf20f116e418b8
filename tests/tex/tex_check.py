#!/usr/bin/env python3
"""The LaTeX quotalis-cli writes, through real TeX: lualatex compiles
  - every kept LaTeX working (tests/working/latex), in its language;
  - the working of seeded entries of every kind, in English and Japanese,
    long ones among them (1000 rows of a long division; a divisor of 70
    digits), as --document writes them;
  - an exercise sheet of each kind with its answer key and working, in
    both languages;
without an error and with no row wider than the page; pdftotext then finds
every row of a long division, and every exercise (before the answer key,
which starts a page) and every answer (after it). A failure names TeX's own
error and the entry it was in. Exit status 77 (skipped) without lualatex.
    tex_check.py QUOTALIS_CLI WORKING_LATEX_DIR SCRATCH_DIR"""
import concurrent.futures
import os
import re
import shutil
import subprocess
import sys

# Wider than the page by more than this is a fault; TeX's own rounding and
# an \intertext's last word may stick out by a point or two.
OVERFULL_PT = 3.0
failures = []


def fail(message):
    failures.append(message)
    print("FAIL: " + message, file=sys.stderr)


def run(cli, args, language, text=None):
    env = dict(os.environ, LANGUAGE=language, LC_ALL="C.UTF-8")
    r = subprocess.run([cli] + args, input=text.encode() if text is not None else None,
                       capture_output=True, env=env)
    return r.returncode, r.stdout.decode()


def entry_at(tex_lines, line, marker):
    """The entry whose marker comment stands last before line `line` (from 1)."""
    for i in range(min(line, len(tex_lines)) - 1, -1, -1):
        m = marker.match(tex_lines[i])
        if m:
            return m.group(1)
    return "(the preamble)"


MARK = re.compile(r"^% entry: (.*)$")
ITEM = re.compile(r".*\((\d+)\)\\quad")


def compile_tex(name, tex, scratch, marker=MARK):
    """Compiles `tex`; the PDF's text (pdftotext -raw), or None on an error."""
    folder = os.path.join(scratch, name)
    os.makedirs(folder, exist_ok=True)
    with open(os.path.join(folder, "doc.tex"), "w", encoding="utf-8") as f:
        f.write(tex)
    r = subprocess.run(["lualatex", "-interaction=nonstopmode", "-halt-on-error", "doc.tex"],
                       cwd=folder, capture_output=True)
    log_path = os.path.join(folder, "doc.log")
    log = open(log_path, encoding="utf-8", errors="replace").read() if os.path.exists(log_path) else ""
    lines = tex.split("\n")
    if r.returncode != 0:
        error = next((l for l in log.split("\n") if l.startswith("!")), "(no error line)")
        at = re.search(r"^l\.(\d+)", log, re.M)
        where = entry_at(lines, int(at.group(1)), marker) if at else "(unknown)"
        fail("%s: lualatex: %s, at line %s, in %s" % (name, error, at.group(1) if at else "?", where))
        return None
    for m in re.finditer(r"Overfull \\hbox \(([\d.]+)pt too wide\) (?:in|detected) .*?lines? (\d+)",
                         log):
        if float(m.group(1)) > OVERFULL_PT:
            fail("%s: a row %spt wider than the page, in %s" %
                 (name, m.group(1), entry_at(lines, int(m.group(2)), marker)))
    text = subprocess.run(["pdftotext", "-raw", "doc.pdf", "-"], cwd=folder,
                          capture_output=True).stdout.decode()
    return text


def preamble(cli, language):
    """The program's own document around a working, before its first working."""
    _, doc = run(cli, ["--explain", "--notation", "latex", "--document", "1/2"], language)
    begin = doc.index("\\begin{document}\n") + len("\\begin{document}\n")
    return doc[:begin], doc[doc.rindex("\\end{document}"):]


def seeded_entries():
    """Entries of every kind the working explains, with their options."""
    plain = []
    for whole in ("0", "3", "12"):
        for fixed in ("", "1", "08"):
            for period in ("6", "45", "142857"):
                plain.append(["%s.%s(%s)" % (whole, fixed, period)])
    plain += [["1/7"], ["5/12"], ["22/7"], ["-3/11"], ["1 1/6"], ["2 19/55"], ["1/97"],
              ["0.(9)"], ["7"], ["0.5"], ["-0.1(6)"], ["1.2(3)e-5"], ["0.1666..."],
              ["0.1[6]"], ["--period", "1", "0.1666"], ["--mixed", "2.3(45)"],
              ["--rounded", "3.14159"], ["--rounded", "0.6667"], ["--rounded", "-0.3"],
              ["--notation", "latex", "--mixed", "1/6"]]
    return plain


def remainder_rows(tex):
    """The rows of long divisions in the LaTeX, and the word each ends in."""
    words = re.findall(r"&= [^&\\]*\\text\{ ([^}]+) \}", tex)
    return words


def check_workings(cli, scratch, language, entries):
    begin, end = preamble(cli, language)
    parts = [begin]
    for args in entries:
        status, tex = run(cli, ["--explain", "--notation", "latex"] + args, language)
        name = " ".join(args)
        if status != 0 or not tex.startswith("\\begin{align*}"):
            fail("%s (%s): no LaTeX working (status %d)" % (name, language, status))
            continue
        parts.append("%% entry: %s\n%s\\par\\bigskip\n" % (name, tex.rstrip("\n")))
    parts.append(end)
    tex = "\n".join(parts)
    text = compile_tex("workings-" + language, tex, scratch)
    if text is not None:
        rows = remainder_rows(tex)
        if rows:
            word = rows[0]
            found = len(re.findall(re.escape(word), text))
            if found < len(rows):
                fail("workings (%s): the PDF holds %d of the %d rows of the long divisions" %
                     (language, found, len(rows)))


def check_long(cli, scratch, language, entry, label):
    """One long working as --document writes it: every row in the PDF."""
    status, tex = run(cli, ["--explain", "--notation", "latex", "--document", entry], language)
    if status != 0:
        return fail("%s (%s): status %d" % (label, language, status))
    tex = tex.replace("\\begin{align*}", "% entry: " + label + "\n\\begin{align*}", 1)
    text = compile_tex("long-%s-%s" % (label, language), tex, scratch)
    if text is None:
        return
    rows = remainder_rows(tex)
    found = len(re.findall(re.escape(rows[0]), text)) if rows else 0
    if not rows or found < len(rows):
        fail("%s (%s): the PDF holds %d of the %d division rows" % (label, language, found,
                                                                     len(rows)))


def check_lines(cli, scratch, language):
    """--document over standard input, a refused line among the workings."""
    env = dict(os.environ, LANGUAGE=language, LC_ALL="C.UTF-8")
    tex = subprocess.run([cli, "--explain", "--notation", "latex", "--document"],
                         input="1/7\n0.5#_$\n0.1(6)\n".encode(), capture_output=True,
                         env=env).stdout.decode()
    text = compile_tex("lines-" + language, tex.replace("\\begin{document}\n",
                                                        "\\begin{document}\n% entry: lines\n"),
                       scratch)
    if text is not None and "0.5#_$" not in text:
        fail("lines (%s): the refused line is not in the PDF" % language)


def digits(text):
    return re.sub(r"[^0-9]", "", text)


def check_sheet(cli, scratch, language, kind):
    import json
    args = ["--sheet", "--seed", "5", "--count", "9", "--kind", kind]
    _, data = run(cli, args + ["--json"], language)
    exercises = json.loads(data)["exercises"]
    status, tex = run(cli, args + ["--explain"], language)
    name = "sheet-%s-%s" % (kind, language)
    if status != 0:
        return fail("%s: status %d" % (name, status))
    text = compile_tex(name, tex, scratch, ITEM)
    if text is None:
        return
    heading = "解答" if language == "ja" else "Answers"
    key = text.find(heading)
    if key < 0:
        return fail("%s: the PDF has no answer key" % name)
    if text[:key].rsplit("\f", 1)[-1].strip():
        fail("%s: the answer key does not start a page" % name)
    sheet, answers = digits(text[:key]), digits(text[key:])
    at = 0
    for e in exercises:
        item = str(e["number"]) + digits(e["question"])
        found = sheet.find(item, at)
        if found < 0:
            fail("%s: exercise (%d) %s is not in the PDF" % (name, e["number"], e["question"]))
        else:
            at = found + len(item)
    at = 0
    for e in exercises:
        item = str(e["number"]) + digits(e["answer"])
        found = answers.find(item, at)
        if found < 0:
            fail("%s: the answer of (%d), %s, is not in the PDF" % (name, e["number"], e["answer"]))
        else:
            at = found + len(item)


def check_kept(scratch, working_dir, cli, language):
    begin, end = preamble(cli, language)
    folder = os.path.join(working_dir, language)
    parts = [begin]
    for file in sorted(os.listdir(folder)):
        body = open(os.path.join(folder, file), encoding="utf-8").read()
        parts.append("%% entry: %s/%s\n%s\\par\\bigskip\n" % (language, file, body.rstrip("\n")))
    parts.append(end)
    compile_tex("kept-" + language, "\n".join(parts), scratch)


def main():
    cli, working_dir, scratch = sys.argv[1:4]
    if not shutil.which("lualatex") or not shutil.which("pdftotext"):
        print("lualatex or pdftotext is not installed: skipped")
        return 77
    shutil.rmtree(scratch, ignore_errors=True)
    os.makedirs(scratch)
    jobs = []
    with concurrent.futures.ThreadPoolExecutor(max_workers=2) as pool:
        for language in ("en", "ja"):
            jobs.append(pool.submit(check_kept, scratch, working_dir, cli, language))
            jobs.append(pool.submit(check_lines, cli, scratch, language))
            jobs.append(pool.submit(check_workings, cli, scratch, language, seeded_entries()))
            jobs.append(pool.submit(check_long, cli, scratch, language, "1/9999943", "rows"))
            jobs.append(pool.submit(check_long, cli, scratch, language, "1/" + "9" * 70, "wide"))
            for kind in ("pure", "pre-period", "whole", "to-decimal", "mixed-number", "rounded"):
                jobs.append(pool.submit(check_sheet, cli, scratch, language, kind))
        for job in jobs:
            job.result()
    print("%d failures" % len(failures))
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
