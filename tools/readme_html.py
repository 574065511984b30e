#!/usr/bin/env python3
"""Renders README.md as the HTML page installed with the programs
(share/doc/zu/README.html), which their home-page command opens.

Only the Markdown the README uses is understood: headings, paragraphs,
bulleted lists with continuation lines, fenced code blocks, pipe tables, and
inline code, bold text and links. Everything else is escaped and shown as
written. Standard library only, so the build needs nothing but python3.

Usage: readme_html.py README.md README.html
"""
import html
import re
import sys

INLINE = re.compile(r"`([^`]+)`|\*\*([^*]+)\*\*|\[([^\]]+)\]\(([^)\s]+)\)")


def inline(text):
    out, pos = [], 0
    for m in INLINE.finditer(text):
        out.append(html.escape(text[pos:m.start()]))
        if m.group(1) is not None:
            out.append(f"<code>{html.escape(m.group(1))}</code>")
        elif m.group(2) is not None:
            out.append(f"<strong>{inline(m.group(2))}</strong>")
        else:
            out.append(f'<a href="{html.escape(m.group(4))}">{inline(m.group(3))}</a>')
        pos = m.end()
    out.append(html.escape(text[pos:]))
    return "".join(out)


def table_cells(line):
    return [c.strip() for c in line.strip().strip("|").split("|")]


def render(markdown):
    lines = markdown.splitlines()
    body, i = [], 0
    title = ""
    while i < len(lines):
        line = lines[i]
        stripped = line.strip()
        if not stripped:
            i += 1
        elif stripped.startswith("```"):
            i += 1
            code = []
            while i < len(lines) and not lines[i].strip().startswith("```"):
                code.append(lines[i])
                i += 1
            i += 1
            body.append("<pre><code>" + html.escape("\n".join(code)) + "</code></pre>")
        elif re.match(r"#{1,6} ", stripped):
            level = len(stripped) - len(stripped.lstrip("#"))
            text = stripped[level:].strip()
            title = title or text
            body.append(f"<h{level}>{inline(text)}</h{level}>")
            i += 1
        elif stripped.startswith("|") and i + 1 < len(lines) and re.match(r"^\|?[\s:|-]+\|?$", lines[i + 1].strip()):
            head = table_cells(stripped)
            i += 2
            rows = []
            while i < len(lines) and lines[i].strip().startswith("|"):
                rows.append(table_cells(lines[i]))
                i += 1
            out = ["<table>", "<tr>" + "".join(f"<th>{inline(c)}</th>" for c in head) + "</tr>"]
            out += ["<tr>" + "".join(f"<td>{inline(c)}</td>" for c in row) + "</tr>" for row in rows]
            body.append("\n".join(out + ["</table>"]))
        elif re.match(r"[-*] ", stripped):
            items = []
            while i < len(lines) and lines[i].strip():
                item = lines[i].strip()
                if re.match(r"[-*] ", item):
                    items.append(item[2:].strip())
                elif items:
                    items[-1] += " " + item
                i += 1
            body.append("<ul>\n" + "\n".join(f"<li>{inline(t)}</li>" for t in items) + "\n</ul>")
        else:
            text = []
            while i < len(lines) and lines[i].strip() and not re.match(r"(#{1,6} |```|[-*] |\|)", lines[i].strip()):
                text.append(lines[i].strip())
                i += 1
            body.append(f"<p>{inline(' '.join(text))}</p>")
    return ("<!DOCTYPE html>\n<html lang=\"ko\">\n<head>\n<meta charset=\"utf-8\">\n"
            f"<title>{html.escape(title)}</title>\n"
            "<style>body{font-family:sans-serif;max-width:56em;margin:2em auto;padding:0 1em;line-height:1.5}"
            "pre{background:#f4f4f4;padding:.5em}table{border-collapse:collapse}"
            "td,th{border:1px solid #aaa;padding:.2em .5em;text-align:left}</style>\n"
            "</head>\n<body>\n" + "\n".join(body) + "\n</body>\n</html>\n")


def main(argv):
    if len(argv) != 3:
        raise SystemExit(__doc__)
    with open(argv[1], encoding="utf-8") as source:
        page = render(source.read())
    with open(argv[2], "w", encoding="utf-8", newline="\n") as target:
        target.write(page)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
