#!/usr/bin/env python3
"""Writes the clicks of the guided level into a headless script, by playing it.

Like level_script_bot.py, it runs the headless game again and again with a growing script and
decides one click a round from what it sees: the step page on screen, the stations, the clients
and their order lines, the in-level challenge. It plays the level as a new player told by the
pages would: items of the active client, the money, the client the page asks for, the bonus, the
OK button of the pages that have one, the seed the challenge asks for.

  guided_level_bot.py BUILD_DIR SEED OUT.script --prologue SCRIPT --start MS

The prologue reaches the guided level (its lines are kept up to a line ending in 'quit'); the
bot stops when the level control has ended the level, and writes the prologue and its clicks.
"""
import argparse
import pathlib
import re

from level_script_bot import look, read_prologue

FLOOR = "control_game_main/shop_stations"
ITEMS = "control_game_main/shop_items"
CHALLENGE = "control_minigame_seeds"
MAX_CLIENTS = 6
STEP_MS = 600
PAGES_WITH_BUTTON = range(7, 12)


def probe_lines(at):
    lines = [f"at {at} print control_game_main state", f"at {at} print {CHALLENGE} visible",
             f"at {at} print {CHALLENGE}/order/order_text text"]
    lines += [f"at {at} print states/{page} visible" for page in range(14)]
    for station in range(1, 5):
        lines.append(f"at {at} print {FLOOR}/station_{station} state")
        for n in range(1, MAX_CLIENTS + 1):
            client = f"{FLOOR}/station_{station}/{n}"
            lines.append(f"at {at} print {client} state")
            for line in range(1, 4):
                lines += [f"at {at} print {client}/order/{line} item_id", f"at {at} print {client}/order/{line} state"]
    return lines


def decide(values):
    if values.get((CHALLENGE, "visible")) == "yes":
        wanted = values.get((f"{CHALLENGE}/order/order_text", "text"), "").lower()
        for seed in ("carrot", "tomato", "pea", "sunflower"):
            if seed in wanted:
                return f"clickw {CHALLENGE}/items/seed_{seed}"
        return None
    for page in PAGES_WITH_BUTTON:
        if values.get((f"states/{page}", "visible")) == "yes":
            return f"clickw states/{page}/button_ok"
    # Page 2 asks for the waiting client at station_3; nothing else gets past it.
    if values.get(("states/2", "visible")) == "yes":
        return f"clickw {FLOOR}/station_3"
    clients = []
    for station in range(1, 5):
        if values.get((f"{FLOOR}/station_{station}", "state")) == "bonus":
            return f"clickw {FLOOR}/station_{station}"
        for n in range(1, MAX_CLIENTS + 1):
            client = f"{FLOOR}/station_{station}/{n}"
            state = values.get((client, "state"))
            if state:
                unsolved = [values[(f"{client}/order/{line}", "item_id")] for line in range(1, 4)
                            if values.get((f"{client}/order/{line}", "state")) == "unsolved"]
                clients.append({"station": station, "state": state, "unsolved": unsolved})
    for wanted in ("money", "active", "idle"):
        for client in clients:
            if client["state"] != wanted:
                continue
            if wanted == "active" and client["unsolved"]:
                return f"clickw {ITEMS}/{client['unsolved'][0]}"
            if wanted != "active":
                return f"clickw {FLOOR}/station_{client['station']}"
    return None


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("build", type=pathlib.Path)
    parser.add_argument("seed", type=int)
    parser.add_argument("out", type=pathlib.Path)
    parser.add_argument("--prologue", type=pathlib.Path, required=True)
    parser.add_argument("--start", type=int, required=True, help="the moment of the bot's first look")
    args = parser.parse_args()
    build = args.build.resolve()
    script = read_prologue(args.prologue)
    at = args.start
    for _ in range(300):
        values = look(build, script, probe_lines(at), at, args.seed)
        if values.get(("control_game_main", "state")) in (None, "0"):
            break
        action = decide(values)
        if action:
            script += f"at {at} {action}\n"
        at += STEP_MS
    args.out.write_text(script)
    print(f"wrote {args.out} up to {at} ms")


if __name__ == "__main__":
    main()
