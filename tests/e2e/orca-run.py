"""Runs the installed Orca (43) for a test, as `orca --debug-file=FILE ...` does,
with three differences that make it fit to run beside other users' sessions:

- the debug log is written line by line: Orca buffers it otherwise, and what it
  spoke reaches the file only a step or more later;
- it does not look for other Orcas of the same user by name (`pgrep -x orca`),
  which would refuse to start beside another session's Orca, or kill it with
  --replace;
- it keeps the process name of this script instead of renaming itself "orca",
  so that no other session's `orca --replace` kills it by name.

Usage: orca-run.py --debug-file=FILE [other orca options]
"""

import builtins
import runpy
import sys

orca = runpy.run_path("/usr/bin/orca")
main = orca["main"]
scope = main.__globals__
real_open = builtins.open


def line_buffered_open(file, mode="r", *args, **kwargs):
    """The debug log, the only file Orca's main() opens, flushed at each line."""
    return real_open(file, mode, buffering=1, encoding="utf-8")


scope["open"] = line_buffered_open
scope["otherOrcas"] = lambda: []
scope["setProcessName"] = lambda name: False
sys.argv = ["orca"] + sys.argv[1:]
sys.exit(main())
