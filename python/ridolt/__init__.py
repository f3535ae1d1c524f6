"""リドルト (Ridolt) in-process: the game of ``ridolt-sim serve`` as a Python
module, for bots and for reinforcement learning at the speed of the turn.

* ``Game(seed)``: one game, request by request, answering as ``serve``
  answers, with its figures as read-only numpy views by company ID.
* ``Env``: the game as an environment, ``reset`` and ``step`` with an
  action of 1000 signed lot counts.
* ``VecEnv(seeds, threads)``: many environments stepped in one call, on
  threads, into preallocated arrays.
* ``python3 -m ridolt.league``: bots compared on held-out seeds.

Money is in 万円 (10,000 yen), prices in yen per share, quantities in lots
of 1000 shares.  docs/python.md tells the whole of it.
"""

import os

import numpy as np

from ._ridolt import PROTOCOL, RULES, Game, RidoltError, next_seed, play_strategy
from ._ridolt import EnvCore as _EnvCore
from ._ridolt import VecEnvCore as _VecEnvCore

__all__ = ["Env", "Game", "PROTOCOL", "RULES", "RidoltError", "VecEnv", "next_seed", "play_strategy"]

COMPANIES = RULES["companies"]

# What the environments do when a game has ended, in Gymnasium's words
# (gymnasium.vector.AutoresetMode(metadata["autoreset_mode"])): the step
# after the last one starts the next game and returns its first
# observation, with a reward of 0.
AUTORESET_MODE = "NextStep"


def _max_months(options):
    return (options or {}).get("max_months")


class Env:
    """One game as an environment.

    ``reset(seed=None, options=None)`` starts a game and returns
    ``(obs, info)``; ``options={"max_months": M}`` ends it, truncated, after M
    months.  Without a seed the first reset plays the seed given to the
    constructor (or a drawn one), later ones the game after the last
    (``next_seed``).

    ``step(action)`` returns ``(obs, reward, terminated, truncated, info)``.
    ``action`` is an integer array of 1000 lot counts by company ID:
    negative sells, positive buys.  The sales settle first, then the
    purchases, each in ID order and each cut to what the game settles at
    that moment; ``info["filled"]`` tells the lots settled (negative for
    sales).  Then the month is played.  The reward is the change of 総資産
    (cash and the market value of the holdings, 万円) over the step.
    ``terminated``: the game was won or lost; ``truncated``: max_months
    were played.  The step after either starts the next game (next-step
    autoreset, ``metadata["autoreset_mode"]``).  ``info["refused"]``: the
    cash did not cover the month while a holding could be sold, so no month
    was played and purchases stay closed until one is.

    ``obs`` is a dict of read-only numpy views of the game: ``prices``
    int32 (1000, 12) oldest month first, ``holdings``, ``buy_max`` and
    ``sell_max`` int32 (1000,), and ``cash``, ``year``, ``month`` int32 0-d.
    The same arrays are written again by every step: copy what you keep.
    """

    metadata = {"autoreset_mode": AUTORESET_MODE}

    def __init__(self, seed=None):
        self._core = _EnvCore()
        self._first_seed = seed
        self._started = False
        self._obs = self._core.observation()
        self._filled = self._core.filled()

    def reset(self, seed=None, options=None):
        if seed is None and not self._started:
            seed = self._first_seed
        self._core.reset(seed, _max_months(options))
        self._started = True
        return self._obs, {"seed": self._core.seed, "months": 0}

    def step(self, action):
        reward, terminated, truncated, refused, restarted, seed, months = self._core.step(action)
        info = {"filled": self._filled, "refused": refused, "restarted": restarted,
                "seed": seed, "months": months}
        return self._obs, reward, terminated, truncated, info

    @property
    def total(self):
        """総資産 now, 万円."""
        return self._core.total

    def close(self):
        pass


class VecEnv:
    """Many games as environments, stepped in one call on ``threads``
    threads (all cores, at most one per game, by default); the threads run
    without the GIL.  Every array has a leading axis of games, and the
    results are those of ``len(seeds)`` single ``Env``s, whatever the number
    of threads: game i plays ``seeds[i]`` first, then the games after it.

    ``reset(seed=None, options=None)``: ``seed`` None (each game's own
    next), an int (game i plays seed + i, as Gymnasium's vector
    environments do) or a list of seeds or Nones.  ``step(actions)`` takes
    an int array (games, 1000) and returns ``(obs, rewards, terminated,
    truncated, info)`` as arrays; ``info`` has ``filled`` (games, 1000),
    ``refused``, ``restarted``, ``seed`` and ``months`` (games,).  Every
    array is a read-only view written in place by each call.
    """

    metadata = {"autoreset_mode": AUTORESET_MODE}

    def __init__(self, seeds, threads=None):
        self._seeds = list(seeds)
        if not self._seeds:
            raise ValueError("a VecEnv needs at least one seed")
        self.num_envs = len(self._seeds)
        if threads is None:
            threads = min(self.num_envs, os.cpu_count() or 1)
        if threads < 1:
            raise ValueError("threads must be 1 or more")
        self._core = _VecEnvCore(self.num_envs, threads)
        self._started = False
        self._obs = self._core.observation()
        results = self._core.results()
        self._rewards = results.pop("rewards")
        self._terminated = results.pop("terminated")
        self._truncated = results.pop("truncated")
        self._info = results

    @property
    def threads(self):
        return self._core.threads

    def reset(self, seed=None, options=None):
        if seed is None:
            seeds = [None] * self.num_envs if self._started else self._seeds
        elif isinstance(seed, (list, tuple, np.ndarray)):
            seeds = list(seed)
            if len(seeds) != self.num_envs:
                raise ValueError(f"{len(seeds)} seeds for {self.num_envs} games")
        else:
            seeds = [seed + i for i in range(self.num_envs)]
        self._core.reset(seeds, _max_months(options))
        self._started = True
        return self._obs, {"seed": self._info["seed"], "months": self._info["months"]}

    def step(self, actions):
        self._core.step(actions)
        return self._obs, self._rewards, self._terminated, self._truncated, self._info

    def close(self):
        pass
