#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""Reads Qt Linguist .ts files for the build and the tests.

  ts_tool.py table OUT.cpp FILE.ts... --contexts NAME...
      writes the catalogue of the command-line client: the finished
      translations of the named contexts, sorted as i18n/catalog.cpp looks
      them up.
  ts_tool.py check FILE.ts
      fails, naming each text, when a text has no finished translation or a
      translation loses a placeholder (%1, %n) or an accelerator ("(&F)").
"""
import re
import sys
import xml.etree.ElementTree as ElementTree

PLACEHOLDER = re.compile(r"%(?:\d|n)")
ACCELERATOR = re.compile(r"\(&\w\)")


def language_of(tree, path):
    language = tree.getroot().get("language", "")
    code = re.split(r"[_.@]", language)[0]
    if not code:
        sys.exit(f"{path}: the file names no language")
    return code


def messages(tree):
    """(context, source, translation element) of every text still in the sources."""
    for context in tree.getroot().iter("context"):
        name = context.findtext("name", "")
        for message in context.iter("message"):
            translation = message.find("translation")
            if translation is not None and translation.get("type") in ("vanished", "obsolete"):
                continue
            yield name, message.findtext("source", ""), translation


def finished(translation):
    return (translation is not None and translation.get("type") != "unfinished"
            and bool(translation.text))


def c_string(text):
    out = ['"']
    for byte in text.encode("utf-8"):
        char = chr(byte)
        if char in '"\\':
            out.append("\\" + char)
        elif byte < 0x20 or byte == 0x7F or byte == ord("?"):
            out.append(f"\\{byte:03o}")
        else:
            out.append(char if byte < 0x80 else f"\\{byte:03o}")
    out.append('"')
    return "".join(out)


def write_table(out_path, ts_paths, contexts):
    catalogs = []
    for path in ts_paths:
        tree = ElementTree.parse(path)
        entries = sorted(
            ((context, source, translation.text)
             for context, source, translation in messages(tree)
             if context in contexts and finished(translation)),
            key=lambda entry: (entry[0].encode(), entry[1].encode()))
        catalogs.append((language_of(tree, path), entries))
    lines = ["// Made by i18n/ts_tool.py from the Qt Linguist files: edit those, not this.",
             '#include "catalog_entry.h"', "", "namespace ovaline::i18n {", "namespace {", ""]
    for language, entries in catalogs:
        lines.append(f"const CatalogEntry k_{language}[] = {{")
        lines += [f"    {{{c_string(c)}, {c_string(s)}, {c_string(t)}}}," for c, s, t in entries]
        lines += ["    {nullptr, nullptr, nullptr},", "};", ""]
    lines += ["} // namespace", "", "extern const Catalog kCatalogs[] = {"]
    lines += [f"    {{{c_string(language)}, k_{language}, {len(entries)}}},"
              for language, entries in catalogs]
    lines += ["};", f"extern const std::size_t kCatalogCount = {len(catalogs)};", "",
              "} // namespace ovaline::i18n", ""]
    with open(out_path, "w", encoding="utf-8") as out:
        out.write("\n".join(lines))


def check(path):
    tree = ElementTree.parse(path)
    faults = []
    for context, source, translation in messages(tree):
        where = f"{context}: {source!r}"
        if not finished(translation):
            faults.append(f"{where} has no finished translation")
            continue
        text = translation.text
        if sorted(PLACEHOLDER.findall(source)) != sorted(PLACEHOLDER.findall(text)):
            faults.append(f"{where}: the translation {text!r} has other placeholders")
        if ACCELERATOR.findall(source) != ACCELERATOR.findall(text):
            faults.append(f"{where}: the translation {text!r} has another accelerator")
    for fault in faults:
        print(f"{path}: {fault}", file=sys.stderr)
    return 1 if faults else 0


def main(argv):
    if len(argv) >= 4 and argv[0] == "table" and "--contexts" in argv:
        split = argv.index("--contexts")
        write_table(argv[1], argv[2:split], set(argv[split + 1:]))
        return 0
    if len(argv) == 2 and argv[0] == "check":
        return check(argv[1])
    print(__doc__, file=sys.stderr)
    return 2


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
