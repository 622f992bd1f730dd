#!/usr/bin/python3
"""Makes the page's module from the linked one with binaryen's wasm-opt: asyncify, so
that a handler can wait for the page's message box, then the smallest code, without
names or debug data.

    asyncify_module.py <wasm-opt> <linked.wasm> <asyncify-onlylist.txt> <output.wasm>

Asyncify is confined: only the message_box import unwinds, indirect calls are taken as
never unwinding (the form model's calls are made direct by whole-program
devirtualization: WebBinding is the one FormModel of the module), and only the
functions named in the onlylist, one per line, are instrumented. Those must be exactly
the functions that reach message_box by direct calls, as asyncify's own analysis finds
them; when they differ (a new path to a message box, a function renamed or inlined by a
change of the core or of the compiler), the build stops and says how.
"""
import re
import subprocess
import sys

ARGS = ["--pass-arg=asyncify-imports@env.message_box", "--pass-arg=asyncify-ignore-indirect"]


def unescape(name):
    """A name as wasm-opt prints it ("f\\28int\\29") as the name section holds it."""
    return re.sub(r"\\([0-9a-f]{2})", lambda m: chr(int(m.group(1), 16)), name)


def main():
    wasm_opt, linked, onlylist_path, output = sys.argv[1:5]
    wanted = [line.strip() for line in open(onlylist_path, encoding="utf-8") if line.strip()]

    analysis = subprocess.run(
        [wasm_opt, linked, "--asyncify", *ARGS, "--pass-arg=asyncify-verbose", "-o", "/dev/null"],
        check=True, capture_output=True, text=True).stdout
    found = {unescape(m.group(1))
             for m in re.finditer(r"^\[asyncify\] (.+) can change the state due to ", analysis, re.M)}
    if found != set(wanted):
        sys.exit("asyncify_module.py: the functions that reach the message box are not those of "
                 f"{onlylist_path}\n  missing from it: {sorted(found - set(wanted))}\n"
                 f"  listed but not on the path: {sorted(set(wanted) - found)}")

    subprocess.run([wasm_opt, linked, "--asyncify", *ARGS,
                    "--pass-arg=asyncify-onlylist@" + ",".join(wanted),
                    "-Oz", "--strip-debug", "--strip-producers", "-o", output], check=True)


if __name__ == "__main__":
    main()
