"""ridolt.Env and ridolt.VecEnv: the game of serve as environments.

An Env plays the market of Game (and so of serve) for the same seed, its
rewards add up to the change of 総資産, and a VecEnv gives exactly what as
many single Envs give, on any number of threads, through truncation and
next-step autoresets.

    PYTHONPATH=build/python python3 tests/python/test_env.py
"""

import unittest

import numpy as np

import ridolt

OBS_KEYS = ["prices", "holdings", "cash", "year", "month", "buy_max", "sell_max"]


def random_actions(rng, holdings):
    """Random orders for games whose holdings are `holdings` (games, 1000):
    a quarter of each holding sold now and then, a few companies bought,
    and here and there an order far beyond what any game settles."""
    actions = np.zeros(holdings.shape, dtype=np.int64)
    draw = rng.integers(0, 100, holdings.shape)
    actions[(holdings > 0) & (draw < 25)] = -rng.integers(1, 6, holdings.shape)[(holdings > 0) & (draw < 25)]
    actions[draw == 99] = rng.integers(1, 6, holdings.shape)[draw == 99]
    huge = (draw == 98) & (rng.integers(0, 20, holdings.shape) == 0)
    actions[huge] = np.where(rng.integers(0, 2, holdings.shape) == 0, 2**63 - 1, -(2**63))[huge]
    return actions


class EnvPlaysTheServedGame(unittest.TestCase):
    def test_the_market_is_the_games_and_the_rewards_add_up_to_the_change_of_total_assets(self):
        env = ridolt.Env(seed=8)
        game = ridolt.Game(8)
        obs, info = env.reset()
        self.assertEqual(info, {"seed": 8, "months": 0})
        self.assertEqual(env.metadata["autoreset_mode"], "NextStep")
        for key, shape in [("prices", (1000, 12)), ("holdings", (1000,)), ("cash", ()), ("month", ()),
                           ("buy_max", (1000,)), ("sell_max", (1000,))]:
            self.assertEqual((obs[key].shape, obs[key].dtype), (shape, np.int32), key)
            self.assertFalse(obs[key].flags.writeable, key)
        rewards = 0.0
        for month in range(24):
            np.testing.assert_array_equal(obs["prices"], game.prices, f"month {month}")
            self.assertEqual((int(obs["cash"]), int(obs["year"]), int(obs["month"])),
                             (game.cash, game.year, game.month))
            action = np.zeros(1000, dtype=np.int64)
            if month % 4 == 0:
                action[month * 10] = 2                               # bought
                action[np.flatnonzero(obs["holdings"])[:1]] = -1      # sold
            obs, reward, terminated, truncated, info = env.step(action)
            filled = info["filled"]
            for i in np.flatnonzero(filled < 0):
                game.sell(int(i), int(-filled[i]))
            for i in np.flatnonzero(filled > 0):
                game.buy(int(i), int(filled[i]))
            game.next()
            rewards += reward
            self.assertFalse(terminated or truncated)
            self.assertEqual(info["months"], month + 1)
        self.assertEqual(rewards, env.total - ridolt.RULES["start_money"])
        self.assertEqual(env.total, game.total)
        np.testing.assert_array_equal(obs["holdings"], game.holdings)

    def test_the_same_seed_plays_the_same_episode(self):
        episodes = []
        for _ in range(2):
            env = ridolt.Env()
            obs, _ = env.reset(seed=2**64 - 1, options={"max_months": 30})
            rng = np.random.default_rng(4)
            episode = []
            for _ in range(30):
                obs, reward, _, _, info = env.step(random_actions(rng, obs["holdings"][None])[0])
                episode.append((reward, info["filled"].tobytes(), obs["prices"].tobytes()))
            episodes.append(episode)
        self.assertEqual(episodes[0], episodes[1])

    def test_truncation_autoreset_and_bad_actions(self):
        env = ridolt.Env()
        _, info = env.reset(seed=5, options={"max_months": 2})
        zero = [0] * 1000
        self.assertFalse(env.step(zero)[3])
        _, reward, terminated, truncated, info = env.step(zero)
        self.assertTrue(truncated and not terminated)
        obs, reward, terminated, truncated, info = env.step(np.full(1000, 5, dtype=np.int32))
        self.assertEqual((reward, terminated, truncated, info["restarted"]), (0.0, False, False, True))
        self.assertEqual(info["seed"], ridolt.next_seed(5))
        self.assertEqual(int(obs["cash"]), ridolt.RULES["start_money"], "the action of a restart is not settled")
        self.assertEqual(int(np.count_nonzero(info["filled"])), 0)
        for bad, error in [(np.zeros(999, dtype=np.int64), ValueError), (np.zeros(1000), TypeError),
                           ("buy", TypeError)]:
            with self.assertRaises(error):
                env.step(bad)
        with self.assertRaises(ValueError):
            env.reset(options={"max_months": 0})
        with self.assertRaises(RuntimeError):
            ridolt.Env().step(zero)


class VecEnvEqualsSingleEnvs(unittest.TestCase):
    def test_every_step_whatever_the_threads(self):
        seeds = [1, 2, 3, 1000, 2**63]
        options = {"max_months": 30}
        singles = [ridolt.Env(seed) for seed in seeds]
        first = [env.reset(options=options) for env in singles]
        vectors = [ridolt.VecEnv(seeds, threads=threads) for threads in (1, 2, 3)]
        for vector in vectors:
            obs, info = vector.reset(options=options)
            self.assertEqual(list(info["seed"]), seeds)
            for key in OBS_KEYS:
                np.testing.assert_array_equal(obs[key], np.stack([o[key] for o, _ in first]), key)
        self.assertEqual([vector.threads for vector in vectors], [1, 2, 3])
        rng = np.random.default_rng(11)
        restarts = 0
        for step in range(75):
            holdings = np.stack([env._obs["holdings"] for env in singles])
            actions = random_actions(rng, holdings)
            expected = [env.step(action) for env, action in zip(singles, actions)]
            restarts += sum(info["restarted"] for *_, info in expected)
            for vector in vectors:
                obs, rewards, terminated, truncated, info = vector.step(actions)
                where = f"step {step}, {vector.threads} threads"
                for key in OBS_KEYS:
                    np.testing.assert_array_equal(obs[key], np.stack([e[0][key] for e in expected]),
                                                  f"{where}: {key}")
                np.testing.assert_array_equal(rewards, [e[1] for e in expected], where)
                np.testing.assert_array_equal(terminated, [e[2] for e in expected], where)
                np.testing.assert_array_equal(truncated, [e[3] for e in expected], where)
                for key in ("filled", "refused", "restarted", "seed", "months"):
                    np.testing.assert_array_equal(info[key], np.stack([e[4][key] for e in expected]),
                                                  f"{where}: {key}")
        self.assertGreaterEqual(restarts, len(seeds), "every game ends and starts again")

    def test_reset_seeds(self):
        vector = ridolt.VecEnv([4, 9], threads=2)
        _, info = vector.reset(seed=100)
        self.assertEqual(list(info["seed"]), [100, 101])
        _, info = vector.reset()
        self.assertEqual(list(info["seed"]), [ridolt.next_seed(100), ridolt.next_seed(101)])
        _, info = vector.reset(seed=[7, None])
        self.assertEqual(list(info["seed"]), [7, ridolt.next_seed(ridolt.next_seed(101))])
        with self.assertRaises(ValueError):
            vector.reset(seed=[1, 2, 3])
        with self.assertRaises(ValueError):
            vector.step(np.zeros((3, 1000), dtype=np.int64))


if __name__ == "__main__":
    unittest.main()
