"""The Python module ridolt against its floors, in one run:

* Env.step with an action of no orders against the C++ turn of the same
  seeded games (bench/sim/EnvBench's BM_EnvFloorTurn): the goal is 1.2x
  or less;
* VecEnv on two threads against one: the goal is 1.8x the steps a second
  or more;
* reading Game.prices, a view of the game's own array, after 0 to 100
  months: the time must not grow with the months played, and no copy is
  made (the view's memory is the game's every time).

Rounds of each measurement alternate, so that a machine busy with other
work slows both sides alike; each figure is the median of the rounds, with
their range.  CPU time is what a step costs; wall time is what the thread
pool gains.

    PYTHONPATH=build/python /usr/bin/python3 bench/python/ridolt_bench.py \\
        --env-bench build/bench/EnvBench
"""

import argparse
import json
import statistics
import subprocess
import time

import numpy as np

import ridolt

MONTHS_PER_GAME = 100  # an idle game is lost in its 101st month


def floor_turn_us(env_bench, repetitions):
    """CPU microseconds of the C++ turn, one figure per repetition."""
    run = subprocess.run(
        [env_bench, "--benchmark_filter=BM_EnvFloorTurn$", f"--benchmark_repetitions={repetitions}",
         "--benchmark_format=json", "--benchmark_report_aggregates_only=false"],
        check=True, capture_output=True, text=True)
    rows = json.loads(run.stdout)["benchmarks"]
    return [row["cpu_time"] / 1000 for row in rows if row.get("run_type") == "iteration"]


def env_step_us(games):
    """CPU microseconds of Env.step with no orders, over `games` games of 100 months."""
    env = ridolt.Env()
    zero = np.zeros(ridolt.COMPANIES, dtype=np.int64)
    spent = 0
    for seed in range(1, games + 1):
        env.reset(seed=seed)
        start = time.process_time_ns()
        for _ in range(MONTHS_PER_GAME):
            env.step(zero)
        spent += time.process_time_ns() - start
    return spent / (games * MONTHS_PER_GAME) / 1000


def vec_env_steps_per_second(threads, games, steps):
    env = ridolt.VecEnv(range(1, games + 1), threads=threads)
    env.reset()
    zero = np.zeros((games, ridolt.COMPANIES), dtype=np.int64)
    start = time.perf_counter()
    for _ in range(steps):
        env.step(zero)
    return steps / (time.perf_counter() - start)


def prices_read_ns(game, reads):
    start = time.perf_counter_ns()
    for _ in range(reads):
        game.prices
    return (time.perf_counter_ns() - start) / reads


def spread(values):
    return f"{statistics.median(values):.2f} ({min(values):.2f}-{max(values):.2f})"


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("--env-bench", default="build/bench/EnvBench",
                        help="the C++ benchmark with the floor (default: %(default)s)")
    parser.add_argument("--rounds", type=int, default=5)
    parser.add_argument("--games", type=int, default=32, help="games of the VecEnv")
    args = parser.parse_args()

    floors, steps, ratios = [], [], []
    for _ in range(args.rounds):
        floor = statistics.median(floor_turn_us(args.env_bench, 3))
        step = env_step_us(games=20)
        floors.append(floor)
        steps.append(step)
        ratios.append(step / floor)
    print(f"C++ turn (floor):          {spread(floors)} us CPU")
    print(f"Env.step, no orders:       {spread(steps)} us CPU")
    print(f"Env.step / turn:           {spread(ratios)}   goal <= 1.2")

    one, two, gains = [], [], []
    for _ in range(args.rounds):
        a = vec_env_steps_per_second(1, args.games, 60)
        b = vec_env_steps_per_second(2, args.games, 60)
        one.append(a * args.games)
        two.append(b * args.games)
        gains.append(b / a)
    print(f"VecEnv of {args.games}, 1 thread:     {spread(one)} game months/s")
    print(f"VecEnv of {args.games}, 2 threads:    {spread(two)} game months/s")
    print(f"2 threads / 1:             {spread(gains)}   goal >= 1.8")

    game = ridolt.Game(1)
    address = game.prices.__array_interface__["data"][0]
    by_month = {}
    for month in range(0, MONTHS_PER_GAME + 1):
        if month % 25 == 0:
            by_month[month] = [prices_read_ns(game, 20000) for _ in range(args.rounds)]
            view = game.prices
            assert view.__array_interface__["data"][0] == address, "Game.prices was copied"
            assert not view.flags.owndata and not view.flags.writeable
        if month < MONTHS_PER_GAME:
            game.next()
    for month, times in by_month.items():
        print(f"Game.prices after {month:3} months: {spread(times)} ns a read, no copy")


if __name__ == "__main__":
    main()
