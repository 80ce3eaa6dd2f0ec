"""Starts Orca with no speech engine, its speech written to its debug log.

Usage: orca_headless.py LOG PREFS_DIR

Orca's `SPEECH OUTPUT` log lines carry every utterance, so the log is all a
test needs; a speech engine only made it hang. Runs /usr/bin/orca itself, with
three changes made from outside: the log is written line by line (so a test
reads each utterance as it is spoken), no speech server is looked for, and
Orca instances in other sessions of this user do not stop this one from
starting (this one has its own bus and display).
"""

import builtins
import runpy
import sys

log, prefs = sys.argv[1:3]

_open = builtins.open


def _line_buffered_log(file, mode="r", *args, **kwargs):
    if file == log and "w" in mode:
        kwargs["buffering"] = 1
    return _open(file, mode, *args, **kwargs)


builtins.open = _line_buffered_log

from orca import settings  # noqa: E402

settings.speechServerFactory = "no speech server"
settings.speechFactoryModules = []

launcher = runpy.run_path("/usr/bin/orca", run_name="orca_launcher")
launcher["main"].__globals__["otherOrcas"] = lambda: []
sys.argv = ["orca", "--debug-file", log, "--user-prefs", prefs]
sys.exit(launcher["main"]())
