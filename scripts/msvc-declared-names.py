#!/usr/bin/env python3
"""Prints the MSVC-decorated names of the declarations in clang's JSON syntax
tree (clang --target=i686-pc-windows-msvc -Xclang -ast-dump=json), one
"CLASS NAME" line each ("- NAME" outside classes): every declared function,
constructor, destructor and global, except what a library cannot export
(pure virtual members) and what the compiler declared on its own.

    msvc-declared-names.py < tree.json
"""
import json
import sys

KINDS = {"CXXMethodDecl", "CXXConstructorDecl", "CXXDestructorDecl", "FunctionDecl", "VarDecl"}


def name_of(node, cls):
    name = node["mangledName"]
    if node["kind"] == "CXXDestructorDecl":
        # The tree gives a destructor variant of its own; the exported one
        # is the complete destructor, ??1.
        return "??1%s@@%sAE@XZ" % (cls, "U" if node.get("virtual") else "Q")
    if not name.startswith("?"):
        return name[1:] if name.startswith("_") else name   # C names: no leading underscore in the DLL
    return name


def walk(node, cls, out):
    kind = node.get("kind")
    if kind == "CXXRecordDecl" and node.get("name") and cls is None:
        cls = node["name"]
    if kind in KINDS and "mangledName" in node and not node.get("isImplicit") and not node.get("pure"):
        out.append("%s %s" % (cls or "-", name_of(node, cls)))
    for child in node.get("inner", []):
        walk(child, cls, out)


def main():
    out = []
    for child in json.load(sys.stdin).get("inner", []):
        walk(child, None, out)
    print("\n".join(out))


if __name__ == "__main__":
    main()
