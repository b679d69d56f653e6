# SPDX-License-Identifier: MIT
"""The program as a screen reader finds it through AT-SPI, under Xvfb: every
control of its windows and dialogs has a name and a role; the remote
control's buttons are named as on the panel, the selection window's buttons
by their slots, the slot frames by what they show and the grid's cells by
their files; a lamp going on and a slot received are announced. Prints the
accessible tree of each window it looks at.

    accessible_tree_test.py PROGRAM CLI
"""

import os
import subprocess
import sys
import tempfile

from desktop_session import (Events, Failure, Program, Xvfb, find, print_tree, run, showing,
                             wait_for, walk)

# The roles of objects a user works, which must have a name.
CONTROL_ROLES = {"push button", "toggle button", "check box", "radio button", "menu item",
                 "combo box", "text", "list", "list item", "table cell", "tree", "tree item",
                 "page tab", "spin button", "slider"}

REMOTE_BUTTONS = ["POSI/NEGA", "MAIN", "TELE", "COLOR/B&W", "SUB", "WIDE", "UPPER", "AV 1", "NEAR",
                  "BASE", "AV 2", "FAR", "AF", "IRIS NORMAL", "IRIS OPEN", "IRIS CLOSE", "LOCK",
                  "POINTER", "2x", "PAUSE", "SET", "RECALL", "pointer up-left", "pointer left",
                  "pointer down-left", "pointer up", "pointer down", "pointer up-right",
                  "pointer right", "pointer down-right"]
LAMP_BUTTONS = {"UPPER", "BASE", "MAIN", "AV 1", "AV 2", "SUB", "LOCK"}
SELECT_BUTTONS = ["slot %d" % n for n in range(1, 8)] + ["CANCEL"]
SLOTS_RECEIVED = ["Slot %d, picture, 736 by 480" % n for n in range(1, 5)] + \
                 ["Slot %d, empty" % n for n in range(5, 8)]


def check_names(window, title):
    """Every control on the screen has a name; the tree is printed."""
    print("--- %s" % title)
    print_tree(window)
    nameless = ["[%s] under %r" % (a.getRoleName(), a.parent.name)
                for a, _ in walk(window)
                if a.getRoleName() in CONTROL_ROLES and showing(a) and not a.name]
    if nameless:
        raise Failure("controls without a name in %s: %s" % (title, ", ".join(nameless)))


def item_names(program, list_name):
    items = find(program.window("Ovaline"), "list", list_name)
    return [items.getChildAtIndex(i).name for i in range(items.childCount)] if items else None


def check_main_window(program, events, pictures):
    wait_for("the folder's pictures as cells",
             lambda: item_names(program, "Pictures of the folder") == pictures)
    wait_for("the empty slot frames",
             lambda: item_names(program, "Camera memory") == ["Slot %d, empty" % n
                                                              for n in range(1, 8)])
    program.press("Ovaline", "push button", "Receive(R)")
    wait_for("the received slots", lambda: item_names(program, "Camera memory") == SLOTS_RECEIVED)
    wait_for("a received slot announced",
             lambda: events.any("object:property-change:accessible-name", SLOTS_RECEIVED[0]))
    check_names(program.window("Ovaline"), "the main window")


def check_remote_control(program, events):
    program.press("Ovaline", "push button", "Remote(M)")
    remote = program.window("REMOTE CONTROL")
    buttons = [a for a, _ in walk(remote) if a.getRoleName() in ("push button", "check box")]
    names = [b.name for b in buttons]
    if sorted(names) != sorted(REMOTE_BUTTONS):
        raise Failure("the remote control's buttons are %s" % names)
    for button in buttons:
        role = "check box" if button.name in LAMP_BUTTONS else "push button"
        if button.getRoleName() != role:
            raise Failure("%s is a %s, not a %s" % (button.name, button.getRoleName(), role))
    program.press("REMOTE CONTROL", "check box", "UPPER")
    wait_for("the UPPER lamp announced on",
             lambda: events.any("object:state-changed:checked", "UPPER", 1))
    program.press("REMOTE CONTROL", "push button", "POSI/NEGA")
    wait_for("the NEGA word announced lit",
             lambda: events.any("object:property-change:accessible-description", "POSI/NEGA"))
    posi_nega = program.control("REMOTE CONTROL", "push button", "POSI/NEGA")
    wait_for("POSI/NEGA described as NEGA", lambda: posi_nega.description == "NEGA")
    check_names(remote, "the remote control")

    program.press("REMOTE CONTROL", "push button", "SET")
    select = program.window("SET")
    names = [a.name for a, _ in walk(select) if a.getRoleName() == "push button"]
    if names != SELECT_BUTTONS:
        raise Failure("the selection window's buttons are %s" % names)
    check_names(select, "the selection window")
    program.press("SET", "push button", "CANCEL")


def check_dialog(program, button, title, close):
    program.press("Ovaline", "push button", button)
    check_names(program.window(title), title)
    program.press(title, "push button", close)
    wait_for("%s closed" % title, lambda: not program.windows(title))


def test(program_path, cli_path):
    with tempfile.TemporaryDirectory() as folder:
        camera = dict(os.environ, OVALINE_VIRTUAL_DIR=os.path.join(folder, "camera"),
                      OVALINE_VIRTUAL_MODEL="VIKN", OVALINE_VIRTUAL_SPEED="50")
        pictures = os.path.join(folder, "pictures")
        subprocess.run([cli_path, "--device", "virtual", "--baud", "115200", "receive", "--all",
                        "-o", pictures], env=camera, check=True, stdout=subprocess.DEVNULL)
        # Listening before the program starts, it sends these events from the first.
        events = Events("object:property-change:accessible-name", "object:state-changed:checked",
                        "object:property-change:accessible-description")
        display = Xvfb()
        try:
            program = Program(program_path, display, folder, ["--nosplash", pictures])
            try:
                check_main_window(program, events, ["slot%d.jpg" % n for n in range(1, 5)])
                check_remote_control(program, events)
                check_dialog(program, "Setup(S)", "SET UP", "CANCEL")
                check_dialog(program, "Open Folder(O).", "SELECT FOLDER", "CANCEL")
                check_dialog(program, "Version(Ovaline) (V)", "Version (Ovaline)", "OK")
                program.quit()
            finally:
                program.stop()
        finally:
            display.stop()


if __name__ == "__main__":
    run(lambda: test(*sys.argv[1:3]))
