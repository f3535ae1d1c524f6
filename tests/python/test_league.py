"""python3 -m ridolt.league: the same JSON from local processes and from
Dask clusters (of local processes on the loopback, started by the league
and running already), and the same figures
for a bot whether it is built in, a Python callable or a command that
speaks the protocol.

    PYTHONPATH=build/python:tests/python python3 tests/python/test_league.py
"""

import json
import logging
import os
import shlex
import subprocess
import sys
import unittest
import warnings

HERE = os.path.dirname(os.path.abspath(__file__))
COMMAND_BOT = shlex.join([sys.executable, os.path.join(HERE, "league_bots.py")])


def league(*args):
    environment = dict(os.environ)
    environment["PYTHONPATH"] = os.pathsep.join([environment.get("PYTHONPATH", ""), HERE])
    run = subprocess.run([sys.executable, "-m", "ridolt.league", *args], capture_output=True, text=True,
                         env=environment, timeout=600)
    if run.returncode != 0:
        raise AssertionError(f"league {args}: status {run.returncode}\n{run.stderr}")
    return run.stdout


class League(unittest.TestCase):
    def test_the_figures_do_not_depend_on_where_the_games_ran(self):
        bots = ["idle", "trend", "ridolt.examples:momentum", "league_bots:idle", COMMAND_BOT]
        arguments = [*bots, "--seeds", "41-45", "--months", "480", "--batch", "2", "--json"]
        local = league(*arguments, "--workers", "2")
        self.assertEqual(league(*arguments, "--dask-local", "2"), local)
        # A cluster that runs already, reached by its address.
        from distributed import LocalCluster
        warnings.simplefilter("ignore", DeprecationWarning)  # Debian's Tornado under its Dask
        with LocalCluster(n_workers=1, threads_per_worker=2, host="127.0.0.1", dashboard_address=None,
                          silence_logs=logging.ERROR, env={"PYTHONPATH": os.environ.get("PYTHONPATH", "")
                                                                        + os.pathsep + HERE}) as cluster:
            self.assertEqual(league(*arguments, "--dask", cluster.scheduler_address), local)

        report = json.loads(local)
        self.assertEqual(report["seeds"], {"first": 41, "last": 45, "count": 5})
        rows = {row["bot"]: row for row in report["bots"]}
        self.assertEqual(list(rows), bots)
        trend = rows["trend"]
        self.assertEqual(trend["log_total_vs_trend"], {"mean": 0.0, "ci95": [0.0, 0.0]})
        self.assertEqual(trend["won"], 5)
        self.assertGreater(trend["months_to_goal_median"], 300)
        # Doing nothing is doing nothing, however the bot is given.
        idle = rows["idle"]
        self.assertEqual((idle["lost"], idle["total_median"], idle["total_iqr"]), (5, -30.0, 0.0))
        for other in ("league_bots:idle", COMMAND_BOT):
            self.assertEqual({k: v for k, v in rows[other].items() if k not in ("bot", "kind")},
                             {k: v for k, v in idle.items() if k not in ("bot", "kind")}, other)
        low, high = idle["log_total_vs_trend"]["ci95"]
        self.assertLess(low, idle["log_total_vs_trend"]["mean"])
        self.assertLess(idle["log_total_vs_trend"]["mean"], high)
        self.assertLess(high, -15, "log(1) against log of a won game's fortune")

    def test_a_failing_bot_is_reported(self):
        for bot, words in [("no_such_module:bot", "no_such_module"), ("nonexistent-command-x", "cannot be started")]:
            run = subprocess.run([sys.executable, "-m", "ridolt.league", bot, "--seeds", "1-2", "--months", "5"],
                                 capture_output=True, text=True, timeout=300)
            self.assertEqual(run.returncode, 1, run.stderr)
            self.assertIn(words, run.stderr)


if __name__ == "__main__":
    unittest.main()
