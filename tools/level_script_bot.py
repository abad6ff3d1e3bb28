#!/usr/bin/env python3
"""Writes a headless script that plays a shop level through, by playing it.

The bot runs the headless game again and again with a growing script: each round it prints the
shop floor at the current moment (the "print" script command), decides one click from what it
sees and appends it. With a fixed seed and virtual time every run repeats the earlier ones, so
the final script replays the same level exactly. Regenerate a script with this tool when a
change of the rules or the data moves the random draws.

  level_script_bot.py BUILD_DIR LEVEL SEED OUT.script [--lose]

--lose lets the clients wait until they run out of patience instead of serving them, then leaves
the level through the pause menu. --challenges ITEM=KEY,... plays the in-level challenge
"control_minigame_KEY" that the item ITEM opens: the bot reads the order the challenge shows and
picks the thing of that order (through the "order_..." texts of the language file).
"""
import argparse
import pathlib
import re
import shutil
import subprocess
import tempfile

PROLOGUE = """# {title}
# Written by tools/level_script_bot.py (level {level}, seed {seed}); regenerate it with that tool
# when the random draws move.
at 0 waitw button_continue 10000
at 100 clickw button_continue
at 200 waitw edit_name 5000
at 700 char Ann
at 800 clickw button_ok
at 900 waitw button_options 5000
at 1500 show GS_GameMain level={level} replay=no shop_name=ShopGarden
at 2400 shot level{level}_intro
at 2500 clickw button_ok
at 4800 waitw button_ok 5000
at 4900 shot level{level}_tool_tip
at 5000 clickw button_ok
"""

FLOOR = "control_game_main/shop_stations"
ITEMS = "control_game_main/shop_items"
# Clients are named by their number in the level; the bot looks at the names from the oldest client
# still in the shop to a few past the newest one it has seen.
CLIENTS_AHEAD = 8
STEP_MS = 600


def run(build, script_text, seed, user_files=None):
    with tempfile.TemporaryDirectory() as work:
        script = pathlib.Path(work) / "bot.script"
        script.write_text(script_text)
        if user_files:
            shutil.copytree(user_files, pathlib.Path(work) / "user")
        result = subprocess.run(
            [str(build / "bin" / "kestrelle-headless"), "--app-dir", str(build / "game"), "--user-dir",
             str(pathlib.Path(work) / "user"), "--script", str(script), "--seed", str(seed)],
            capture_output=True, text=True)
        return result.stdout + result.stderr


def read_prologue(path):
    """The lines of a script that reaches the level, up to a line ending in 'quit'."""
    return "".join(line + "\n" for line in path.read_text().splitlines() if not line.endswith(" quit"))


def look(build, script, probe, at, seed, user_files=None):
    """What the probe lines print at `at` when the script so far has been played."""
    return parse(run(build, script + "\n".join(probe) + f"\nat {at + 1} quit\n", seed, user_files))


# Where a click on a shelf item lands: its centre first; a picture with a hole or a gap there (a
# ring, a pair of glasses) takes the click only on its drawn pixels, so later tries move off it.
AIM_OFFSETS = [(0, 0), (-16, 0), (16, 0), (0, -14), (0, 14), (-20, -18), (20, 18)]


def probe_lines(at, challenges=(), items=(), names=range(1, CLIENTS_AHEAD + 1)):
    lines = [f"at {at} print control_game_main state", f"at {at} print control_game_main customers_served"]
    for item in items:
        for prop in ("anchor_left", "anchor_top", "width", "height"):
            lines.append(f"at {at} print {ITEMS}/{item} {prop}")
    for key in challenges:
        lines.append(f"at {at} print control_minigame_{key} visible")
        lines.append(f"at {at} print control_minigame_{key}/order/order_text text")
    for station in range(1, 5):
        lines.append(f"at {at} print {FLOOR}/station_{station} state")
        for n in names:
            for prop in ("state", "client_order", "vip", "client_hearts"):
                lines.append(f"at {at} print {FLOOR}/station_{station}/{n} {prop}")
            for line in range(1, 4):
                lines.append(f"at {at} print {FLOOR}/station_{station}/{n}/order/{line} state")
    return lines


def parse(output):
    values = {}
    for line in output.splitlines():
        m = re.match(r"print (\S+) (\S+) = (.*)$", line)
        if m:
            values[(m.group(1), m.group(2))] = m.group(3)
    return values


def floor(values, names=range(1, CLIENTS_AHEAD + 1)):
    stations, clients = {}, []
    for station in range(1, 5):
        path = f"{FLOOR}/station_{station}"
        stations[station] = values.get((path, "state"), "")
        for n in names:
            client = f"{path}/{n}"
            if (client, "state") in values:
                order = re.findall(r"\\item\d+id=([^\\]*)", values.get((client, "client_order"), ""))
                solved = {item for line, item in enumerate(order, 1)
                          if values.get((f"{client}/order/{line}", "state")) == "solved"}
                clients.append({"station": station, "name": str(n), "state": values[(client, "state")],
                                "order": order, "solved": solved, "vip": values.get((client, "vip"), "")})
    return stations, clients


def aim(values, item, attempt):
    # The first click goes to the item's centre; each try after it to another point of the item.
    if attempt == 0 or (f"{ITEMS}/{item}", "width") not in values:
        return f"clickw {ITEMS}/{item}"
    number = lambda prop: round(float(values[(f"{ITEMS}/{item}", prop)]))
    dx, dy = AIM_OFFSETS[attempt % len(AIM_OFFSETS)]
    return (f"click {number('anchor_left') + number('width') // 2 + dx} "
            f"{number('anchor_top') + number('height') // 2 + dy}")


def order_texts(build):
    # The language file's order texts, by the text shown: "The hat, please!" -> "item_hat".
    lang = (build / "game" / "lang" / "default.lng").read_text()
    texts = {}
    for name, text in re.findall(r'<string name="(order_[^"]*)">([^<]*)</string>', lang):
        texts[text] = texts[f"%{name}%"] = name[len("order_"):]
    return texts


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("build", type=pathlib.Path)
    parser.add_argument("level", type=int)
    parser.add_argument("seed", type=int)
    parser.add_argument("out", type=pathlib.Path)
    parser.add_argument("--lose", action="store_true")
    parser.add_argument("--minigame-items", default="seed_box")
    parser.add_argument("--prologue", type=pathlib.Path,
                        help="a script that reaches the level by other ways (its lines are kept up to a line 'quit')")
    parser.add_argument("--start", type=int, default=7000, help="the moment the bot's first look at the floor")
    parser.add_argument("--user-files", type=pathlib.Path,
                        help="a folder of player files (users.dat ...) every run starts from")
    parser.add_argument("--challenges", default="",
                        help="ITEM=KEY,...: the items whose order line opens the in-level challenge control_minigame_KEY")
    args = parser.parse_args()
    build = args.build.resolve()
    title = ("Level {level}: clients run out of patience, the player leaves through the pause menu"
             if args.lose else "Level {level} played through: every client served")
    script = PROLOGUE.format(title=title.format(level=args.level), level=args.level, seed=args.seed)
    if args.prologue:
        script = read_prologue(args.prologue)
    skipped = set(args.minigame_items.split(","))
    challenges = dict(pair.split("=", 1) for pair in args.challenges.split(",") if "=" in pair)
    orders = order_texts(build) if challenges else {}
    seen_items = set()
    oldest, newest = 1, 0
    tries = {}  # (station, client, item): the aim of the next click on it
    good_aim = {}  # item: the aim that solved it last
    at = args.start
    extras = {"wrong": False, "tool": False, "coin": False}
    for _ in range(400):
        names = range(oldest, newest + CLIENTS_AHEAD + 1)
        values = look(build, script, probe_lines(at, challenges.values(), sorted(seen_items), names), at, args.seed,
                      args.user_files)
        if values.get(("control_game_main", "state")) in (None, "0"):
            break
        stations, clients = floor(values, names)
        if clients:
            oldest = min(int(c["name"]) for c in clients)
            newest = max(newest, max(int(c["name"]) for c in clients))
        for client in clients:
            seen_items.update(client["order"])
            for item in client["solved"]:
                if (client["station"], client["name"], item) in tries:
                    good_aim[item] = tries.pop((client["station"], client["name"], item)) - 1
        served = int(values.get(("control_game_main", "customers_served"), "0") or 0)
        action = None
        open_challenge = next((key for key in challenges.values()
                               if values.get((f"control_minigame_{key}", "visible")) == "yes"), None)
        if open_challenge:
            wanted = orders.get(values.get((f"control_minigame_{open_challenge}/order/order_text", "text"), ""))
            if wanted and open_challenge not in extras:
                script += "# The in-level challenge: the thing the client asks for.\n"
                action, extras[open_challenge] = f"clickw control_minigame_{open_challenge}/items/{wanted}", True
        elif args.lose:
            if served == 0 and not any(c for c in clients if c["state"] in ("idle", "active", "money")):
                action = None
            if at > args.start + 90000:
                break
        else:
            bonus = [s for s, state in stations.items() if state == "bonus"]
            money = [c for c in clients if c["state"] == "money"]
            active = [c for c in clients if c["state"] == "active"]
            idle = [c for c in clients if c["state"] == "idle"]
            if bonus:
                script += "# The bonus a special client left.\n"
                action = f"clickw {FLOOR}/station_{bonus[0]}"
            elif money:
                action = f"clickw {FLOOR}/station_{money[0]['station']}"
            elif active and not extras["wrong"]:
                action, extras["wrong"] = "click 535 200", True
            elif served >= 2 and not extras["coin"]:
                action, extras["coin"] = f"clickw {ITEMS}/coin_1", True
            elif active and served >= 1 and not extras["tool"]:
                action, extras["tool"] = "clickw control_tools/tool_1", True
            elif active:
                client = active[0]
                # The lines the order shows solved; a click that did not count is made again.
                todo = [i for i in client["order"] if i not in client["solved"] and i not in skipped]
                if todo:
                    key = (client["station"], client["name"], todo[0])
                    attempt = tries.get(key, good_aim.get(todo[0], 0))
                    tries[key] = attempt + 1
                    action = aim(values, todo[0], attempt)
                elif idle:
                    action = f"clickw {FLOOR}/station_{idle[0]['station']}"
            elif idle:
                action = f"clickw {FLOOR}/station_{idle[0]['station']}"
        if not open_challenge:
            for key in challenges.values():
                extras.pop(key, None)
        if action:
            script += f"at {at} {action}\n"
        at += STEP_MS
    args.out.write_text(script)
    print(f"wrote {args.out} up to {at} ms")


if __name__ == "__main__":
    main()
