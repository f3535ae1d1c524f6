"""Bots of the league's test, each playing as the built-in idle strategy
plays: never a trade.

* idle: a callable, league_bots:idle;
* run as a program: a command that speaks the protocol of ridolt-sim
  serve on its standard input and output, asking for month after month
  until its input ends.
"""

import json
import sys


def idle(game):
    pass


def serve_idle():
    hello = json.loads(sys.stdin.readline())["hello"]
    assert hello["outcome"] == "playing"
    while True:
        print('{"cmd":"next"}', flush=True)
        if not sys.stdin.readline():
            return


if __name__ == "__main__":
    serve_idle()
