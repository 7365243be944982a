#!/usr/bin/env python3
"""Chooses one-line faults at random for scripts/mutate.sh, and tells the ones
marked as changing nothing a user or a file could see.

  mutate-faults.py choose --repo DIR --since REV --seed S --count N --out DIR
                          --tests "name ..."
      writes N faults, each a patch headed as scripts/mutate.sh reads them,
      into --out (01-<file>-<line>.patch, ...), on the lines of product code
      that changed between REV and HEAD of --repo. The same seed, tree and REV
      give the same faults.
  mutate-faults.py harnesses SRC FILE...
      names the fuzz harnesses (fuzz/fuzz_*.cpp of SRC) that run the code of a
      FILE: through the headers they include, those headers' own sources and
      what these include in turn.
  mutate-faults.py equivalent LIST PATCH
      prints the reason and exits 0 when the fault of PATCH is listed in LIST
      (tab-separated: file, the line above the fault's, the line before and
      after the fault, reason), else exits 1.

A fault is one of: a comparison turned (< <=, > >=, == !=), && and || swapped,
a condition negated, an integer constant one more or less, a call statement
removed, a returned true/false swapped, an early return/continue/break
removed. Faults go only where the line is code: never into comments, strings,
preprocessor lines, static_asserts or log calls (whose line numbers nobody
sees).
"""

import argparse
import hashlib
import math
import os
import re
import subprocess
import sys

PRODUCT_DIRS = ["support", "toolkit", "sound", "app"]
SOURCE_SUFFIXES = (".cpp", ".h")

KINDS = {
    "comparison": "comparison turned",
    "logic": "&& and || swapped",
    "negation": "condition negated",
    "constant": "integer constant changed",
    "call": "call statement removed",
    "boolean": "returned true/false swapped",
    "exit": "early return/continue/break removed",
}

# Lines that hold code but where a change is invisible by design or cannot be
# a runtime fault.
SKIPPED_CALLS = re.compile(r"\b(HLOG_\w+|printMessage|static_assert|assert)\s*\(")


def git(repo, *args):
    return subprocess.run(["git", "-C", repo, *args], check=True, capture_output=True,
                          text=True, encoding="utf-8", errors="surrogateescape").stdout


def code_mask(lines):
    """Each line with comments, the insides of string and character literals and
    preprocessor lines blanked out (same length), so that patterns only match code."""
    masked = []
    in_block = False
    in_directive = False
    raw_end = None  # the closing )delim" of a raw string literal
    for line in lines:
        out = list(line)
        i = 0
        n = len(line)
        if in_directive or (not in_block and raw_end is None and line.lstrip().startswith("#")):
            in_directive = line.rstrip().endswith("\\")
            masked.append(" " * n)
            continue
        while i < n:
            if raw_end is not None:
                end = line.find(raw_end, i)
                stop = n if end < 0 else end
                for k in range(i, stop):
                    out[k] = " "
                if end < 0:
                    i = n
                else:
                    i = end + len(raw_end)
                    raw_end = None
                continue
            if in_block:
                end = line.find("*/", i)
                stop = n if end < 0 else end + 2
                for k in range(i, stop):
                    out[k] = " "
                in_block = end < 0
                i = stop
                continue
            c = line[i]
            if line.startswith("//", i):
                for k in range(i, n):
                    out[k] = " "
                break
            if line.startswith("/*", i):
                in_block = True
                continue
            raw = re.match(r'(?:u8|[uUL])?R"([^(\s]*)\(', line[i:])
            if raw and (i == 0 or not (line[i - 1].isalnum() or line[i - 1] == "_")):
                start = i + raw.end()
                raw_end = ")" + raw.group(1) + '"'
                i = start
                continue
            if c in "\"'":
                # A digit separator (1'000) is not a character literal.
                if c == "'" and i > 0 and line[i - 1].isalnum() and i + 1 < n and line[i + 1].isalnum():
                    i += 1
                    continue
                k = i + 1
                while k < n and line[k] != c:
                    k += 2 if line[k] == "\\" else 1
                for j in range(i + 1, min(k, n)):
                    out[j] = " "
                i = k + 1
                continue
            i += 1
        masked.append("".join(out))
    return masked


def balanced(text):
    depth = 0
    for c in text:
        if c == "(":
            depth += 1
        elif c == ")":
            depth -= 1
            if depth < 0:
                return False
    return depth == 0


def closing_paren(text, open_at):
    depth = 0
    for k in range(open_at, len(text)):
        if text[k] == "(":
            depth += 1
        elif text[k] == ")":
            depth -= 1
            if depth == 0:
                return k
    return -1


def block_openers(masked):
    """For each line, the statement that opened the innermost block it lies in
    (as it reads before its '{', or "" at file level)."""
    openers = []
    stack = []
    statement = []  # code since the last ; { or }
    for line in masked:
        openers.append(stack[-1] if stack else "")
        for c in line:
            if c == "{":
                stack.append(" ".join("".join(statement).split()))
                statement = []
            elif c == "}":
                if stack:
                    stack.pop()
                statement = []
            elif c == ";":
                statement = []
            else:
                statement.append(c)
        statement.append(" ")
    return openers


def previous_code(masked, index):
    for k in range(index - 1, -1, -1):
        if masked[k].strip():
            return masked[k].strip()
    return ""


def next_code(masked, index):
    for k in range(index + 1, len(masked)):
        if masked[k].strip():
            return masked[k].strip()
    return ""


def skipped_lines(masked):
    """Lines inside a static_assert, an assert or a log call, also when it
    spans several lines."""
    skipped = set()
    for index, line in enumerate(masked):
        for match in SKIPPED_CALLS.finditer(line):
            depth = 0
            k, row = match.end() - 1, index
            while row < len(masked):
                text = masked[row]
                while k < len(text):
                    if text[k] == "(":
                        depth += 1
                    elif text[k] == ")":
                        depth -= 1
                        if depth == 0:
                            break
                    k += 1
                skipped.add(row)
                if k < len(text):
                    break
                row, k = row + 1, 0
    return skipped


def replace_at(line, start, end, text):
    return line[:start] + text + line[end:]


COMPARISON = re.compile(r"(?<= )(<=|>=|==|!=|<|>)(?= )")
TURNED = {"<": "<=", "<=": "<", ">": ">=", ">=": ">", "==": "!=", "!=": "=="}
LOGIC = re.compile(r"(?<= )(&&|\|\|)(?= |$)")
CONSTANT = re.compile(r"(?<![\w.'])(0[xX][0-9A-Fa-f]+|\d+)([uUlLzZ]*)(?![\w.'])")
CONDITION = re.compile(r"\b(if|while)\s*\(")
SIMPLE = re.compile(r"^!?[\w:]+(\s*(\.|->)\s*\w+)*(\([^()]*\))?$")
CALL = re.compile(r"^(::)?[A-Za-z_~][\w]*((::|\.|->)~?[A-Za-z_]\w*)*(<[\w:,\s*&]*>)?\(.*\);$")
NOT_CALLS = {"return", "if", "while", "for", "switch", "sizeof", "case", "delete", "throw",
             "do", "else", "new", "co_return", "decltype", "alignof"}
EXIT = re.compile(r"^(return\b[^;]*|break|continue);$")
BOOLEAN = re.compile(r"\breturn (true|false);")


def constant_changes(text, negative):
    """The literal one more and one less (only one more for 0), in its own form."""
    value = -int(text, 0) if negative else int(text, 0)
    changed = [value + 1] if value == 0 else [value + 1, value - 1]
    if negative:
        return [str(v) for v in changed]
    if text.lower().startswith("0x"):
        digits = len(text) - 2
        upper = any(c in "ABCDEF" for c in text[2:])
        form = "0x{:0%d%s}" % (digits, "X" if upper else "x")
        return [form.format(v) for v in changed]
    return [str(v) for v in changed]


def faults_in_line(line, code, opener, before, after):
    """Every fault that one line of code admits: (kind, new line or None to
    remove the line)."""
    found = []
    stripped = code.strip()
    for m in COMPARISON.finditer(code):
        found.append(("comparison", replace_at(line, m.start(), m.end(), TURNED[m.group(1)])))
    for m in LOGIC.finditer(code):
        found.append(("logic", replace_at(line, m.start(), m.end(),
                                          "||" if m.group(1) == "&&" else "&&")))
    for m in CONDITION.finditer(code):
        open_at = m.end() - 1
        close = closing_paren(code, open_at)
        if close < 0:
            continue
        inner = code[open_at + 1:close]
        if ";" in inner or re.search(r"(?<![=!<>])=(?!=)", inner) or not inner.strip():
            continue  # an init-statement or a declaration, not a plain condition
        text = line[open_at + 1:close]
        if SIMPLE.match(inner.strip()):
            negated = text[1:] if text.startswith("!") else "!" + text
        else:
            negated = "!(" + text + ")"
        found.append(("negation", replace_at(line, open_at + 1, close, negated)))
    for m in CONSTANT.finditer(code):
        start = m.start(1)
        # A minus that is no subtraction belongs to the constant: -1 becomes 0 or -2.
        ahead = code[:start].rstrip()
        negative = ahead.endswith("-") and not ahead.endswith("--") and (
            re.search(r"(^|[(\[{=,?:<>!&|+*/%]|\breturn)$", ahead[:-1].rstrip()) is not None)
        if negative:
            start = len(ahead) - 1
        for changed in constant_changes(m.group(1), negative):
            found.append(("constant", replace_at(line, start, m.end(1), changed)))
    # A whole statement on its own line, removed.
    standalone = before.endswith((";", "{", "}", ":")) or not before
    call = CALL.match(stripped)
    if (call and standalone and balanced(stripped) and
            re.match(r"[\w:~]+", stripped.lstrip(":")).group(0).split("::")[0] not in NOT_CALLS):
        found.append(("call", None))
    if EXIT.match(stripped) and standalone and balanced(stripped):
        conditional = re.match(r"^(if|else)\b", opener) is not None
        case_ends = (opener.startswith("switch") or opener.startswith("case")) and \
            re.match(r"^(case\b|default\s*:)", after) is not None
        if conditional or case_ends:
            found.append(("exit", None))
    for m in BOOLEAN.finditer(code):
        swapped = "false" if m.group(1) == "true" else "true"
        found.append(("boolean", replace_at(line, m.start(1), m.end(1), swapped)))
    return found


def changed_lines(repo, since):
    """{file: set of line numbers (1-based) in HEAD} added or changed since REV."""
    diff = git(repo, "diff", "-U0", "--no-color", "--no-ext-diff", since, "HEAD", "--",
               *PRODUCT_DIRS)
    result = {}
    current = None
    for line in diff.splitlines():
        if line.startswith("+++ "):
            path = line[4:]
            current = path[2:] if path.startswith("b/") and path.endswith(SOURCE_SUFFIXES) else None
            if current:
                result.setdefault(current, set())
        elif line.startswith("@@") and current:
            m = re.match(r"@@ -\S+ \+(\d+)(?:,(\d+))? @@", line)
            start, count = int(m.group(1)), int(m.group(2) or "1")
            result[current].update(range(start, start + count))
    return {f: lines for f, lines in result.items() if lines}


def candidates(repo, since):
    sites = []
    for path, numbers in sorted(changed_lines(repo, since).items()):
        text = git(repo, "show", "HEAD:" + path)
        lines = text.split("\n")
        masked = code_mask(lines)
        openers = block_openers(masked)
        skipped = skipped_lines(masked)
        for number in sorted(numbers):
            index = number - 1
            if index >= len(lines) or index in skipped or not masked[index].strip():
                continue
            for kind, new in faults_in_line(lines[index], masked[index], openers[index],
                                            previous_code(masked, index),
                                            next_code(masked, index)):
                sites.append((path, number, kind, lines[index], new))
    return sites


def choose(sites, count, seed):
    """Spreads the choice over kinds and files: a kind is drawn with a weight of
    the square root of its number of sites, then a file with the square root of
    that kind's sites in it, then a site; at most one fault per line, and at
    most a tenth of the faults (two at least) in one file.

    Drawn as a weighted sample with a key per site (the largest log(u)/weight
    first), u coming from a hash of the seed and the site's own text rather than
    from its place in the list: a change elsewhere in the code leaves the other
    sites' keys as they were, so a sample drawn again after a fix is the same
    but for the sites the fix touched."""
    by_kind, by_kind_file = {}, {}
    for site in sites:
        by_kind[site[2]] = by_kind.get(site[2], 0) + 1
        by_kind_file[site[2], site[0]] = by_kind_file.get((site[2], site[0]), 0) + 1
    kind_total = sum(math.sqrt(n) for n in by_kind.values())
    file_total = {}
    for (kind, _), n in by_kind_file.items():
        file_total[kind] = file_total.get(kind, 0) + math.sqrt(n)
    keyed = []
    seen = {}
    for site in sites:
        path, _, kind, before, new = site
        n = by_kind_file[kind, path]
        weight = (math.sqrt(by_kind[kind]) / kind_total) * (math.sqrt(n) / file_total[kind]) / n
        identity = "\0".join([str(seed), path, kind, before.strip(), "" if new is None else new.strip()])
        seen[identity] = seen.get(identity, 0) + 1
        digest = hashlib.sha256("{}\0{}".format(identity, seen[identity]).encode(
            "utf-8", "surrogateescape")).digest()
        u = (int.from_bytes(digest[:8], "big") + 1) / (2 ** 64 + 2)
        keyed.append((math.log(u) / weight, site))
    keyed.sort(key=lambda k: k[0], reverse=True)
    chosen, lines, per_file = [], set(), {}
    most = max(2, math.ceil(count / 10))
    for _, site in keyed:
        if (site[0], site[1]) in lines or per_file.get(site[0], 0) >= most:
            continue
        chosen.append(site)
        lines.add((site[0], site[1]))
        per_file[site[0]] = per_file.get(site[0], 0) + 1
        if len(chosen) == count:
            break
    return chosen


def patch_text(repo, path, number, new):
    lines = git(repo, "show", "HEAD:" + path).split("\n")
    index = number - 1
    first = max(0, index - 3)
    last = min(len(lines) - 1, index + 3)
    # A file ending in a newline splits into a last empty string: no line.
    if lines[-1] == "" and last == len(lines) - 1:
        last -= 1
    body = []
    for k in range(first, last + 1):
        if k == index:
            body.append("-" + lines[k])
            if new is not None:
                body.append("+" + new)
        else:
            body.append(" " + lines[k])
    old_count = last - first + 1
    new_count = old_count - (1 if new is None else 0)
    return ("diff --git a/{0} b/{0}\n--- a/{0}\n+++ b/{0}\n@@ -{1},{2} +{1},{3} @@\n"
            .format(path, first + 1, old_count, new_count) + "\n".join(body) + "\n")


def describe(before, new):
    after = "(line removed)" if new is None else new.strip()
    return "{} → {}".format(before.strip(), after)


def likeliest_tests(path, tests):
    """The test programs in the order most likely to catch a fault in path."""
    own = {"support": "support_tests", "toolkit": "toolkit_tests", "sound": "sound_tests"}
    first = own.get(path.split("/")[0])
    if path.startswith("app/data/"):
        first = "data_tests"
    elif path.startswith("app/"):
        first = "editor_tests"
    order = [first, "editor_tests", "data_tests"]
    ranked = [t for t in order if t in tests]
    return list(dict.fromkeys(ranked + tests))


def command_choose(args):
    sites = candidates(args.repo, args.since)
    if not sites:
        print("mutate: no product code changed since {}".format(args.since), file=sys.stderr)
        return 2
    chosen = choose(sites, args.count, args.seed)
    tests = args.tests.split()
    os.makedirs(args.out, exist_ok=True)
    kinds = {}
    for site in sites:
        kinds[site[2]] = kinds.get(site[2], 0) + 1
    print("mutate: {} possible faults on {} lines of {} files ({})".format(
        len(sites), len({(s[0], s[1]) for s in sites}), len({s[0] for s in sites}),
        ", ".join("{} {}".format(kinds[k], k) for k in sorted(kinds))))
    for order, (path, number, kind, before, new) in enumerate(chosen, 1):
        name = "{:02d}-{}-{}".format(order, os.path.basename(path).replace(".", "-"), number)
        with open(os.path.join(args.out, name + ".patch"), "w", encoding="utf-8",
                  errors="surrogateescape") as out:
            out.write("Fault: {}:{}: {}\n".format(path, number, describe(before, new)))
            out.write("Kind: {}\n".format(KINDS[kind]))
            out.write("Tests: {}\n\n".format(" ".join(likeliest_tests(path, tests))))
            out.write(patch_text(args.repo, path, number, new))
    return 0


def fault_key(patch):
    """file, the nearest line above that is not blank, the line before and after
    the fault (each stripped; "" for a removed line) of a one-line patch. The
    line above tells apart faults of the same text in one file."""
    path, above, removed, added = None, "", [], []
    with open(patch, encoding="utf-8", errors="surrogateescape") as f:
        for line in f.read().split("\n"):
            if line.startswith("+++ "):
                path = line[4:][2:] if line[4:].startswith("b/") else line[4:]
            elif path and line.startswith("-") and not line.startswith("---"):
                removed.append(line[1:].strip())
            elif path and line.startswith("+"):
                added.append(line[1:].strip())
            elif path and line.startswith(" ") and not removed and line.strip():
                above = line.strip()
    if path is None or len(removed) != 1 or len(added) > 1:
        return None
    return path, above, removed[0], added[0] if added else ""


def command_equivalent(args):
    key = fault_key(args.patch)
    if key is None or not os.path.exists(args.list):
        return 1
    with open(args.list, encoding="utf-8", errors="surrogateescape") as f:
        for line in f:
            if line.startswith("#") or not line.strip():
                continue
            fields = line.rstrip("\n").split("\t")
            if len(fields) >= 5 and tuple(f.strip() for f in fields[:4]) == key:
                print(fields[4].strip())
                return 0
    return 1


INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"', re.M)


def includes(src, path):
    try:
        with open(os.path.join(src, path), encoding="utf-8", errors="surrogateescape") as f:
            return [name for name in INCLUDE.findall(f.read())
                    if os.path.exists(os.path.join(src, name))]
    except OSError:
        return []


def command_harnesses(args):
    touched = {os.path.splitext(f)[0] for f in args.files}
    fuzz = os.path.join(args.src, "fuzz")
    for harness in sorted(os.listdir(fuzz)):
        if not (harness.startswith("fuzz_") and harness.endswith(".cpp")):
            continue
        seen, pending = set(), includes(args.src, os.path.join("fuzz", harness))
        while pending:
            path = pending.pop()
            if path in seen:
                continue
            seen.add(path)
            pending += includes(args.src, path)
            own = os.path.splitext(path)[0] + ".cpp"
            if os.path.exists(os.path.join(args.src, own)) and own not in seen:
                pending.append(own)
        if touched & {os.path.splitext(p)[0] for p in seen}:
            print(harness[:-len(".cpp")])
    return 0


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    sub = parser.add_subparsers(dest="command", required=True)
    c = sub.add_parser("choose")
    c.add_argument("--repo", required=True)
    c.add_argument("--since", required=True)
    c.add_argument("--seed", type=int, required=True)
    c.add_argument("--count", type=int, required=True)
    c.add_argument("--out", required=True)
    c.add_argument("--tests", required=True)
    h = sub.add_parser("harnesses")
    h.add_argument("src")
    h.add_argument("files", nargs="+")
    e = sub.add_parser("equivalent")
    e.add_argument("list")
    e.add_argument("patch")
    args = parser.parse_args()
    commands = {"choose": command_choose, "harnesses": command_harnesses,
                "equivalent": command_equivalent}
    return commands[args.command](args)


if __name__ == "__main__":
    sys.exit(main())
