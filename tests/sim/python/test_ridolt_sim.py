"""End to end: the Python client against the real ridolt-sim.

The example trend bot, written against the protocol, must end seeds 1-20
with exactly the months, cash and holdings of `run --strategy trend`: the
same lines of `run --format jsonl` and the same save file, byte for byte.
The client's errors carry the protocol's codes, and reset/step plays the
served game.

    RIDOLT_SIM=build/sim/ridolt-sim python3 tests/sim/python/test_ridolt_sim.py
"""

import os
import subprocess
import sys
import tempfile
import unittest

HERE = os.path.dirname(os.path.abspath(__file__))
CLIENT = os.path.join(HERE, "..", "..", "..", "sim", "python")
sys.path.insert(0, CLIENT)

from ridolt_sim import RidoltSim, RidoltSimEnv, RidoltSimError  # noqa: E402

SIM = os.environ.get("RIDOLT_SIM", os.path.join(HERE, "..", "..", "..", "build", "sim", "ridolt-sim"))
MONTHS = 600


class TrendBotPlaysAsRun(unittest.TestCase):
    def test_seeds_1_to_20_end_with_the_same_months_cash_and_holdings(self):
        with tempfile.TemporaryDirectory() as folder:
            for seed in range(1, 21):
                with self.subTest(seed=seed):
                    run_file = os.path.join(folder, f"run{seed}.sav")
                    bot_file = os.path.join(folder, f"bot{seed}.sav")
                    run = subprocess.run(
                        [SIM, "run", "--seed", str(seed), "--months", str(MONTHS), "--strategy", "trend",
                         "--format", "jsonl", "--save", run_file],
                        capture_output=True, check=True, text=True)
                    bot = subprocess.run(
                        [sys.executable, os.path.join(CLIENT, "trend_bot.py"), "--sim", SIM, "--seed", str(seed),
                         "--months", str(MONTHS), "--save", bot_file],
                        capture_output=True, check=True, text=True)
                    run_lines = run.stdout.splitlines()
                    bot_lines = bot.stdout.splitlines()
                    self.assertIn("game_clear", run_lines[-1], "every trend game of 50 years is won")
                    for number, (expected, got) in enumerate(zip(run_lines, bot_lines), 1):
                        self.assertEqual(got, expected, f"month {number}")
                    self.assertEqual(len(bot_lines), len(run_lines))
                    with open(run_file, "rb") as a, open(bot_file, "rb") as b:
                        self.assertEqual(a.read(), b.read(), "the save files differ")


class ClientSpeaksTheProtocol(unittest.TestCase):
    def test_a_refused_request_raises_its_code_and_changes_nothing(self):
        with RidoltSim(SIM, seed=5) as sim:
            self.assertEqual(sim.rules["shares_per_lot"], 1000)
            self.assertEqual(sim.seed, 5)
            self.assertEqual(len(sim.prices), sim.rules["companies"])
            before = sim.state()
            for request, code in [(lambda: sim.buy(3, 0), "not_offered"),
                                  (lambda: sim.buy(1000, 1), "unknown_company"),
                                  (lambda: sim.sell(3, 1), "not_offered"),
                                  (lambda: sim.offers(3, "hold"), "bad_value"),
                                  (lambda: sim.ask({"cmd": "jump"}), "unknown_cmd"),
                                  (lambda: sim.save(os.path.join("/no", "such", "folder", "x.sav")), "save_failed")]:
                with self.assertRaises(RidoltSimError) as refused:
                    request()
                self.assertEqual(refused.exception.code, code)
            self.assertEqual(sim.state(), before)

    def test_prices_kept_from_next_match_the_whole_state(self):
        with RidoltSim(SIM, seed=11) as sim:
            for _ in range(40):
                sim.next()
            kept = [list(history) for history in sim.prices]
            self.assertEqual(kept, [company["prices"] for company in sim.state()["companies"]])

    def test_reset_and_step_play_the_served_game(self):
        env = RidoltSimEnv(SIM)
        try:
            observation = env.reset(seed=3)
            self.assertEqual((observation["year"], observation["month"], observation["cash"]), (1, 1, 3000))
            observation, reward, done, info = env.step([("buy", 42, 1)])
            self.assertEqual(info["trades"][0]["lots"], 1)
            self.assertEqual(observation["month"], 2)
            cost = info["trades"][0]["amount"]
            value = info["month"]["holdings_value"]
            self.assertEqual(reward, value - cost - 30)
            self.assertFalse(done)
            # Holding on until a month is refused, then selling everything:
            # living costs alone lose the game within a few hundred months.
            for _ in range(400):
                orders = []
                if info["refused"]:
                    orders = [("sell", h["id"], env.sim.offers(h["id"], "sell")["lots"][-1])
                              for h in observation["holdings"]]
                observation, reward, done, info = env.step(orders)
                if done:
                    break
            self.assertTrue(done)
            self.assertLess(observation["cash"], 0)
        finally:
            env.close()


if __name__ == "__main__":
    unittest.main()
