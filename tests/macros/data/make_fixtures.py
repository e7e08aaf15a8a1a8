#!/usr/bin/env python3
"""Writes the macro library fixtures from the file layout, independently of the C++ writer."""


def block(stage, loc, name, folder, is_open=0, macro=None):
    t = "\t" * stage
    lines = [f"{t}++++++++MacroItemName={name}",
             f"{t}MacroItemLocation:stage={stage};stage0Index={loc[0]};stage1Index={loc[1]};stage2Index={loc[2]};",
             f"{t}MacroItemIsFolder={folder}",
             f"{t}MacroItemFolderIsOpen={is_open}"]
    if macro:
        index, loop_type, loop_num, command_num, actions = macro
        words = "".join(actions) + "00000000" * (336 - len(actions))
        lines += [f"{t}MacroKeyIndex={index}", f"{t}MacroKeyLoopType={loop_type}", f"{t}MacroKeyLoopNum={loop_num}",
                  f"{t}MacroActionNum={len(actions)}", f"{t}MacroCommandActionNum={command_num}",
                  f"{t}AllAction={words}"]
    return lines


def write(path, lines):
    with open(path, "wb") as f:
        f.write(b"\xff\xfe" + "".join(line + "\n" for line in lines).encode("utf-16-le"))


header = lambda index, sel: ["[MacroLibrary]", f"MacroKeyIndex={index}",
                             "Select Locaton:stage={};stage0Index={};stage1Index={};stage2Index={};".format(*sel)]
click = ["E0000000", "03000032", "E0800000"]
key_a = ["41000000", "03000064", "41800000"]

write("empty.mlf", header(0, (-1, 0, 0, 0)))

# F (folder, open) > A; B at the top; G > H > C; a name with "=" and non-ASCII text.
write("tree.mlf", header(7, (1, 0, 0, 0))
      + block(0, (0, 0, 0), "F", 1, 1)
      + block(0, (1, 0, 0), "B", 0, 0, (4, 1, 1, 2, key_a))
      + block(0, (2, 0, 0), "G", 1, 0)
      + block(0, (3, 0, 0), "x=y \u00e9\u4e2d", 0, 0, (6, 2, 255, 0, []))
      + block(1, (0, 0, 0), "A", 0, 0, (3, 2, 5, 2, click + ["E5000005", "E60000FB", "E70000FF"]))
      + block(1, (2, 0, 0), "H", 1, 0)
      + block(2, (2, 0, 0), "C", 0, 0, (5, 4, 1, 168, ["FF800000"] * 336)))
