"""Starts Orca inside a desktop session of a test's own.

    orca_launcher.py PREFS_DIR DEBUG_FILE

/usr/bin/orca will not start while any Orca of the same user runs, and with
--replace it ends every one of them: a developer's own screen reader, or the
Orca of a scenario another checkout runs at the same time. The session's
buses are its own, so no other Orca reads there: this starts Orca's main loop
as /usr/bin/orca does, less that check. Run it with the interpreter Orca's
script names.
"""

import ctypes
import sys


def name_process(name):
    """The name programs look for to tell that Orca reads the desktop."""
    libc = ctypes.CDLL("libc.so.6")
    buffer = ctypes.create_string_buffer(name.encode())
    libc.prctl(15, ctypes.byref(buffer), 0, 0, 0)  # PR_SET_NAME
    sys.argv[0] = name


def main():
    prefs, debug_file = sys.argv[1], sys.argv[2]
    name_process("orca")

    from orca import debug
    debug.debugLevel = debug.LEVEL_ALL
    debug.eventDebugLevel = debug.LEVEL_OFF
    debug.debugFile = open(debug_file, "w")

    from orca import orca
    manager = orca.getSettingsManager()
    if not manager:
        print("Orca's settings manager cannot start", file=sys.stderr)
        return 1
    manager.activate(prefs, {})
    sys.path.insert(0, manager.getPrefsDir())
    return orca.main()


if __name__ == "__main__":
    sys.exit(main())
