#!/usr/bin/env python3
"""An example bot for ``ridolt-sim serve``: the rules of the built-in
``trend`` strategy, written against the protocol.

Each month it sells every holding whose price is lower than two months ago,
then spreads the cash it can spend (keeping the coming month's cost, three
more months of living cost and the tax due so far) over the three strongest
risers of the last three months among those that rose in each of the last
two.  When a month is refused for lack of cash it sells the largest
holdings, as few lots as cover the shortfall, until the month can be paid.

Played with the same seed for the same months it makes the same trades as
``ridolt-sim run --strategy trend``, so it prints the same lines as
``run --format jsonl`` and ``--save`` writes the same file.

    sim/python/trend_bot.py --seed 7 --months 600 --save trend7.sav
"""

import argparse
import json
import os
import sys
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from ridolt_sim import RidoltSim  # noqa: E402

SELL_LOOKBACK = 2
RANK_LOOKBACK = 3
PICKS = 3
RESERVE_MONTHS = 3


def price_change(history, months):
    """The price now as a multiple of the price `months` months ago."""
    then = history[-1 - months]
    return history[-1] / then if then > 0 else 0


def cash_to_spend(sim):
    reserve = (1 + RESERVE_MONTHS) * sim.rules["living_cost"] + sim.tax_due
    return max(0, sim.cash - reserve)


def sell_largest(sim, company_id):
    offers = sim.offers(company_id, "sell")
    if offers["lots"]:
        sim.sell(company_id, offers["lots"][-1])


def buy_largest(sim, company_id, budget):
    offers = sim.offers(company_id, "buy")
    for lots, amount in zip(reversed(offers["lots"]), reversed(offers["amounts"])):
        if amount <= budget:
            sim.buy(company_id, lots)
            return


def trade(sim):
    for holding in list(sim.holdings):
        if sim.ended:
            return
        if price_change(sim.prices[holding["id"]], SELL_LOOKBACK) < 1:
            sell_largest(sim, holding["id"])
    if sim.ended:
        return
    # Rose in each of the last two months; the strongest risers of the last
    # three first, equal ones in ID order.
    risers = [
        (-(h[-1] / h[-1 - RANK_LOOKBACK]), company_id)
        for company_id, h in enumerate(sim.prices)
        if h[-1] > h[-2] > h[-3]
    ]
    picks = [company_id for _, company_id in sorted(risers)[:PICKS]]
    for i, company_id in enumerate(picks):
        buy_largest(sim, company_id, cash_to_spend(sim) // (len(picks) - i))


def raise_cash(sim):
    """Sells the largest sellable holdings until the month can be paid;
    False when nothing could be sold."""
    sold = False
    while sim.cash < sim.month_cost:
        best = None
        for holding in sim.state()["holdings"]:
            offers = sim.offers(holding["id"], "sell")
            if not offers["lots"]:
                continue
            key = (-holding["value"], holding["id"])
            if best is None or key < best[0]:
                best = (key, holding["id"], offers)
        if best is None:
            break
        _, company_id, offers = best
        shortfall = sim.month_cost - sim.cash
        lots = next((n for n, amount in zip(offers["lots"], offers["amounts"]) if amount >= shortfall),
                    offers["lots"][-1])
        sim.sell(company_id, lots)
        sold = True
        if sim.ended:
            break
    return sold


def month_line(year, month, cash, value, held, tax, events):
    return json.dumps({"year": year, "month": month, "cash": cash, "value": value, "held": held,
                       "tax": tax, "events": events}, separators=(",", ":"))


def play_month(sim):
    """One month as `run` plays it; returns its line of `run --format jsonl`."""
    trade(sim)
    events = []
    stuck = False
    while not sim.ended:
        answer = sim.next()
        if not answer["refused"]:
            events += [{"type": "bankruptcy", "id": company_id} for company_id in answer["bankrupt"]]
            if answer["game_over"]:
                events.append({"type": "game_over"})
            return month_line(answer["year"], answer["month"], answer["cash"], answer["holdings_value"],
                              len(answer["holdings"]), answer["tax_paid"], events)
        events = [{"type": "refused"}]
        if not raise_cash(sim):
            stuck = True
            events.append({"type": "stuck"})
            break
    if not stuck:
        events.append({"type": "game_clear"})
    state = sim.state()
    return month_line(state["year"], state["month"], state["cash"], state["holdings_value"],
                      len(state["holdings"]), 0, events)


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--sim", help="the ridolt-sim program (default: $RIDOLT_SIM or build/sim/ridolt-sim)")
    parser.add_argument("--seed", type=int, default=1, help="the seed of the (first) game")
    parser.add_argument("--months", type=int, default=600, help="months to play at most")
    parser.add_argument("--games", type=int, default=1,
                        help="games to play one after another, seeds SEED, SEED+1, ...; "
                             "with --months the months of all games together")
    parser.add_argument("--save", help="save the (last) game to this file at the end")
    parser.add_argument("--quiet", action="store_true", help="print no month lines")
    args = parser.parse_args()

    start = time.perf_counter()
    played = 0
    out = sys.stdout
    for game in range(args.games):
        if played >= args.months:
            break
        with RidoltSim(args.sim, seed=args.seed + game) as sim:
            while played < args.months and not sim.ended and sim.outcome == "playing":
                line = play_month(sim)
                played += 1
                if not args.quiet:
                    out.write(line + "\n")
                if '"stuck"' in line:
                    break
            if args.save and game == args.games - 1:
                sim.save(args.save)
            sim.quit()
    elapsed = time.perf_counter() - start
    print(f"trend_bot: {played} months in {elapsed:.2f} s ({1000 * elapsed / max(played, 1):.2f} ms a month)",
          file=sys.stderr)


if __name__ == "__main__":
    main()
