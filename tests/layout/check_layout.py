#!/usr/bin/env python3
"""Checks the house rules of the source tree: which folder may include which.

The layers stand in the order model, render, io, edit, dialogs, app; a file includes only its own
layer and the layers below it. Inside a layer the sub-folders stand in the order below (the first is
the lowest): a file includes only its own folder and the folders before it, and the layer's top
folder (the composition, such as edit/Editor) stands above all of them. No feature of the editor
includes the editor itself, the core layers have no Qt, and no file is longer than a screenful of
screens unless it is a table.

Usage: check_layout.py SOURCE_DIR   (exit status 1 and one line per fault when a rule is broken)
"""
import os
import re
import sys

LAYERS = ["model", "render", "io", "edit", "dialogs", "app"]
CORE = {"model", "render", "io", "edit"}
FOLDERS = {
    "io": ["base", "native", "pictures", "dump", "hdl", "exchange"],
    "edit": ["values", "session", "grid", "annotations", "rows", "cells", "files", "exchange", "timing", "mouse"],
    "app": ["platform", "cli", "window", "startup"],
}
# Tables may run long: one entry a command, a format or a message.
LONG_TABLES = {"src/app/window/CommandTable.cpp"}
MAX_LINES = 620  # about 600
INCLUDE = re.compile(r'^\s*#\s*include\s*([<"])([^>"]+)[>"]', re.M)


def rank(layer, parts):
    """The rank of a folder inside its layer: its place in FOLDERS, or above all for the top."""
    order = FOLDERS.get(layer, [])
    if len(parts) > 1 and parts[0] in order:
        return order.index(parts[0]), parts[0]
    return len(order), "(top)"


def main(top):
    faults = []
    src = os.path.join(top, "src")
    for folder, _, names in os.walk(src):
        for name in sorted(names):
            if not name.endswith((".h", ".cpp")):
                continue
            path = os.path.join(folder, name)
            rel = os.path.relpath(path, src).replace(os.sep, "/")
            parts = rel.split("/")
            layer, inner = parts[0], parts[1:]
            text = open(path, encoding="utf-8").read()
            if text.count("\n") > MAX_LINES and "src/" + rel not in LONG_TABLES:
                faults.append(f"src/{rel}: {text.count(chr(10))} lines, more than {MAX_LINES}")
            own_rank, own_folder = rank(layer, inner)
            for kind, target in INCLUDE.findall(text):
                if kind == "<":
                    if layer in CORE and re.match(r"Q[A-Za-z]|qt", target):
                        faults.append(f"src/{rel}: the core includes Qt <{target}>")
                    continue
                tparts = target.split("/")
                if tparts[0] not in LAYERS:
                    continue
                tlayer, tinner = tparts[0], tparts[1:]
                if LAYERS.index(tlayer) > LAYERS.index(layer):
                    faults.append(f"src/{rel}: includes {target} from the higher layer {tlayer}")
                    continue
                if tlayer != layer:
                    continue
                if layer == "edit" and target == "edit/Editor.h" and own_folder != "(top)":
                    faults.append(f"src/{rel}: a feature includes the editor (edit/Editor.h)")
                target_rank, target_folder = rank(tlayer, tinner)
                if target_rank > own_rank:
                    faults.append(f"src/{rel}: {layer}/{own_folder} includes {target} from the higher folder {target_folder}")
    for fault in faults:
        print(fault)
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "..", "..")))
