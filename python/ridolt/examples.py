"""An example bot for the league: python3 -m ridolt.league trend ridolt.examples:momentum"""

import numpy as np


def momentum(game):
    """Sells what has fallen in two months, and everything when a month was refused;
    buys the three strongest risers of three months, keeping 120万円 in hand."""
    p = game.prices
    for i in np.flatnonzero((game.holdings > 0) & ((p[:, -1] < p[:, -3]) | (not game.purchases_open))):
        if game.sell_max[i] > 0:  # none once a sale has won the game
            game.sell(int(i), int(game.sell_max[i]))
    rising = (p[:, -1] > p[:, -2]) & (p[:, -2] > p[:, -3])
    for i in np.argsort(np.where(rising, p[:, -1] / p[:, -4], 0))[-3:]:
        lots = min(int(game.buy_max[i]), int((game.cash - 120) / 3 / (0.11 * p[i, -1])))
        if rising[i] and lots > 0:
            game.buy(int(i), lots)
