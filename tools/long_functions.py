#!/usr/bin/env python3
"""Lists the C++ functions longer than a limit (80 lines unless told) under the given folders.

    tools/long_functions.py [--max N] [--exclude DIR]... DIR_OR_FILE...

Each line reads `path:line: name (N lines)`, longest first, a function's length counted from the
first line of its head to its closing brace. The scan counts braces after taking out comments,
strings and preprocessor lines: a brace whose head (the text since the last `;`, `{` or `}`) has a
parameter list and no `=` opens a function when it stands at file, namespace or class level;
everything within a function belongs to it (lambdas included). Heads that end in a member
initialiser with braces (`a{1}`) are not followed, which this code base does not use.
"""

import argparse
import os
import re
import sys

SOURCE_ENDINGS = (".cpp", ".h", ".hpp", ".cc")
CONTROL = re.compile(r"^\s*(if|for|while|switch|catch|do|else|try)\b")
SCOPE = re.compile(r"\b(namespace|class|struct|union|enum)\b[^()]*$|\bextern\s*\"\"\s*$")


def blank_out(text):
    """The text with comments, strings, character literals and preprocessor lines replaced by
    spaces, newlines kept, so that braces and line numbers can be read from it."""
    out = []
    i, n = 0, len(text)
    line_start = True
    while i < n:
        c = text[i]
        if line_start and c == "#":
            # A preprocessor line, continued by backslashes.
            while i < n and text[i] != "\n":
                if text[i] == "\\" and i + 1 < n and text[i + 1] == "\n":
                    out.append(" \n")
                    i += 2
                    continue
                out.append(" ")
                i += 1
            continue
        if c == "\n":
            out.append(c)
            line_start = True
            i += 1
            continue
        if not c.isspace():
            line_start = False
        if text.startswith("//", i):
            while i < n and text[i] != "\n":
                out.append(" ")
                i += 1
            continue
        if text.startswith("/*", i):
            end = text.find("*/", i + 2)
            end = n if end < 0 else end + 2
            out.append(re.sub(r"[^\n]", " ", text[i:end]))
            i = end
            continue
        raw = re.match(r'R"([^(\s]*)\(', text[i:i + 20])
        if raw:
            end = text.find(")" + raw.group(1) + '"', i)
            end = n if end < 0 else end + len(raw.group(1)) + 2
            out.append('""' + re.sub(r"[^\n]", " ", text[i + 2:end]))
            i = end
            continue
        if c in "\"'":
            # A digit separator (1'000) is not a character literal.
            if c == "'" and i > 0 and text[i - 1].isalnum() and i + 1 < n and text[i + 1].isalnum():
                out.append(" ")
                i += 1
                continue
            j = i + 1
            while j < n and text[j] != c and text[j] != "\n":
                j += 2 if text[j] == "\\" else 1
            out.append(c + " " * (min(j, n) - i - 1) + (c if j < n else ""))
            i = j + 1
            continue
        out.append(c)
        i += 1
    return "".join(out)


def function_name(head):
    """The (qualified) name before the head's parameter list."""
    flat = " ".join(head.split())
    flat = re.sub(r"^template\s*<.*?>\s*", "", flat)
    m = re.search(r"((?:[A-Za-z_~]\w*::)*(?:operator\s*[^\s(]+|[A-Za-z_~]\w*))\s*\(", flat)
    return m.group(1) if m else flat[:40]


def is_function_head(head):
    flat = " ".join(head.split())
    if "(" not in flat or CONTROL.match(flat) or SCOPE.search(flat):
        return False
    before = flat[: flat.index("(")]
    return "=" not in before.replace("operator=", "").replace("operator==", "")


def long_functions(path, limit):
    with open(path, encoding="utf-8", errors="replace") as f:
        text = blank_out(f.read())
    found = []
    stack = []  # per open brace: "scope", "function" or "block"
    head_start = 0
    line = 1
    starts = {}  # depth -> (first line of head, name)
    for i, c in enumerate(text):
        if c == "\n":
            line += 1
        elif c in ";":
            head_start = i + 1
        elif c == "{":
            head = text[head_start:i]
            inside = bool(stack) and stack[-1] in ("function", "block")
            if inside:
                kind = "block"
            elif is_function_head(head):
                kind = "function"
                lead = len(head) - len(head.lstrip())
                first = line - head[lead:].count("\n")
                starts[len(stack)] = (first, function_name(head))
            elif SCOPE.search(" ".join(head.split())) or not head.strip():
                kind = "scope"
            else:
                kind = "block"  # an initialiser or a data table
            stack.append(kind)
            head_start = i + 1
        elif c == "}":
            if stack:
                kind = stack.pop()
                if kind == "function":
                    first, name = starts.pop(len(stack))
                    length = line - first + 1
                    if length > limit:
                        found.append((length, path, first, name))
            head_start = i + 1
    return found


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--max", type=int, default=80, help="longest allowed, in lines")
    parser.add_argument("--exclude", action="append", default=[], help="a folder left out")
    parser.add_argument("paths", nargs="+")
    args = parser.parse_args()
    excluded = [os.path.normpath(e) for e in args.exclude]

    def kept(p):
        p = os.path.normpath(p)
        return not any(p == e or p.startswith(e + os.sep) for e in excluded)

    files = []
    for p in args.paths:
        if os.path.isfile(p):
            files.append(p)
            continue
        for root, dirs, names in os.walk(p):
            dirs[:] = sorted(d for d in dirs if kept(os.path.join(root, d)))
            files += [os.path.join(root, n) for n in sorted(names) if n.endswith(SOURCE_ENDINGS)]
    found = []
    for f in files:
        if kept(f):
            found += long_functions(f, args.max)
    for length, path, first, name in sorted(found, key=lambda x: (-x[0], x[1], x[2])):
        print(f"{path}:{first}: {name} ({length} lines)")


if __name__ == "__main__":
    sys.exit(main())
