"""A Python client for ``ridolt-sim serve``: the game of リドルト played by a
program, one request at a time, with the game's own rules and draws.

Standard library only.  Two ways in:

* ``RidoltSim``: one method per request of the protocol (``state``,
  ``offers``, ``buy``, ``sell``, ``next``, ``save``, ``quit``).  It keeps
  every company's last twelve prices up to date from the answers of
  ``next``, so a bot never has to ask for the whole state each month.
* ``RidoltSimEnv``: ``reset(seed)`` and ``step(orders)`` for those used to
  research environments.

A refused request raises ``RidoltSimError`` with the protocol's error code
(``not_offered``, ``purchases_closed``, ...) and the game's message; the
game is then unchanged.  Units: money in 万円 (10,000 yen), prices in yen
per share, quantities in lots of 1000 shares.

    with RidoltSim("build/sim/ridolt-sim", seed=7) as sim:
        offers = sim.offers(417, "buy")
        if offers["lots"]:
            sim.buy(417, offers["lots"][-1])
        month = sim.next()
"""

import json
import os
import subprocess

PROTOCOL_VERSION = 1

# Where the program is when the caller does not say: the environment, else
# the development build beside this file, else the PATH.
_DEFAULT_EXECUTABLE = os.environ.get(
    "RIDOLT_SIM",
    os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "build", "sim", "ridolt-sim"),
)


class RidoltSimError(Exception):
    """A request the game refused; ``code`` is the protocol's error code."""

    def __init__(self, code, message):
        super().__init__(f"{code}: {message}")
        self.code = code
        self.message = message


class RidoltSim:
    """One served game, in a ``ridolt-sim serve`` process of its own."""

    def __init__(self, executable=None, seed=None, load=None, record=None):
        executable = executable or _DEFAULT_EXECUTABLE
        if not os.path.exists(executable):
            executable = "ridolt-sim"
        args = [executable, "serve"]
        if seed is not None:
            args += ["--seed", str(seed)]
        if load is not None:
            args += ["--load", str(load)]
        if record is not None:
            args += ["--record", str(record)]
        # Buffered pipes (bufsize -1): an answer line of 75 KB is read in a
        # few reads, not byte by byte.  Each request is answered before the
        # next is written, so neither pipe ever fills.
        self._process = subprocess.Popen(args, stdin=subprocess.PIPE, stdout=subprocess.PIPE, bufsize=-1)
        hello_line = self._process.stdout.readline()
        if not hello_line:
            self._process.wait()
            raise RidoltSimError("no_hello", f"ridolt-sim serve ended with status {self._process.returncode}")
        self.hello = json.loads(hello_line)["hello"]
        if self.hello["protocol"] != PROTOCOL_VERSION:
            raise RidoltSimError("protocol", f"protocol {self.hello['protocol']}, this client speaks {PROTOCOL_VERSION}")
        self.rules = self.hello["rules"]
        self.seed = self.hello["seed"]
        self.cash = self.hello["cash"]
        self.year = self.hello["year"]
        self.month = self.hello["month"]
        self.outcome = self.hello["outcome"]
        # Per company ID, its last twelve prices, oldest first.
        self.prices = []
        self.holdings = []
        self.month_cost = 0
        self.tax_due = 0
        self.state()

    # -- the protocol ------------------------------------------------------

    def ask(self, request):
        """Sends one request (a dict) and returns its answer; raises
        RidoltSimError when the answer is an error."""
        line = json.dumps(request, ensure_ascii=False, separators=(",", ":")) + "\n"
        self._process.stdin.write(line.encode("utf-8"))
        self._process.stdin.flush()
        answer_line = self._process.stdout.readline()
        if not answer_line:
            raise RidoltSimError("closed", "ridolt-sim serve ended")
        answer = json.loads(answer_line)
        if not answer["ok"]:
            raise RidoltSimError(answer["error"], answer["message"])
        return answer

    def state(self):
        """The whole game as the player sees it; also renews ``prices``."""
        answer = self.ask({"cmd": "state"})
        self.prices = [company["prices"] for company in answer["companies"]]
        self._take(answer)
        self.holdings = answer["holdings"]
        self.outcome = answer["outcome"]
        return answer

    def offers(self, company_id, side):
        """The lot counts and amounts the trade dialog would offer now."""
        return self.ask({"cmd": "offers", "id": company_id, "side": side})

    def buy(self, company_id, lots):
        return self._trade("buy", company_id, lots)

    def sell(self, company_id, lots):
        return self._trade("sell", company_id, lots)

    def next(self):
        """The monthly turn.  A played month renews ``prices`` and
        ``holdings``; a refused one (``answer["refused"]``) changes nothing
        and allows only sales until a month is played."""
        answer = self.ask({"cmd": "next"})
        self._take(answer)
        if answer["refused"]:
            return answer
        prices = self.prices
        for company_id, price in enumerate(answer["prices"]):
            history = prices[company_id]
            history.append(price)
            del history[0]
        for company_id in answer["restarted"]:
            prices[company_id] = [self.rules["initial_price"]] * self.rules["price_history"]
        self.holdings = answer["holdings"]
        if answer["game_over"]:
            self.outcome = "lost"
        return answer

    def save(self, path):
        """Writes a save file that the window and ``run --load`` open."""
        return self.ask({"cmd": "save", "path": str(path)})

    def quit(self):
        if self._process.poll() is None:
            self.ask({"cmd": "quit"})

    def close(self):
        if self._process.poll() is None:
            self._process.stdin.close()
            self._process.wait()
        self._process.stdout.close()

    def __enter__(self):
        return self

    def __exit__(self, *exc):
        self.close()

    @property
    def ended(self):
        return self.outcome != "playing"

    def _trade(self, side, company_id, lots):
        answer = self.ask({"cmd": side, "id": company_id, "lots": lots})
        self._take(answer)
        if answer["game_clear"]:
            self.outcome = "won"
        return answer

    def _take(self, answer):
        self.cash = answer["cash"]
        self.month_cost = answer["month_cost"]
        self.tax_due = answer["tax_due"]
        if "year" in answer:
            self.year = answer["year"]
            self.month = answer["month"]


class RidoltSimEnv:
    """reset/step over ``RidoltSim``.

    The observation is a dict: ``year``, ``month``, ``cash``, ``month_cost``,
    ``tax_due``, ``holdings`` (as the protocol gives them) and ``prices``
    (per company ID its last twelve prices, oldest first).  ``step(orders)``
    settles the orders, each ``("buy" | "sell", company_id, lots)``, then
    plays the month; the reward is the change of the fortune (cash plus the
    market value of the holdings, 万円).  A refused order raises
    RidoltSimError; a refused month comes back with ``info["refused"]`` and
    the same calendar, to be stepped again with sales.
    """

    def __init__(self, executable=None):
        self._executable = executable
        self.sim = None

    def reset(self, seed=None):
        self.close()
        self.sim = RidoltSim(self._executable, seed=seed)
        self._fortune = self._worth(self.sim.state()["holdings_value"])
        return self._observation()

    def step(self, orders):
        sim = self.sim
        info = {"refused": False, "trades": []}
        for side, company_id, lots in orders:
            info["trades"].append(sim.buy(company_id, lots) if side == "buy" else sim.sell(company_id, lots))
            if sim.ended:
                break
        if sim.ended:
            value = sim.state()["holdings_value"]
        else:
            answer = sim.next()
            info["refused"] = answer["refused"]
            info["month"] = answer
            value = sim.state()["holdings_value"] if answer["refused"] else answer["holdings_value"]
        fortune = self._worth(value)
        reward = fortune - self._fortune
        self._fortune = fortune
        return self._observation(), reward, sim.ended, info

    def close(self):
        if self.sim is not None:
            self.sim.close()
            self.sim = None

    def _worth(self, holdings_value):
        return self.sim.cash + holdings_value

    def _observation(self):
        sim = self.sim
        return {
            "year": sim.year,
            "month": sim.month,
            "cash": sim.cash,
            "month_cost": sim.month_cost,
            "tax_due": sim.tax_due,
            "holdings": sim.holdings,
            "prices": sim.prices,
        }
