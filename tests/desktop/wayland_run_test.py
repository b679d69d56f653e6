# SPDX-License-Identifier: MIT
"""The program runs natively under a Wayland compositor, a headless weston
(there is no X server to fall back on): it starts, receives the virtual
camera's pictures, opens the remote control, and quits with status 0
without a warning. As Wayland does not let a program place its windows, the
places kept in the profile stay as they were; the main window keeps its
size, frame included.

    wayland_run_test.py PROGRAM
"""

import configparser
import os
import sys
import tempfile

from desktop_session import Program, Weston, Failure, run, wait_for, find

KEPT_PLACE = "[REMOTE_WND]\nLEFT=123\nTOP=45\n[SELECT_WND]\nLEFT=-7\nTOP=300\n"


def slots_received(program):
    memory = find(program.window("Ovaline"), "list", "Camera memory")
    names = [memory.getChildAtIndex(i).name for i in range(memory.childCount)]
    expected = ["Slot %d, picture, 736 by 480" % n for n in range(1, 5)] + \
               ["Slot %d, empty" % n for n in range(5, 8)]
    return names == expected


def test(program_path):
    with tempfile.TemporaryDirectory() as folder:
        with open(os.path.join(folder, "Ovaline.ini"), "w") as profile:
            profile.write(KEPT_PLACE)
        weston = Weston()
        try:
            program = Program(program_path, weston, folder)
            try:
                program.press("Ovaline", "push button", "Receive(R)")
                wait_for("slots received", lambda: slots_received(program))
                program.press("Ovaline", "push button", "Remote(M)")
                program.window("REMOTE CONTROL")
                program.press("REMOTE CONTROL", "push button", "SET")
                program.window("SET")
                program.quit()  # closes the tool windows too
                if program.errors().strip():
                    raise Failure("the program warned:\n" + program.errors())
            finally:
                program.stop()
        finally:
            weston.stop()
        kept = configparser.ConfigParser()
        kept.read(os.path.join(folder, "Ovaline.ini"))
        places = {(s, k): kept.get(s, k) for s in ("REMOTE_WND", "SELECT_WND")
                  for k in ("LEFT", "TOP")}
        if places != {("REMOTE_WND", "LEFT"): "123", ("REMOTE_WND", "TOP"): "45",
                      ("SELECT_WND", "LEFT"): "-7", ("SELECT_WND", "TOP"): "300"}:
            raise Failure("the kept window places changed: %s" % places)
        size = (kept.get("MAIN_WND", "WIDTH"), kept.get("MAIN_WND", "HEIGHT"))
        if size != ("640", "480"):
            raise Failure("the main window's size changed to %s x %s" % size)


if __name__ == "__main__":
    run(lambda: test(sys.argv[1]))
