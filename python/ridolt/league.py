"""A league of bots on held-out seeds: every bot plays the same games, and
each is measured against the built-in `trend` strategy, seed by seed.

    python3 -m ridolt.league trend value mybots:momentum "./my_bot --fast"

A bot is one of:

* a built-in strategy of ridolt-sim: trend, value, random, idle;
* a Python callable, MODULE:FUNCTION, importable where the games run: it
  is called once a month with the month's ridolt.Game and trades on it;
  the league then plays the month.  When the month is refused for lack of
  cash it is called again, to sell; a call that sells nothing then leaves
  the game stuck, and it ends there, as a strategy's does;
* any other command line, a program in any language that speaks the
  protocol of ridolt-sim serve on its standard input and output: it reads
  the hello and then an answer to each request line it writes.  Its
  session ends (its input is closed) when the game ends or the months are
  played, or when it writes quit or closes its output.

Every game is a seed's game of up to --months months.  The table gives,
per bot: games won; the median months to the goal of the games won; the
median and the interquartile range of the final 総資産 (cash and the
market value of the holdings, 万円); and the mean paired difference of
log 総資産 against trend on the same seeds, with a bootstrap 95 % interval
(SciPy, BCa, a fixed random state).  総資産 below 1万円, a lost game's,
counts as 1万円 in the logarithm.  --json prints the same figures.

The games run in parallel processes on this machine, or on a Dask cluster
(--dask ADDRESS, whose workers must import ridolt and the callables), in
batches of seeds.  The figures do not depend on where the games ran.
"""

import argparse
import importlib
import json
import math
import os
import re
import shlex
import subprocess
import sys
import threading
import warnings
from concurrent.futures import ProcessPoolExecutor

import numpy as np

import ridolt

STRATEGIES = ("idle", "random", "trend", "value")
REFERENCE = "trend"
DEFAULT_SEEDS = "1000000000-1000000199"
CALLABLE = re.compile(r"^[A-Za-z_][\w.]*:[A-Za-z_]\w*$")


class LeagueError(Exception):
    """A bot that cannot be played: unknown, failing or hanging."""


def bot_kind(bot):
    if bot in STRATEGIES:
        return "strategy"
    if CALLABLE.match(bot):
        return "callable"
    return "command"


def parse_seeds(text):
    match = re.fullmatch(r"(\d+)(?:-(\d+))?", text)
    if not match:
        raise argparse.ArgumentTypeError(f"seeds are FIRST-LAST or one seed, not {text!r}")
    first = int(match.group(1))
    last = int(match.group(2) or first)
    if last < first or last >= 2**64:
        raise argparse.ArgumentTypeError(f"no seeds in {text!r}")
    return range(first, last + 1)


def _result(seed, outcome, months, total):
    return {"seed": seed, "outcome": outcome, "months": months, "total": total}


def _play_callable(bot, seed, months):
    game = ridolt.Game(seed)
    while game.months < months:
        bot(game)
        if game.outcome != "playing":
            break  # won by a sale, before the month
        while game.next()["refused"]:
            held = game.holdings.sum()
            bot(game)
            if game.holdings.sum() == held:
                return _result(seed, "stuck", game.months, game.total)
        if game.outcome != "playing":
            break
    return _result(seed, game.outcome, game.months, game.total)


def _play_command(argv, seed, months, timeout):
    """The game of `seed` served to the command over its pipes."""
    game = ridolt.Game(seed)
    try:
        process = subprocess.Popen(argv, stdin=subprocess.PIPE, stdout=subprocess.PIPE, text=True,
                                   encoding="utf-8", errors="replace")
    except OSError as error:
        raise LeagueError(f"{shlex.join(argv)}: cannot be started: {error}") from error
    expired = threading.Event()

    def expire():
        expired.set()
        process.kill()

    timer = threading.Timer(timeout, expire)
    timer.start()
    try:
        process.stdin.write(game.hello_line() + "\n")
        process.stdin.flush()
        for line in process.stdout:
            answer = game.answer_line(line.rstrip("\n"))
            process.stdin.write(answer + "\n")
            process.stdin.flush()
            if answer == '{"ok":true,"quit":true}' or game.outcome != "playing" or game.months >= months:
                break
    except BrokenPipeError:
        pass  # the bot ended without reading its last answer
    finally:
        try:
            process.stdin.close()
        except BrokenPipeError:
            pass
        process.wait()
        timer.cancel()
        process.stdout.close()
    if expired.is_set():
        raise LeagueError(f"{shlex.join(argv)}: seed {seed} took more than {timeout} s")
    return _result(seed, game.outcome, game.months, game.total)


def play_batch(bot, seeds, months, timeout):
    """The games of `seeds` played by `bot` (as named on the command line),
    in seed order: what a worker process runs."""
    kind = bot_kind(bot)
    if kind == "strategy":
        results = []
        for seed in seeds:
            outcome, total, played = ridolt.play_strategy(bot, seed, months)
            results.append(_result(seed, outcome, played, total))
        return results
    if kind == "callable":
        module, name = bot.split(":")
        try:
            play = getattr(importlib.import_module(module), name)
        except (ImportError, AttributeError) as error:
            raise LeagueError(f"{bot}: {error}") from error
        results = []
        for seed in seeds:
            try:
                results.append(_play_callable(play, seed, months))
            except ridolt.RidoltError as error:
                raise LeagueError(f"{bot}: seed {seed}: {error}") from error
        return results
    argv = shlex.split(bot)
    return [_play_command(argv, seed, months, timeout) for seed in seeds]


def batches(bots, seeds, size):
    for bot in bots:
        for start in range(0, len(seeds), size):
            yield bot, seeds[start:start + size]


def run_local(tasks, months, timeout, workers):
    with ProcessPoolExecutor(max_workers=workers) as pool:
        futures = [pool.submit(play_batch, bot, list(seeds), months, timeout) for bot, seeds in tasks]
        return [future.result() for future in futures]


def run_dask(tasks, months, timeout, address=None, local_workers=None):
    import logging

    from distributed import Client, LocalCluster

    if local_workers:
        # Loopback only: a cluster of this machine's processes.
        cluster = LocalCluster(n_workers=local_workers, threads_per_worker=1, processes=True,
                               host="127.0.0.1", dashboard_address=None, silence_logs=logging.ERROR)
        client = Client(cluster)
    else:
        cluster = None
        client = Client(address)
    try:
        futures = [client.submit(play_batch, bot, list(seeds), months, timeout, pure=False)
                   for bot, seeds in tasks]
        return client.gather(futures)
    finally:
        client.close()
        if cluster is not None:
            cluster.close()


def _log_total(totals):
    return np.log(np.maximum(np.asarray(totals, dtype=np.float64), 1.0))


def paired_difference(totals, reference):
    """The mean of log 総資産 minus the reference's, seed by seed, and its
    bootstrap 95 % interval."""
    from scipy import stats

    differences = _log_total(totals) - _log_total(reference)
    mean = float(np.mean(differences))
    if len(differences) < 2 or np.ptp(differences) == 0:
        return mean, [mean, mean]
    with warnings.catch_warnings():
        warnings.simplefilter("ignore")
        interval = stats.bootstrap((differences,), np.mean, confidence_level=0.95, n_resamples=9999,
                                   method="BCa", random_state=np.random.default_rng(0)).confidence_interval
        if not (math.isfinite(interval.low) and math.isfinite(interval.high)):
            interval = stats.bootstrap((differences,), np.mean, confidence_level=0.95, n_resamples=9999,
                                       method="percentile",
                                       random_state=np.random.default_rng(0)).confidence_interval
    return mean, [float(interval.low), float(interval.high)]


def figures(bot, results, reference):
    totals = [r["total"] for r in results]
    won = [r["months"] for r in results if r["outcome"] == "won"]
    q25, median, q75 = (float(q) for q in np.percentile(totals, [25, 50, 75]))
    mean, interval = paired_difference(totals, [r["total"] for r in reference])
    return {
        "bot": bot,
        "kind": bot_kind(bot),
        "games": len(results),
        "won": len(won),
        "lost": sum(r["outcome"] == "lost" for r in results),
        "stuck": sum(r["outcome"] == "stuck" for r in results),
        "playing": sum(r["outcome"] == "playing" for r in results),
        "months_to_goal_median": float(np.median(won)) if won else None,
        "total_median": median,
        "total_p25": q25,
        "total_p75": q75,
        "total_iqr": q75 - q25,
        "log_total_vs_trend": {"mean": mean, "ci95": interval},
    }


def league(bots, seeds, months, batch=25, timeout=600.0, workers=None, dask=None, dask_local=None):
    """Plays the league and returns its figures, one entry per bot."""
    players = list(dict.fromkeys(bots))
    if REFERENCE not in players:
        players.append(REFERENCE)
    tasks = list(batches(players, seeds, batch))
    if dask or dask_local:
        done = run_dask(tasks, months, timeout, dask, dask_local)
    else:
        done = run_local(tasks, months, timeout, workers or os.cpu_count())
    results = {bot: [] for bot in players}
    for (bot, _), games in zip(tasks, done):
        results[bot].extend(games)
    reference = results[REFERENCE]
    return {
        "seeds": {"first": seeds[0], "last": seeds[-1], "count": len(seeds)},
        "months": months,
        "reference": REFERENCE,
        "bots": [figures(bot, results[bot], reference) for bot in players],
    }


def _number(value, digits=0):
    if value is None:
        return "-"
    return f"{value:,.{digits}f}"


def table(report):
    seeds = report["seeds"]
    lines = [f"{seeds['count']} games a bot, seeds {seeds['first']}-{seeds['last']}, "
             f"up to {report['months']} months; 総資産 in 万円",
             f"{'bot':<24} {'won':>11} {'months to goal':>15} {'総資産 median':>17} {'IQR':>17} "
             f"{'log 総資産 - trend (95 % CI)':>36}"]
    for bot in report["bots"]:
        vs = bot["log_total_vs_trend"]
        won = f"{bot['won']} ({100 * bot['won'] / bot['games']:.0f} %)"
        interval = f"{vs['mean']:+.3f} ({vs['ci95'][0]:+.3f} to {vs['ci95'][1]:+.3f})"
        lines.append(f"{bot['bot']:<24} {won:>11} {_number(bot['months_to_goal_median'], 1):>15} "
                     f"{_number(bot['total_median']):>17} {_number(bot['total_iqr']):>17} {interval:>36}")
    return "\n".join(lines) + "\n"


def main(argv=None):
    parser = argparse.ArgumentParser(
        prog="python3 -m ridolt.league", description="Bots compared on held-out seeds.",
        epilog="A bot is a built-in strategy (" + ", ".join(STRATEGIES) + "), MODULE:FUNCTION, "
               "or a command line that speaks the protocol of ridolt-sim serve.")
    parser.add_argument("bots", nargs="+", metavar="BOT")
    parser.add_argument("--seeds", type=parse_seeds, default=parse_seeds(DEFAULT_SEEDS),
                        help=f"FIRST-LAST, the same for every bot (default: {DEFAULT_SEEDS})")
    parser.add_argument("--months", type=int, default=600, help="the longest game (default: %(default)s)")
    parser.add_argument("--json", action="store_true", help="print the figures as JSON")
    parser.add_argument("--workers", type=int, help="processes on this machine (default: one a core)")
    parser.add_argument("--dask", metavar="SCHEDULER_ADDRESS", help="run on this Dask cluster")
    parser.add_argument("--dask-local", type=int, metavar="N",
                        help="run on a Dask cluster of N local processes (for tests)")
    parser.add_argument("--batch", type=int, default=25, help="seeds a task (default: %(default)s)")
    parser.add_argument("--timeout", type=float, default=600.0,
                        help="seconds a command bot may take for one game (default: %(default)s)")
    args = parser.parse_args(argv)
    if args.months < 1 or args.batch < 1 or (args.workers is not None and args.workers < 1):
        parser.error("--months, --batch and --workers take 1 or more")
    if args.dask and args.dask_local:
        parser.error("--dask and --dask-local exclude each other")
    try:
        report = league(args.bots, args.seeds, args.months, args.batch, args.timeout, args.workers,
                        args.dask, args.dask_local)
    except (LeagueError, ValueError) as error:
        print(f"ridolt.league: {error}", file=sys.stderr)
        return 1
    if args.json:
        print(json.dumps(report, ensure_ascii=False, indent=2))
    else:
        sys.stdout.write(table(report))
    return 0


if __name__ == "__main__":
    # Run from the module ridolt.league rather than from __main__, so that
    # worker processes find play_batch by its name.
    from ridolt.league import main as league_main

    sys.exit(league_main())
