"""ridolt.Game against ridolt-sim serve, and the largest offers it shows.

The same scripted orders, refused ones among them, played through Game and
through serve get the same answers (months, cash, holdings, prices, the
refusals' codes and messages) and write the same save and history files,
byte for byte.  The views by ID are the game's own memory.  Hypothesis
checks the largest offers: every lot count up to buy_max settles, and so
does every offered sale up to sell_max, and one lot more is refused.

    PYTHONPATH=build/python RIDOLT_SIM=build/sim/ridolt-sim python3 tests/python/test_game.py
"""

import json
import os
import subprocess
import tempfile
import unittest

import numpy as np
from hypothesis import given, settings
from hypothesis import strategies as st

import ridolt

HERE = os.path.dirname(os.path.abspath(__file__))
SIM = os.environ.get("RIDOLT_SIM", os.path.join(HERE, "..", "..", "build", "sim", "ridolt-sim"))


class Served:
    """ridolt-sim serve, a request line and its answer at a time."""

    def __init__(self, seed):
        self.process = subprocess.Popen([SIM, "serve", "--seed", str(seed)], stdin=subprocess.PIPE,
                                        stdout=subprocess.PIPE, text=True, encoding="utf-8")
        self.hello = json.loads(self.process.stdout.readline())["hello"]

    def line(self, request):
        self.process.stdin.write(json.dumps(request, ensure_ascii=False, separators=(",", ":")) + "\n")
        self.process.stdin.flush()
        return self.process.stdout.readline().rstrip("\n")

    def close(self):
        self.process.stdin.close()
        self.process.wait()
        self.process.stdout.close()


def through_game(game, request):
    """The request carried out by Game, as serve would answer it."""
    cmd = request["cmd"]
    try:
        if cmd in ("buy", "sell"):
            answer = getattr(game, cmd)(request["id"], request["lots"])
        elif cmd == "offers":
            answer = game.offers(request["id"], request["side"])
        elif cmd == "next":
            answer = game.next()
        else:
            answer = game.save(request["path"])
    except ridolt.RidoltError as refusal:
        return {"ok": False, "error": refusal.code, "message": refusal.message}
    return {"ok": True, **answer}


def scripted_requests(game, month):
    """A month of orders, each worked out from the game's views as the one
    before has left them: sales of what fell, purchases of risers, now and
    then all the cash at once (so that months are refused and purchases
    close), requests that are refused, and from the 41st month round trips
    that lose the fee twice, until the game is lost."""
    prices = game.prices
    for i in np.flatnonzero((game.holdings > 0) & (prices[:, -1] < prices[:, -3]))[:3]:
        yield {"cmd": "sell", "id": int(i), "lots": int(game.sell_max[i])}
    rising = np.argsort(prices[:, -4] - prices[:, -1], kind="stable")[:2]
    for i in rising:
        lots = int(game.buy_max[i]) if month % 9 == 4 else max(1, int(game.buy_max[i]) // 4)
        yield {"cmd": "buy", "id": int(i), "lots": lots}
    yield {"cmd": "offers", "id": int(rising[0]), "side": "buy"}
    yield {"cmd": "buy", "id": month % 1000, "lots": 0}
    yield {"cmd": "buy", "id": 17, "lots": 2**31 - 1}
    yield {"cmd": "sell", "id": (month * 7) % 1000, "lots": 1}
    yield {"cmd": "buy", "id": 1000, "lots": 1}
    yield {"cmd": "offers", "id": 3, "side": "hold"}
    if month >= 40:
        for i in np.flatnonzero(game.sell_max):
            yield {"cmd": "sell", "id": int(i), "lots": int(game.sell_max[i])}
    for _ in range(10 if month >= 40 else 0):
        dearest = int(np.argmax(np.where(game.buy_max > 0, prices[:, -1], 0)))
        lots = int(game.buy_max[dearest])
        yield {"cmd": "buy", "id": dearest, "lots": max(lots, 1)}
        yield {"cmd": "sell", "id": dearest, "lots": int(game.sell_max[dearest]) or 1}
    yield {"cmd": "next"}
    if month % 9 == 5:
        # A month refused for lack of cash: purchases are closed, a sale
        # opens the month again.
        yield {"cmd": "buy", "id": 1, "lots": 1}
        for i in np.flatnonzero(game.holdings)[:2]:
            yield {"cmd": "sell", "id": int(i), "lots": 1}
        yield {"cmd": "next"}


class GamePlaysAsServe(unittest.TestCase):
    def test_scripted_orders_give_the_same_answers_and_save_files(self):
        seed = 31
        game = ridolt.Game(seed)
        served = Served(seed)
        self.addCleanup(served.close)
        self.assertEqual(served.hello["rules"], ridolt.RULES)
        self.assertEqual(served.hello["protocol"], ridolt.PROTOCOL)
        self.assertEqual(game.hello_line(), json.dumps({"hello": served.hello}, ensure_ascii=False,
                                                       separators=(",", ":")))
        codes = set()
        ended_at = None
        for month in range(100):
            for request in scripted_requests(game, month):
                expected = json.loads(served.line(request))
                got = through_game(game, request)
                self.assertEqual(got, expected, f"month {month}: {request}")
                codes.add(expected.get("error"))
            if game.outcome != "playing" and ended_at is None:
                ended_at = month
            self.assertEqual(game.months, (game.year - 1) * 12 + game.month - 1)
        self.assertEqual(game.outcome, "lost", "the script loses its game")
        self.assertLess(ended_at, 90)
        self.assertTrue({"not_offered", "unknown_company", "bad_value", "purchases_closed",
                         "game_ended"} <= codes, codes)
        # The protocol's own lines, through Game, are serve's to the byte.
        for request in [{"cmd": "state"}, {"cmd": "next"}, {"cmd": "offers", "id": 9, "side": "sell"}]:
            line = json.dumps(request, separators=(",", ":"))
            self.assertEqual(game.answer_line(line), served.line(request))

        with tempfile.TemporaryDirectory() as folder:
            paths = [os.path.join(folder, name) for name in ("served.sav", "game.sav")]
            self.assertEqual(json.loads(served.line({"cmd": "save", "path": paths[0]})),
                             {"ok": True, "path": paths[0]})
            self.assertEqual(game.save(paths[1]), {"path": paths[1]})
            for suffix in ("", ".history"):
                with open(paths[0] + suffix, "rb") as a, open(paths[1] + suffix, "rb") as b:
                    self.assertEqual(a.read(), b.read(), f"the files {suffix or '.sav'} differ")

    def test_a_save_that_fails_is_refused_as_serve_refuses_it(self):
        game = ridolt.Game(2)
        with tempfile.TemporaryDirectory() as folder:
            for path, code in [("", "bad_value"), ("a\0b.sav", "bad_value"), ("\udc80\ud800.sav", "not_utf8"),
                               (folder, "save_failed"), (os.path.join(folder, "no", "x.sav"), "save_failed")]:
                with self.subTest(path=path), self.assertRaises(ridolt.RidoltError) as refused:
                    game.save(path)
                self.assertEqual(refused.exception.code, code)
            saved = game.save(os.fsencode(os.path.join(folder, "bytes.sav")))
            self.assertTrue(os.path.exists(os.path.join(folder, "bytes.sav")), saved)

    def test_views_are_the_games_own_memory_and_read_only(self):
        game = ridolt.Game(5)
        prices, holdings = game.prices, game.holdings
        for view in (prices, holdings, game.buy_max, game.sell_max):
            self.assertFalse(view.flags.writeable)
            self.assertFalse(view.flags.owndata)
            with self.assertRaises(ValueError):
                view[0] = 1
        self.assertEqual((prices.shape, prices.dtype), ((1000, 12), np.int32))
        before = prices.copy()
        game.buy(7, 2)
        game.next()
        # The view taken before the month shows the month: the game's memory.
        np.testing.assert_array_equal(prices[:, :-1], before[:, 1:])
        self.assertEqual(holdings[7], 2)
        self.assertEqual(prices.__array_interface__["data"][0], game.prices.__array_interface__["data"][0])
        del game  # the views keep the game alive
        self.assertEqual(int(prices[7, -1]), int(prices[7, -1]))

    def test_arguments_are_checked_as_serve_checks_requests(self):
        game = ridolt.Game(5)
        for call, code in [(lambda: game.buy(-1, 1), "unknown_company"),
                           (lambda: game.buy(2**70, 1), "unknown_company"),
                           (lambda: game.buy(3, 2**40), "out_of_range"),
                           (lambda: game.offers(3, "hold"), "bad_value")]:
            with self.assertRaises(ridolt.RidoltError) as refused:
                call()
            self.assertEqual(refused.exception.code, code)
        with self.assertRaises(TypeError):
            game.buy(3, 1.5)
        self.assertEqual(game.buy(np.int64(3), np.int32(1))["lots"], 1)
        with self.assertRaises(ValueError):
            ridolt.Game(-1)


class LargestOffers(unittest.TestCase):
    @settings(max_examples=80, deadline=None, database=None)
    @given(seed=st.integers(0, 2**64 - 1), months=st.integers(0, 30), spend=st.integers(0, 100),
           company=st.integers(0, 999), side=st.sampled_from(["buy", "sell"]), data=st.data())
    def test_every_count_up_to_the_largest_settles_and_one_more_is_refused(self, seed, months, spend,
                                                                           company, side, data):
        game = ridolt.Game(seed)
        # A history of trades: each month `spend` percent of what the
        # company of the month and `company` itself allow is bought, and
        # the falls are sold.
        for month in range(months):
            for i in np.flatnonzero(game.holdings)[:: 1 + month % 3]:
                game.sell(int(i), int(game.sell_max[i]))
            for i in (month * 37 % 1000, company):
                lots = int(game.buy_max[i]) * spend // 100
                if lots > 0:
                    game.buy(i, lots)
            if game.outcome != "playing" or game.next()["refused"]:
                break
        largest = int((game.buy_max if side == "buy" else game.sell_max)[company])
        offered = game.offers(company, side)["lots"] if game.outcome == "playing" else []
        if side == "buy" and not game.purchases_open:
            offered = []
        self.assertEqual(largest, offered[-1] if offered else 0)
        trade = getattr(game, side)
        with self.assertRaises(ridolt.RidoltError):
            trade(company, largest + 1)
        if largest == 0:
            return
        lots = data.draw(st.sampled_from([n for n in offered if n <= largest]), label="lots")
        amount = game.offers(company, side)["amounts"][offered.index(lots)]
        answer = trade(company, lots)
        self.assertEqual((answer["lots"], answer["amount"]), (lots, amount))


if __name__ == "__main__":
    unittest.main()
