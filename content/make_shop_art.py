#!/usr/bin/env python3
"""Writes the shop game's art as SVG (content/images/shop/) and its resource definition file
(content/ini/res_shop.xml). The pictures come in families drawn from a few parametric shapes:
one palette per shop, one shape per shelf slot. Run it again after changing a table below; the
build rasterizes every SVG of the folder."""
import math
import os

HERE = os.path.dirname(os.path.abspath(__file__))
OUT = os.path.join(HERE, "images", "shop")

# Shop: (wall, floor, shelf, accent colours, the 12 shelf items by shape)
SHOPS = {
    "garden": ("#cfe8c0", "#8a6a45", "#6d4c2e", ["#e0405a", "#f0c030", "#7040c0", "#ff8040"],
               ["rose", "tulip", "seed_box", "watering_can", "pot", "cactus", "sunflower", "gloves",
                "shovel", "fertilizer", "lavender", "bird_house"]),
    "bakery": ("#f5e2c4", "#9a6b3f", "#7a4a24", ["#c8873e", "#e8c080", "#a05a2c", "#f0e0d0"],
               ["bread", "cake", "croissant", "pretzel", "muffin", "baguette", "cookie", "pie",
                "donut", "bun", "tart", "honey_jar"]),
    "books": ("#e3dcf0", "#5e4a3a", "#4a3626", ["#3050a0", "#a03030", "#30804a", "#d0a030"],
              ["novel", "atlas", "cookbook", "comic", "poetry", "dictionary", "diary", "map_roll",
               "bookmark", "globe", "ink_pot", "quill"]),
    "toys": ("#fde6ec", "#7a5c8c", "#5a3c6c", ["#e03a3a", "#3a8ae0", "#f0d020", "#40b050"],
             ["ball", "teddy", "kite", "blocks", "yoyo", "train", "doll", "drum", "top",
              "puzzle_box", "rocket", "duck"]),
    "tea": ("#e4f0e0", "#6a5030", "#4e3a22", ["#2e7a4a", "#b0402a", "#e0b060", "#5a3a7a"],
            ["green_tea", "black_tea", "teapot", "cup", "kettle", "mint", "honey", "lemon",
             "sugar_box", "tea_tin", "strainer", "biscuit"]),
    "fashion": ("#f0e4f4", "#504060", "#3a2c48", ["#c03080", "#3070c0", "#e0a030", "#30a0a0"],
                ["hat", "scarf", "dress", "shoes", "bag", "belt", "gloves_pair", "shirt",
                 "umbrella", "sunglasses", "necklace", "ring"]),
}
SHAPES = ["round", "bottle", "box", "jar", "flower", "book", "cup", "bag", "loaf", "can", "star",
          "heart"]


def svg(w, h, body):
    return (f'<svg xmlns="http://www.w3.org/2000/svg" width="{w}" height="{h}" '
            f'viewBox="0 0 {w} {h}">\n{body}\n</svg>\n')


def shape(kind, c1, c2):
    """One 64 x 64 shelf item: a shape in two colours with an outline and a highlight."""
    o = 'stroke="#302010" stroke-width="2"'
    if kind == "round":
        return f'<circle cx="32" cy="34" r="22" fill="{c1}" {o}/><circle cx="24" cy="26" r="6" fill="#ffffff" opacity="0.5"/>'
    if kind == "bottle":
        return (f'<rect x="26" y="6" width="12" height="14" fill="{c2}" {o}/>'
                f'<path d="M20 24 Q32 16 44 24 L44 58 L20 58 Z" fill="{c1}" {o}/>')
    if kind == "box":
        return (f'<rect x="10" y="20" width="44" height="36" fill="{c1}" {o}/>'
                f'<path d="M10 20 L20 10 L64 10 L54 20 Z" fill="{c2}" {o}/><rect x="10" y="32" width="44" height="6" fill="{c2}"/>')
    if kind == "jar":
        return (f'<rect x="16" y="18" width="32" height="40" rx="8" fill="{c1}" {o}/>'
                f'<rect x="14" y="10" width="36" height="10" rx="3" fill="{c2}" {o}/>')
    if kind == "flower":
        petals = "".join(
            f'<circle cx="{32 + 12 * math.cos(a * math.pi / 3):.1f}" cy="{26 + 12 * math.sin(a * math.pi / 3):.1f}" r="8" fill="{c1}" {o}/>'
            for a in range(6))
        return f'<rect x="30" y="34" width="4" height="26" fill="#3a8a3a"/>{petals}<circle cx="32" cy="26" r="7" fill="{c2}" {o}/>'
    if kind == "book":
        return (f'<rect x="14" y="8" width="36" height="50" fill="{c1}" {o}/>'
                f'<rect x="14" y="8" width="8" height="50" fill="{c2}" {o}/><rect x="28" y="18" width="16" height="6" fill="#ffffff" opacity="0.6"/>')
    if kind == "cup":
        return (f'<path d="M12 20 L48 20 L44 54 L16 54 Z" fill="{c1}" {o}/>'
                f'<path d="M48 26 Q60 30 46 44" fill="none" stroke="{c2}" stroke-width="5"/><rect x="10" y="16" width="40" height="6" fill="{c2}" {o}/>')
    if kind == "bag":
        return (f'<path d="M22 22 Q32 4 42 22" fill="none" stroke="{c2}" stroke-width="4"/>'
                f'<rect x="10" y="22" width="44" height="36" rx="6" fill="{c1}" {o}/>')
    if kind == "loaf":
        return (f'<ellipse cx="32" cy="38" rx="26" ry="16" fill="{c1}" {o}/>'
                + "".join(f'<path d="M{x} 28 L{x + 6} 44" stroke="{c2}" stroke-width="3"/>' for x in (18, 28, 38)))
    if kind == "can":
        return (f'<rect x="16" y="12" width="32" height="44" fill="{c1}" {o}/>'
                f'<ellipse cx="32" cy="12" rx="16" ry="5" fill="{c2}" {o}/><rect x="16" y="26" width="32" height="12" fill="{c2}"/>')
    if kind == "star":
        points = " ".join(
            f'{32 + (24 if i % 2 == 0 else 10) * math.cos(-math.pi / 2 + i * math.pi / 5):.1f},'
            f'{34 + (24 if i % 2 == 0 else 10) * math.sin(-math.pi / 2 + i * math.pi / 5):.1f}' for i in range(10))
        return f'<polygon points="{points}" fill="{c1}" {o}/><circle cx="32" cy="34" r="5" fill="{c2}"/>'
    # heart
    return (f'<path d="M32 56 L10 32 Q4 14 20 12 Q30 12 32 22 Q34 12 44 12 Q60 14 54 32 Z" fill="{c1}" {o}/>'
            f'<circle cx="22" cy="22" r="4" fill="{c2}"/>')


def background(wall, floor, shelf, accents):
    """An 800 x 600 shop interior: wall, floor, three shelves, a window and a counter."""
    body = [f'<rect width="800" height="600" fill="{wall}"/>',
            f'<rect y="470" width="800" height="130" fill="{floor}"/>',
            f'<rect x="560" y="40" width="200" height="150" fill="#bfe4ff" stroke="{shelf}" stroke-width="10"/>',
            f'<line x1="660" y1="40" x2="660" y2="190" stroke="{shelf}" stroke-width="6"/>']
    for i, y in enumerate((140, 240, 340)):
        body.append(f'<rect x="40" y="{y}" width="480" height="14" fill="{shelf}"/>')
        body.append(f'<rect x="40" y="{y + 14}" width="480" height="4" fill="#000000" opacity="0.2"/>')
    for i in range(16):  # wallpaper stripes
        body.append(f'<rect x="{i * 50}" y="0" width="6" height="470" fill="{accents[i % 4]}" opacity="0.12"/>')
    body.append(f'<rect x="80" y="420" width="640" height="70" rx="8" fill="{shelf}"/>')
    body.append(f'<rect x="80" y="420" width="640" height="12" fill="{accents[0]}"/>')
    return svg(800, 600, "\n".join(body))


def counter(shelf, accent):
    return svg(300, 80, f'<rect width="300" height="80" rx="8" fill="{shelf}"/><rect width="300" height="14" fill="{accent}"/>')


def front(wall, shelf, accent):
    """A shop's house on the town map, 160 x 160."""
    return svg(160, 160,
               f'<rect x="20" y="50" width="120" height="100" fill="{wall}" stroke="#302010" stroke-width="3"/>'
               f'<polygon points="10,52 80,8 150,52" fill="{accent}" stroke="#302010" stroke-width="3"/>'
               f'<rect x="66" y="100" width="28" height="50" fill="{shelf}"/>'
               f'<rect x="30" y="70" width="28" height="24" fill="#bfe4ff" stroke="{shelf}" stroke-width="3"/>'
               f'<rect x="102" y="70" width="28" height="24" fill="#bfe4ff" stroke="{shelf}" stroke-width="3"/>')


def figure(coat, hair, skin="#f2c8a0"):
    """A client or dialogue person, 96 x 160."""
    return svg(96, 160,
               f'<rect x="22" y="62" width="52" height="80" rx="14" fill="{coat}" stroke="#302010" stroke-width="2"/>'
               f'<rect x="28" y="138" width="14" height="20" fill="#403020"/><rect x="54" y="138" width="14" height="20" fill="#403020"/>'
               f'<circle cx="48" cy="36" r="24" fill="{skin}" stroke="#302010" stroke-width="2"/>'
               f'<path d="M24 32 Q48 0 72 32 Q60 18 48 20 Q36 18 24 32 Z" fill="{hair}"/>'
               f'<circle cx="40" cy="36" r="3" fill="#302010"/><circle cx="56" cy="36" r="3" fill="#302010"/>')


def mood(kind):
    """A mood pad, 40 x 40: a face that smiles, stays straight or frowns."""
    colour = {"happy": "#70c050", "normal": "#f0c030", "sad": "#e05040"}[kind]
    mouth = {"happy": "M12 24 Q20 32 28 24", "normal": "M12 27 L28 27", "sad": "M12 30 Q20 22 28 30"}[kind]
    return svg(40, 40, f'<circle cx="20" cy="20" r="18" fill="{colour}" stroke="#302010" stroke-width="2"/>'
               f'<circle cx="14" cy="15" r="2.5" fill="#302010"/><circle cx="26" cy="15" r="2.5" fill="#302010"/>'
               f'<path d="{mouth}" fill="none" stroke="#302010" stroke-width="2.5"/>')


def card(colour, label_shape, c2):
    """A 128 x 96 picture card for actions and their results."""
    return svg(128, 96, f'<rect x="2" y="2" width="124" height="92" rx="10" fill="{colour}" stroke="#302010" stroke-width="3"/>'
               f'<g transform="translate(32,16)">{shape(label_shape, "#fff7e6", c2)}</g>')


def main():
    os.makedirs(OUT, exist_ok=True)
    images = {}  # resource name -> file stem

    def put(name, stem, text):
        with open(os.path.join(OUT, stem + ".svg"), "w") as f:
            f.write(text)
        images[name] = stem

    for shop, (wall, floor, shelf, accents, items) in SHOPS.items():
        put(f"img_shop_{shop}", f"shop_{shop}", background(wall, floor, shelf, accents))
        put(f"img_counter_{shop}", f"counter_{shop}", counter(shelf, accents[0]))
        put(f"img_map_{shop}", f"map_{shop}", front(wall, shelf, accents[0]))
        for i, item in enumerate(items):
            put(f"img_item_{item}", f"item_{item}",
                svg(64, 64, shape(SHAPES[i], accents[i % 4], accents[(i + 1) % 4])))
    put("img_coin", "coin", svg(24, 24, '<circle cx="12" cy="12" r="10" fill="#f0c030" stroke="#906010" stroke-width="2"/><text x="12" y="17" font-size="12" text-anchor="middle" fill="#906010" font-family="sans-serif">$</text>'))
    put("img_map_sky", "map_sky", svg(800, 600, '<rect width="800" height="600" fill="#a8d8f8"/><rect y="420" width="800" height="180" fill="#80b060"/><rect y="470" width="800" height="40" fill="#b0a090"/>'))
    for person, (coat, hair) in {"granny": ("#9060a0", "#d0d0d0"), "student": ("#3070c0", "#603010"),
                                 "worker": ("#e08030", "#202020"), "child": ("#40b050", "#e0b040"),
                                 "owner": ("#c03040", "#402010"), "grandma": ("#6080a0", "#f0f0f0")}.items():
        put(f"img_person_{person}", f"person_{person}", figure(coat, hair))
    for kind in ("happy", "normal", "sad"):
        put(f"img_pad_{kind}", f"pad_{kind}", mood(kind))
    tracks = {"personal": ("#f0a0b0", 3), "education": ("#a0c0f0", 3), "fitness": ("#a0e0a0", 3),
              "careers": ("#f0d080", 6)}
    for track, (colour, steps) in tracks.items():
        for step in range(1, steps + 1):
            put(f"img_action_{track}_{step}", f"action_{track}_{step}", card(colour, SHAPES[step * 2 % 12], "#302010"))
            put(f"img_result_{track}_{step}", f"result_{track}_{step}", card("#fff0c0", SHAPES[step * 2 % 12], colour))
    for i, room in enumerate(["flowers", "photo_album", "bicycle", "laptop", "holiday", "suit", "trophy_3_shops", "trophy_6_shops"]):
        put(f"img_room_{room}", f"room_{room}", svg(64, 64, shape(SHAPES[(i * 5) % 12], "#c09060", "#f0e0a0")))
    for i in range(1, 10):  # the Square minigame's digit tiles
        put(f"img_Square{i}", f"square_{i}", svg(80, 80, f'<rect x="2" y="2" width="76" height="76" rx="8" fill="#f0d8a0" stroke="#805020" stroke-width="3"/><text x="40" y="54" font-size="40" text-anchor="middle" fill="#603010" font-family="sans-serif">{i}</text>'))
    for kind in ("line", "turn"):
        path = "M0 40 L80 40" if kind == "line" else "M0 40 Q40 40 40 80"
        put(f"img_path_{kind}", f"path_{kind}", svg(80, 80, f'<rect width="80" height="80" fill="#d0c0a0" stroke="#806040"/><path d="{path}" fill="none" stroke="#3070c0" stroke-width="16"/>'))

    lines = ['<?xml version="1.0" encoding="UTF-8"?>',
             "<!-- The shop game's pictures, written by content/make_shop_art.py. -->",
             "<resources>", "  <content>"]
    for name, stem in images.items():
        lines.append(f'    <resource type="ImageResource" name="{name}" file="data\\images\\shop\\{stem}.png" format="png"/>')
    lines += ["  </content>", "</resources>", ""]
    with open(os.path.join(HERE, "ini", "res_shop.xml"), "w") as f:
        f.write("\n".join(lines))


if __name__ == "__main__":
    main()
