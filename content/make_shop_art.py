#!/usr/bin/env python3
"""Writes the shop game's art as SVG (content/images/shop/) and its resource definition file
(content/ini/res_shop.xml). The pictures come in families drawn from a few parametric shapes:
one palette per shop; each shelf item's shape family comes from its name (FAMILIES). Run it again after changing a table below; the
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


# Shelf items get a shape family from the words of their name ("_" separated, first match wins);
# the families below draw what the item is, in the shop's colours.
FAMILIES = [
    (("teapot",), "teapot"), (("ink",), "jar"), (("kettle",), "kettle"), (("sunflower",), "sunflower"), (("rose", "tulip"), "flower"), (("lavender", "mint"), "sprig"),
    (("cactus",), "cactus"), (("pot",), "pot"), (("watering",), "watering_can"),
    (("gloves",), "glove"), (("shovel",), "shovel"), (("bird",), "house"),
    (("seed", "sugar", "tin", "puzzle", "fertilizer"), "box"), (("blocks",), "blocks"),
    (("croissant",), "croissant"), (("pretzel",), "pretzel"), (("bread", "baguette", "bun"), "bread"),
    (("cake", "muffin"), "cake"), (("pie", "tart"), "pie"), (("donut",), "donut"),
    (("cookie", "biscuit"), "cookie"), (("honey", "ink"), "jar"), (("roll",), "scroll"),
    (("bookmark",), "bookmark"), (("globe",), "globe"), (("ball",), "ball"), (("quill",), "quill"),
    (("novel", "atlas", "cookbook", "comic", "poetry", "dictionary", "diary"), "book"),
    (("teddy",), "teddy"), (("doll",), "doll"), (("kite",), "kite"), (("yoyo",), "yoyo"), (("top",), "top"),
    (("train",), "train"), (("drum",), "drum"), (("rocket",), "rocket"), (("duck",), "duck"),
    (("cup",), "cup"), (("tea",), "leaf"), (("lemon",), "lemon"),
    (("strainer",), "strainer"), (("hat",), "hat"), (("scarf",), "scarf"), (("dress",), "dress"),
    (("shirt",), "shirt"), (("shoes",), "shoe"), (("bag",), "bag"), (("belt",), "belt"),
    (("umbrella",), "umbrella"), (("sunglasses",), "glasses"), (("necklace",), "necklace"),
    (("ring",), "ring"),
]


def family(item):
    for words, kind in FAMILIES:
        if any(w in item.split("_") for w in words):
            return kind
    raise SystemExit(f"make_shop_art.py: no shape family fits the item name '{item}'")


def item_art(kind, c1, c2):
    """One 64 x 64 shelf item of a family, in two colours with an outline."""
    o = 'stroke="#302010" stroke-width="2"'
    hi = 'fill="#ffffff" opacity="0.45"'
    green = "#3a8a3a"
    if kind == "flower":
        return (f'<rect x="30" y="30" width="4" height="30" fill="{green}"/>'
                f'<path d="M32 50 Q18 40 20 34 Q28 40 32 50" fill="{green}"/>'
                f'<path d="M18 16 L24 26 L32 12 L40 26 L46 16 L44 34 Q32 42 20 34 Z" fill="{c1}" {o}/>')
    if kind == "sunflower":
        petals = "".join(
            f'<ellipse cx="{32 + 14 * math.cos(a * math.pi / 6):.1f}" cy="{24 + 14 * math.sin(a * math.pi / 6):.1f}" rx="6" ry="4" '
            f'transform="rotate({a * 30} {32 + 14 * math.cos(a * math.pi / 6):.1f} {24 + 14 * math.sin(a * math.pi / 6):.1f})" fill="#f0c020" {o}/>'
            for a in range(12))
        return (f'<rect x="30" y="36" width="4" height="26" fill="{green}"/>'
                f'{petals}<circle cx="32" cy="24" r="9" fill="#6a4020" {o}/>')
    if kind == "sprig":
        leaves = "".join(f'<ellipse cx="{32 + dx}" cy="{y}" rx="5" ry="3" fill="{c1}" {o}/>'
                         for y, dx in ((14, 0), (22, -6), (22, 6), (30, -6), (30, 6), (38, -6), (38, 6)))
        return f'<path d="M32 60 L32 12" stroke="{green}" stroke-width="3"/>{leaves}'
    if kind == "cactus":
        return (f'<path d="M20 46 L44 46 L40 60 L24 60 Z" fill="{c1}" {o}/>'
                f'<rect x="26" y="12" width="12" height="36" rx="6" fill="#4a9a4a" {o}/>'
                f'<path d="M26 30 L18 30 L18 20" fill="none" stroke="#4a9a4a" stroke-width="6" stroke-linecap="round"/>'
                f'<path d="M38 26 L46 26 L46 18" fill="none" stroke="#4a9a4a" stroke-width="6" stroke-linecap="round"/>')
    if kind == "pot":
        return (f'<path d="M14 24 L50 24 L44 58 L20 58 Z" fill="{c1}" {o}/>'
                f'<rect x="10" y="18" width="44" height="10" rx="2" fill="{c2}" {o}/>')
    if kind == "watering_can":
        return (f'<path d="M44 30 L58 16" stroke="{c2}" stroke-width="5"/>'
                f'<rect x="14" y="24" width="32" height="32" rx="4" fill="{c1}" {o}/>'
                f'<path d="M20 24 Q30 8 40 24" fill="none" stroke="{c2}" stroke-width="4"/>')
    if kind == "glove":
        return (f'<path d="M18 58 L18 26 Q18 20 22 20 L22 12 Q26 8 28 12 L28 20 L30 10 Q34 6 36 10 L36 20 '
                f'L38 12 Q42 8 44 12 L44 34 L50 26 Q56 26 52 34 L44 46 L44 58 Z" fill="{c1}" {o}/>'
                f'<rect x="18" y="50" width="26" height="8" fill="{c2}" {o}/>')
    if kind == "shovel":
        return (f'<rect x="29" y="4" width="6" height="32" fill="#8a6a45" {o}/>'
                f'<path d="M20 34 L44 34 L44 48 Q32 62 20 48 Z" fill="{c1}" {o}/>')
    if kind == "house":
        return (f'<rect x="30" y="44" width="4" height="18" fill="#6d4c2e"/>'
                f'<rect x="18" y="24" width="28" height="24" fill="{c1}" {o}/>'
                f'<polygon points="12,26 32,8 52,26" fill="{c2}" {o}/><circle cx="32" cy="34" r="5" fill="#302010"/>')
    if kind == "box":
        return (f'<rect x="10" y="20" width="44" height="36" fill="{c1}" {o}/>'
                f'<path d="M10 20 L20 10 L64 10 L54 20 Z" fill="{c2}" {o}/><rect x="18" y="30" width="28" height="14" {hi}/>')
    if kind == "blocks":
        return (f'<rect x="8" y="36" width="22" height="22" fill="{c1}" {o}/><rect x="32" y="36" width="22" height="22" fill="{c2}" {o}/>'
                f'<rect x="20" y="14" width="22" height="22" fill="#f0d020" {o}/>'
                f'<text x="31" y="31" font-size="14" text-anchor="middle" font-family="sans-serif" fill="#302010">A</text>')
    if kind == "bread":
        return (f'<ellipse cx="32" cy="38" rx="26" ry="16" fill="#c8873e" {o}/>'
                + "".join(f'<path d="M{x} 28 L{x + 6} 44" stroke="#f0d8a0" stroke-width="3"/>' for x in (18, 28, 38)))
    if kind == "croissant":
        return (f'<path d="M6 44 Q10 16 32 14 Q54 16 58 44 Q48 34 40 40 Q32 30 24 40 Q16 34 6 44 Z" fill="#d89848" {o}/>'
                f'<path d="M24 40 L26 22 M40 40 L38 22" stroke="#a06020" stroke-width="2"/>')
    if kind == "pretzel":
        return (f'<path d="M14 50 Q4 20 24 14 Q34 12 32 30 Q30 12 40 14 Q60 20 50 50 M14 50 L44 26 M50 50 L20 26" '
                f'fill="none" stroke="#a05a2c" stroke-width="7" stroke-linecap="round"/>')
    if kind == "cake":
        return (f'<path d="M12 30 L52 30 L48 58 L16 58 Z" fill="#d8a060" {o}/>'
                f'<path d="M10 30 Q16 14 32 14 Q48 14 54 30 Q48 36 42 30 Q36 36 32 30 Q26 36 20 30 Q14 36 10 30 Z" fill="{c2}" {o}/>'
                f'<circle cx="32" cy="12" r="5" fill="#e03040" {o}/>')
    if kind == "pie":
        return (f'<path d="M6 36 L58 36 L52 52 L12 52 Z" fill="#a05a2c" {o}/>'
                f'<ellipse cx="32" cy="36" rx="26" ry="10" fill="{c1}" {o}/>'
                f'<path d="M14 36 L50 36 M24 29 L24 43 M40 29 L40 43" stroke="#e8c080" stroke-width="3"/>')
    if kind == "donut":
        return (f'<circle cx="32" cy="34" r="24" fill="#d89848" {o}/><circle cx="32" cy="34" r="19" fill="{c2}"/>'
                f'<circle cx="32" cy="34" r="8" fill="#ffffff" {o}/>'
                + "".join(f'<rect x="{x}" y="{y}" width="5" height="2" fill="#e03a3a"/>' for x, y in ((20, 22), (40, 24), (18, 42), (42, 44))))
    if kind == "cookie":
        return (f'<circle cx="32" cy="34" r="24" fill="#d8a060" {o}/>'
                + "".join(f'<circle cx="{x}" cy="{y}" r="3" fill="#4a2a10"/>' for x, y in ((22, 26), (38, 24), (30, 38), (44, 40), (20, 44))))
    if kind == "jar":
        return (f'<rect x="16" y="18" width="32" height="40" rx="8" fill="{c1}" {o}/>'
                f'<rect x="14" y="10" width="36" height="10" rx="3" fill="{c2}" {o}/><rect x="22" y="30" width="20" height="14" {hi}/>')
    if kind == "scroll":
        return (f'<rect x="12" y="14" width="40" height="36" fill="#f0e0b0" {o}/>'
                f'<path d="M18 24 Q30 20 30 32 Q30 42 46 40" fill="none" stroke="{c1}" stroke-width="3" stroke-dasharray="4 3"/>'
                f'<rect x="8" y="10" width="6" height="44" rx="3" fill="{c2}" {o}/><rect x="50" y="10" width="6" height="44" rx="3" fill="{c2}" {o}/>')
    if kind == "bookmark":
        return f'<path d="M22 6 L42 6 L42 58 L32 48 L22 58 Z" fill="{c1}" {o}/><circle cx="32" cy="18" r="4" fill="{c2}"/>'
    if kind == "ball":
        return (f'<circle cx="32" cy="34" r="24" fill="{c1}" {o}/>'
                f'<path d="M8 34 Q32 20 56 34 M32 10 Q20 34 32 58" fill="none" stroke="{c2}" stroke-width="4"/>'
                f'<circle cx="24" cy="24" r="5" {hi}/>')
    if kind == "quill":
        return (f'<path d="M48 6 Q20 14 16 50 L22 50 Q40 36 48 6 Z" fill="{c1}" {o}/>'
                f'<path d="M46 10 L14 58" stroke="#302010" stroke-width="2"/>')
    if kind == "book":
        return (f'<rect x="14" y="8" width="36" height="50" fill="{c1}" {o}/>'
                f'<rect x="14" y="8" width="8" height="50" fill="{c2}" {o}/><rect x="28" y="18" width="16" height="6" {hi}/>')
    if kind == "teddy":
        return (f'<circle cx="18" cy="14" r="7" fill="#a06a3a" {o}/><circle cx="46" cy="14" r="7" fill="#a06a3a" {o}/>'
                f'<ellipse cx="32" cy="46" rx="16" ry="14" fill="#a06a3a" {o}/><circle cx="32" cy="24" r="14" fill="#a06a3a" {o}/>'
                f'<circle cx="27" cy="22" r="2" fill="#302010"/><circle cx="37" cy="22" r="2" fill="#302010"/>'
                f'<ellipse cx="32" cy="29" rx="4" ry="3" fill="#302010"/><path d="M22 36 L42 36" stroke="{c1}" stroke-width="4"/>')
    if kind == "doll":
        return (f'<path d="M18 58 L24 30 L40 30 L46 58 Z" fill="{c1}" {o}/>'
                f'<circle cx="32" cy="20" r="12" fill="#f2c8a0" {o}/><path d="M20 18 Q32 2 44 18 Q38 10 32 12 Q26 10 20 18 Z" fill="{c2}"/>'
                f'<circle cx="28" cy="20" r="1.8" fill="#302010"/><circle cx="36" cy="20" r="1.8" fill="#302010"/>')
    if kind == "kite":
        return (f'<polygon points="32,4 52,24 32,48 12,24" fill="{c1}" {o}/>'
                f'<path d="M32 4 L32 48 M12 24 L52 24" stroke="{c2}" stroke-width="2"/>'
                f'<path d="M32 48 Q24 54 32 56 Q40 58 34 62" fill="none" stroke="#302010" stroke-width="2"/>')
    if kind == "yoyo":
        return (f'<path d="M32 2 L32 20" stroke="#302010" stroke-width="2"/><circle cx="32" cy="38" r="20" fill="{c1}" {o}/>'
                f'<circle cx="32" cy="38" r="12" fill="{c2}" {o}/><circle cx="32" cy="38" r="3" fill="#302010"/>')
    if kind == "train":
        return (f'<rect x="8" y="24" width="30" height="22" fill="{c1}" {o}/><rect x="36" y="12" width="20" height="34" fill="{c2}" {o}/>'
                f'<rect x="40" y="16" width="12" height="10" fill="#bfe4ff" {o}/><rect x="14" y="14" width="8" height="10" fill="#302010"/>'
                f'<circle cx="18" cy="50" r="6" fill="#404040" {o}/><circle cx="46" cy="50" r="6" fill="#404040" {o}/>')
    if kind == "drum":
        return (f'<rect x="12" y="22" width="40" height="30" fill="{c1}" {o}/>'
                f'<path d="M12 22 L22 52 L32 22 L42 52 L52 22" fill="none" stroke="#f0d020" stroke-width="2"/>'
                f'<ellipse cx="32" cy="22" rx="20" ry="6" fill="#f0e8d8" {o}/>'
                f'<path d="M20 4 L30 18 M46 4 L36 18" stroke="#8a6a45" stroke-width="3"/>')
    if kind == "rocket":
        return (f'<path d="M32 4 Q46 18 42 46 L22 46 Q18 18 32 4 Z" fill="{c1}" {o}/>'
                f'<path d="M22 36 L12 52 L22 46 Z M42 36 L52 52 L42 46 Z" fill="{c2}" {o}/>'
                f'<circle cx="32" cy="24" r="6" fill="#bfe4ff" {o}/><path d="M26 48 L32 62 L38 48 Z" fill="#f08020"/>')
    if kind == "duck":
        return (f'<ellipse cx="30" cy="44" rx="22" ry="14" fill="#f0d020" {o}/><circle cx="40" cy="22" r="12" fill="#f0d020" {o}/>'
                f'<path d="M50 22 L62 26 L50 30 Z" fill="#f08020" {o}/><circle cx="43" cy="19" r="2" fill="#302010"/>'
                f'<path d="M18 42 Q28 50 38 42" fill="none" stroke="#c0a010" stroke-width="2"/>')
    if kind == "globe":
        return (f'<path d="M20 58 L44 58 M32 50 L32 58" stroke="#6d4c2e" stroke-width="4"/>'
                f'<circle cx="32" cy="28" r="20" fill="#5aa0e0" {o}/>'
                f'<path d="M20 18 Q28 14 30 22 Q26 30 18 30 Z M36 26 Q46 22 48 30 Q42 40 36 36 Z" fill="#4a9a4a"/>'
                f'<path d="M10 28 A22 22 0 0 0 54 28" fill="none" stroke="{c1}" stroke-width="3"/>')
    if kind == "top":
        return (f'<rect x="30" y="4" width="4" height="14" fill="#302010"/>'
                f'<path d="M8 24 Q32 12 56 24 L32 60 Z" fill="{c1}" {o}/><path d="M14 30 Q32 22 50 30" fill="none" stroke="{c2}" stroke-width="4"/>')
    if kind == "kettle":
        return (f'<path d="M14 36 L4 24" stroke="{c2}" stroke-width="5" stroke-linecap="round"/>'
                f'<path d="M12 58 L16 26 Q32 18 48 26 L52 58 Z" fill="{c1}" {o}/>'
                f'<path d="M20 22 Q32 4 44 22" fill="none" stroke="#302010" stroke-width="4"/><rect x="10" y="54" width="44" height="6" fill="{c2}" {o}/>')
    if kind == "teapot":
        return (f'<path d="M48 34 L60 22" stroke="{c1}" stroke-width="5"/>'
                f'<path d="M14 32 Q4 34 14 46" fill="none" stroke="{c2}" stroke-width="4"/>'
                f'<ellipse cx="32" cy="40" rx="20" ry="16" fill="{c1}" {o}/><ellipse cx="32" cy="24" rx="10" ry="4" fill="{c2}" {o}/>'
                f'<circle cx="32" cy="18" r="3" fill="{c2}" {o}/>')
    if kind == "cup":
        return (f'<path d="M44 28 Q58 30 44 44" fill="none" stroke="{c2}" stroke-width="5"/>'
                f'<path d="M12 22 L48 22 L44 50 L16 50 Z" fill="{c1}" {o}/><ellipse cx="30" cy="56" rx="24" ry="4" fill="{c2}" {o}/>'
                f'<path d="M24 16 Q20 10 24 4 M34 16 Q30 10 34 4" fill="none" stroke="#a0a0a0" stroke-width="2"/>')
    if kind == "leaf":
        return (f'<rect x="12" y="26" width="40" height="32" rx="3" fill="{c2}" {o}/>'
                f'<path d="M32 30 Q14 16 24 4 Q44 6 32 30 Z" fill="{c1}" {o}/><path d="M32 30 L26 8" stroke="#302010" stroke-width="1.5"/>'
                f'<rect x="18" y="38" width="28" height="10" {hi}/>')
    if kind == "lemon":
        return (f'<ellipse cx="32" cy="36" rx="24" ry="17" fill="#f0e040" {o}/>'
                f'<path d="M32 19 Q34 10 44 8 Q40 16 32 19" fill="#3a8a3a" {o}/><ellipse cx="24" cy="30" rx="6" ry="3" {hi}/>')
    if kind == "strainer":
        holes = "".join(f'<circle cx="{x}" cy="{y}" r="1.5" fill="#302010"/>' for x in (18, 26, 34) for y in (30, 38))
        return (f'<path d="M38 30 L60 22" stroke="{c2}" stroke-width="5" stroke-linecap="round"/>'
                f'<path d="M6 26 L42 26 Q42 50 24 50 Q6 50 6 26 Z" fill="#d0d0d0" {o}/>{holes}')
    if kind == "hat":
        return (f'<ellipse cx="32" cy="46" rx="28" ry="8" fill="{c1}" {o}/>'
                f'<path d="M16 46 L18 18 Q32 12 46 18 L48 46 Z" fill="{c1}" {o}/><rect x="17" y="36" width="30" height="6" fill="{c2}"/>')
    if kind == "scarf":
        return (f'<path d="M10 16 Q32 30 54 16 L54 26 Q32 40 10 26 Z" fill="{c1}" {o}/>'
                f'<path d="M38 30 L46 58 L36 58 L30 32 Z" fill="{c1}" {o}/>'
                f'<path d="M36 58 L36 62 M40 58 L40 62 M44 58 L44 62" stroke="{c2}" stroke-width="2"/>')
    if kind == "dress":
        return (f'<path d="M24 6 L28 6 L32 14 L36 6 L40 6 L42 24 L54 58 L10 58 L22 24 Z" fill="{c1}" {o}/>'
                f'<rect x="22" y="24" width="20" height="5" fill="{c2}"/>')
    if kind == "shirt":
        return (f'<path d="M22 8 L32 14 L42 8 L58 18 L52 28 L46 24 L46 58 L18 58 L18 24 L12 28 L6 18 Z" fill="{c1}" {o}/>'
                + "".join(f'<circle cx="32" cy="{y}" r="2" fill="{c2}"/>' for y in (24, 34, 44)))
    if kind == "shoe":
        return (f'<path d="M8 30 L24 30 Q34 42 54 42 Q60 44 58 52 L8 52 Z" fill="{c1}" {o}/>'
                f'<rect x="8" y="50" width="50" height="6" fill="{c2}" {o}/><path d="M26 34 L32 30 M30 38 L36 34" stroke="#ffffff" stroke-width="2"/>')
    if kind == "bag":
        return (f'<path d="M22 22 Q32 4 42 22" fill="none" stroke="{c2}" stroke-width="4"/>'
                f'<rect x="10" y="22" width="44" height="36" rx="6" fill="{c1}" {o}/><rect x="28" y="30" width="8" height="6" fill="{c2}" {o}/>')
    if kind == "belt":
        return (f'<path d="M4 36 Q32 20 60 36 L60 44 Q32 28 4 44 Z" fill="{c1}" {o}/>'
                f'<rect x="24" y="24" width="16" height="16" rx="2" fill="none" stroke="#d0a030" stroke-width="4"/>')
    if kind == "umbrella":
        return (f'<path d="M32 30 L32 52 Q32 58 26 56" fill="none" stroke="#302010" stroke-width="3"/>'
                f'<path d="M6 32 Q8 8 32 8 Q56 8 58 32 Q52 26 45 32 Q38 26 32 32 Q26 26 19 32 Q12 26 6 32 Z" fill="{c1}" {o}/>'
                f'<path d="M32 8 Q26 18 19 32 M32 8 Q38 18 45 32" fill="none" stroke="{c2}" stroke-width="2"/>')
    if kind == "glasses":
        return (f'<path d="M4 26 L60 26" stroke="#302010" stroke-width="3"/>'
                f'<rect x="8" y="26" width="20" height="16" rx="6" fill="{c1}" {o}/><rect x="36" y="26" width="20" height="16" rx="6" fill="{c1}" {o}/>'
                f'<path d="M28 30 Q32 26 36 30" fill="none" stroke="#302010" stroke-width="2"/>')
    if kind == "necklace":
        beads = "".join(f'<circle cx="{32 + 20 * math.cos(math.pi * (0.1 + 0.1 * i)):.1f}" cy="{14 + 28 * math.sin(math.pi * (0.1 + 0.1 * i)):.1f}" r="3" fill="{c2}" {o}/>'
                        for i in range(9))
        return f'{beads}<path d="M32 44 L40 52 L32 60 L24 52 Z" fill="{c1}" {o}/>'
    if kind == "ring":
        return (f'<circle cx="32" cy="40" r="16" fill="none" stroke="#d0a030" stroke-width="6"/>'
                f'<polygon points="24,20 40,20 44,14 32,6 20,14" fill="{c1}" {o}/>')
    return shape(kind, c1, c2)


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


def chain_card(colour, roofs):
    """The card of the last career step, the chain of shops: a row of little shop houses."""
    houses = "".join(f'<g transform="translate({8 + i * 38},24)">'
                     f'<rect x="3" y="18" width="30" height="40" fill="#fff7e6" stroke="#302010" stroke-width="2"/>'
                     f'<polygon points="0,20 18,2 36,20" fill="{roof}" stroke="#302010" stroke-width="2"/>'
                     f'<rect x="13" y="40" width="10" height="18" fill="{roof}"/>'
                     f'<rect x="7" y="25" width="22" height="9" fill="#bfe4ff" stroke="#302010" stroke-width="1"/></g>'
                     for i, roof in enumerate(roofs))
    return svg(128, 96, f'<rect x="2" y="2" width="124" height="92" rx="10" fill="{colour}" stroke="#302010" stroke-width="3"/>'
               f'<path d="M8 84 L120 84" stroke="#302010" stroke-width="3"/>{houses}')



# The level's own pictures: hearts, the order bubble, the station mat, the tools, the bonus, the
# timer bar, the results panel with its medals and the little labels of the shop floor.
TOOL_KINDS = {"Hint": ("#3a8ae0", "#bfe0ff"), "Ice": ("#40b8d0", "#e0fbff"), "Heart": ("#e0405a", "#ffd0d8")}
TOOL_TYPES = ["Hint_1", "Hint_2", "Ice_1", "Ice_2", "Heart_1", "Heart_2", "Heart_3"]
O = 'stroke="#302010" stroke-width="2"'


def heart_path(x, y, s):
    """A heart of width 2s with its top-left corner near (x, y)."""
    return (f'M{x + s:.1f} {y + 1.8 * s:.1f} L{x + 0.15 * s:.1f} {y + 0.8 * s:.1f} '
            f'Q{x - 0.2 * s:.1f} {y + 0.1 * s:.1f} {x + 0.5 * s:.1f} {y:.1f} '
            f'Q{x + 0.9 * s:.1f} {y:.1f} {x + s:.1f} {y + 0.45 * s:.1f} '
            f'Q{x + 1.1 * s:.1f} {y:.1f} {x + 1.5 * s:.1f} {y:.1f} '
            f'Q{x + 2.2 * s:.1f} {y + 0.1 * s:.1f} {x + 1.85 * s:.1f} {y + 0.8 * s:.1f} Z')


def tool_symbol(kind, colour, size):
    """The symbol of a tool kind drawn in a size x size box."""
    k = size / 56
    if kind == "Hint":  # a magnifying glass
        return (f'<g transform="scale({k:.3f})"><circle cx="24" cy="24" r="13" fill="#ffffff" opacity="0.85" {O}/>'
                f'<circle cx="24" cy="24" r="13" fill="none" stroke="{colour}" stroke-width="5"/>'
                f'<path d="M34 34 L46 46" stroke="#302010" stroke-width="7" stroke-linecap="round"/></g>')
    if kind == "Ice":  # a snowflake
        arms = "".join(f'<path d="M28 28 L{28 + 18 * math.cos(a * math.pi / 3):.1f} {28 + 18 * math.sin(a * math.pi / 3):.1f}" '
                       f'stroke="#ffffff" stroke-width="5" stroke-linecap="round"/>' for a in range(6))
        arms2 = "".join(f'<path d="M28 28 L{28 + 18 * math.cos(a * math.pi / 3):.1f} {28 + 18 * math.sin(a * math.pi / 3):.1f}" '
                        f'stroke="{colour}" stroke-width="2.5" stroke-linecap="round"/>' for a in range(6))
        return f'<g transform="scale({k:.3f})">{arms}{arms2}<circle cx="28" cy="28" r="4" fill="{colour}"/></g>'
    return f'<g transform="scale({k:.3f})"><path d="{heart_path(10, 12, 18)}" fill="#ffffff" {O}/><path d="{heart_path(15, 17, 13)}" fill="{colour}"/></g>'


def tool_badge(tool, size, disabled=False, card=False):
    kind, level = tool.split("_")
    colour, light = TOOL_KINDS[kind]
    if disabled:
        colour, light = "#8a8a8a", "#d8d8d8"
    r = size / 2 - 2
    body = []
    if card:
        body.append(f'<rect x="2" y="2" width="{size - 4}" height="{size - 4}" rx="12" fill="#fff7e6" stroke="#7a4a24" stroke-width="3"/>')
        r = size / 2 - 8
    body.append(f'<circle cx="{size / 2}" cy="{size / 2}" r="{r:.1f}" fill="{light}" stroke="{colour}" stroke-width="4"/>')
    inner = size * 0.72 if card else size * 0.8
    off = (size - inner) / 2
    body.append(f'<g transform="translate({off:.1f},{off - 2:.1f})">{tool_symbol(kind, colour, inner)}</g>')
    for i in range(int(level)):  # one star per level
        cx = size / 2 + (i - (int(level) - 1) / 2) * 12
        cy = size - (14 if card else 8)
        pts = " ".join(f'{cx + (5 if j % 2 == 0 else 2.2) * math.cos(-math.pi / 2 + j * math.pi / 5):.1f},'
                       f'{cy + (5 if j % 2 == 0 else 2.2) * math.sin(-math.pi / 2 + j * math.pi / 5):.1f}' for j in range(10))
        body.append(f'<polygon points="{pts}" fill="{"#b0b0b0" if disabled else "#f0c030"}" stroke="#302010" stroke-width="1"/>')
    return svg(size, size, "".join(body))


def level_art(put):
    put("img_GameClientHeart", "client_heart", svg(18, 16, f'<path d="{heart_path(1, 1, 8)}" fill="#e0405a" stroke="#802030" stroke-width="1.5"/>'))
    put("img_GameClientHeartIce", "client_heart_ice", svg(18, 16, f'<path d="{heart_path(1, 1, 8)}" fill="#a0e4ff" stroke="#3080a0" stroke-width="1.5"/>'))
    put("img_heart_gain", "heart_gain", svg(26, 24, f'<path d="{heart_path(1, 2, 12)}" fill="#e0405a" {O}/>'))
    put("img_heart_off", "heart_off", svg(26, 24,
        f'<path d="{heart_path(1, 2, 12)}" fill="#909090" {O}/><path d="M13 6 L10 12 L15 15 L11 22" fill="none" stroke="#fff7e6" stroke-width="2.5"/>'))
    put("img_order_frame", "order_frame", svg(124, 78,
        '<path d="M10 2 L114 2 Q122 2 122 10 L122 62 Q122 70 114 70 L18 70 L6 77 L10 70 Q2 70 2 62 L2 10 Q2 2 10 2 Z" '
        'fill="#fffdf4" stroke="#7a4a24" stroke-width="2.5"/>'))
    put("img_order_strike", "order_strike", svg(108, 4, '<rect width="108" height="4" rx="2" fill="#d03030"/>'))
    put("img_order_strike2", "order_strike2", svg(108, 24,
        '<rect y="5" width="108" height="3" rx="1.5" fill="#d03030"/><rect y="17" width="108" height="3" rx="1.5" fill="#d03030"/>'))
    put("img_order_icon", "order_icon", svg(40, 32,
        '<path d="M8 2 L32 2 Q38 2 38 8 L38 20 Q38 26 32 26 L14 26 L6 31 L8 26 Q2 26 2 20 L2 8 Q2 2 8 2 Z" fill="#fffdf4" stroke="#7a4a24" stroke-width="2"/>'
        '<circle cx="12" cy="14" r="2.5" fill="#7a4a24"/><circle cx="20" cy="14" r="2.5" fill="#7a4a24"/><circle cx="28" cy="14" r="2.5" fill="#7a4a24"/>'))
    put("img_money_bag", "money_bag", svg(48, 48,
        f'<path d="M18 10 L30 10 L26 16 L22 16 Z" fill="#c8a050" {O}/>'
        f'<path d="M22 16 L26 16 Q44 24 42 38 Q40 46 24 46 Q8 46 6 38 Q4 24 22 16 Z" fill="#d8b060" {O}/>'
        '<text x="24" y="39" font-size="18" font-weight="bold" text-anchor="middle" fill="#306020" font-family="sans-serif">$</text>'))
    put("img_station_contour", "station_contour", svg(190, 200,
        '<rect x="3" y="3" width="184" height="194" rx="18" fill="#ffffff" fill-opacity="0.10" stroke="#ffffff" stroke-opacity="0.45" '
        'stroke-width="3" stroke-dasharray="10 6"/>'))
    put("img_frame_froze", "frame_froze", svg(92, 150,
        '<rect x="3" y="3" width="86" height="144" rx="14" fill="#b0e8ff" fill-opacity="0.35" stroke="#60c0e8" stroke-width="4"/>'
        + "".join(f'<path d="M{x} {y - 7} L{x} {y + 7} M{x - 6} {y - 4} L{x + 6} {y + 4} M{x - 6} {y + 4} L{x + 6} {y - 4}" stroke="#ffffff" stroke-width="2"/>'
                  for x, y in ((14, 14), (78, 14), (14, 136), (78, 136)))))
    for tool in TOOL_TYPES:
        put(f"img_GameTool{tool}", f"tool_{tool.lower()}", tool_badge(tool, 56))
        put(f"img_GameDisabledTool{tool}", f"tool_{tool.lower()}_disabled", tool_badge(tool, 56, disabled=True))
        put(f"img_StartToolIcon{tool}", f"tool_{tool.lower()}_icon", tool_badge(tool, 80, card=True))
    put("img_tool_slot", "tool_slot", svg(64, 64, '<rect x="2" y="2" width="60" height="60" rx="10" fill="#5a3a1e" fill-opacity="0.55" stroke="#3a220e" stroke-width="3"/>'))
    put("img_tool_selected", "tool_selected", svg(64, 64, '<rect x="2" y="2" width="60" height="60" rx="10" fill="none" stroke="#ffe060" stroke-width="4"/>'))
    put("img_tool_locked", "tool_locked", svg(64, 64,
        '<rect x="2" y="2" width="60" height="60" rx="10" fill="#4a3a2a" stroke="#202020" stroke-width="3"/>'
        f'<path d="M24 30 L24 22 Q32 12 40 22 L40 30" fill="none" stroke="#c0c0c0" stroke-width="4"/><rect x="18" y="30" width="28" height="20" rx="3" fill="#d0a030" {O}/>'))
    put("img_tool_tick", "tool_tick", svg(28, 28, f'<circle cx="14" cy="14" r="12" fill="#40b050" {O}/><path d="M8 14 L13 19 L21 9" fill="none" stroke="#ffffff" stroke-width="3"/>'))
    rays = "".join(f'<path d="M42 42 L{42 + 40 * math.cos(a * math.pi / 6):.1f} {42 + 40 * math.sin(a * math.pi / 6):.1f}" stroke="#ffe070" stroke-width="6" stroke-linecap="round"/>'
                   for a in range(12))
    put("img_bonus_glow", "bonus_glow", svg(84, 84, f'{rays}<circle cx="42" cy="42" r="30" fill="#fff0a0"/>'))
    put("img_combo_label", "combo_label", svg(140, 34,
        '<path d="M0 4 L12 17 L0 30 L128 30 L140 17 L128 4 Z" fill="#e05a20" stroke="#802a00" stroke-width="2"/>'))
    put("img_cross", "cross", svg(34, 30, '<path d="M6 5 L28 25 M28 5 L6 25" stroke="#ffffff" stroke-width="9" stroke-linecap="round"/>'
                                          '<path d="M6 5 L28 25 M28 5 L6 25" stroke="#d02020" stroke-width="5" stroke-linecap="round"/>'))
    put("img_flying_money", "flying_money", svg(30, 18, '<rect x="1" y="1" width="28" height="16" rx="2" fill="#80c060" stroke="#306020" stroke-width="1.5"/>'
                                                    '<circle cx="15" cy="9" r="5" fill="#a0e080" stroke="#306020" stroke-width="1"/>'))
    put("img_flying_star", "flying_star", svg(22, 22, '<polygon points="11,1 14,8 21,8 15.5,12.5 17.5,20 11,15.5 4.5,20 6.5,12.5 1,8 8,8" fill="#ffe060" stroke="#a07010" stroke-width="1"/>'))
    # A special client wears a star; the others an empty picture (the client names it by "vip").
    put("img_vip_yes", "vip_yes", svg(22, 22, '<polygon points="11,1 14,8 21,8 15.5,12.5 17.5,20 11,15.5 4.5,20 6.5,12.5 1,8 8,8" fill="#ffd040" stroke="#a07010" stroke-width="1.5"/>'))
    put("img_vip_no", "vip_no", svg(2, 2, ''))
    put("img_timer_frame", "timer_frame", svg(212, 24, '<rect x="1" y="1" width="210" height="22" rx="11" fill="#3a2a1a" stroke="#fff7e6" stroke-width="2"/>'))
    put("img_timer_fill", "timer_fill", svg(202, 14,
        '<defs><linearGradient id="g" x1="0" x2="1"><stop offset="0" stop-color="#e0a020"/><stop offset="1" stop-color="#50c040"/></linearGradient></defs>'
        '<rect width="202" height="14" rx="7" fill="url(#g)"/><rect x="4" y="2" width="194" height="4" rx="2" fill="#ffffff" opacity="0.35"/>'))
    put("img_timer_blink", "timer_blink", svg(202, 14, '<rect width="202" height="14" rx="7" fill="#e03030"/>'))
    put("img_hud_panel", "hud_panel", svg(246, 252,
        '<rect x="2" y="2" width="242" height="248" rx="16" fill="#6d4c2e" fill-opacity="0.92" stroke="#3a220e" stroke-width="4"/>'
        '<rect x="10" y="10" width="226" height="232" rx="10" fill="none" stroke="#c89a60" stroke-width="2"/>'))
    put("img_counter_box", "counter_box", svg(104, 34, '<rect x="1" y="1" width="102" height="32" rx="8" fill="#fff7e6" stroke="#3a220e" stroke-width="2"/>'))
    put("img_icon_money", "icon_money", svg(24, 24, '<circle cx="12" cy="12" r="10" fill="#f0c030" stroke="#906010" stroke-width="2"/>'
                                                '<text x="12" y="17" font-size="13" font-weight="bold" text-anchor="middle" fill="#906010" font-family="sans-serif">$</text>'))
    put("img_icon_clients", "icon_clients", svg(24, 24, f'<circle cx="12" cy="8" r="5" fill="#3070c0" {O}/><path d="M3 23 Q3 13 12 13 Q21 13 21 23 Z" fill="#3070c0" {O}/>'))
    put("img_stat_panel", "stat_panel", svg(520, 440,
        '<rect x="3" y="3" width="514" height="434" rx="24" fill="#fff4dc" stroke="#7a4a24" stroke-width="6"/>'
        '<rect x="20" y="70" width="480" height="4" fill="#c89a60"/><rect x="20" y="292" width="480" height="4" fill="#c89a60"/>'))
    medal = ('<path d="M18 2 L26 24 L34 2 Z" fill="{r}"/><path d="M30 2 L34 24 L42 2 Z" fill="{r}" opacity="0.7"/>'
             '<circle cx="28" cy="36" r="17" fill="#f0c030" stroke="#906010" stroke-width="3"/>{sym}')
    put("img_medal_time", "medal_time", svg(56, 56, medal.format(r="#3a8ae0",
        sym='<circle cx="28" cy="36" r="10" fill="#fff7e6" stroke="#906010" stroke-width="2"/><path d="M28 29 L28 36 L33 39" fill="none" stroke="#302010" stroke-width="2"/>')))
    put("img_medal_service", "medal_service", svg(56, 56, medal.format(r="#e0405a",
        sym=f'<path d="{heart_path(18, 28, 10)}" fill="#e0405a" stroke="#906010" stroke-width="1.5"/>')))


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
                svg(64, 64, item_art(family(item), accents[i % 4], accents[(i + 1) % 4])))
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
            if (track, step) == ("careers", 6):
                # The end of the game has a picture of its own: the owner's shops in a row.
                roofs = [SHOPS[shop][3][0] for shop in ("garden", "tea", "fashion")]
                put(f"img_action_{track}_{step}", f"action_{track}_{step}", chain_card(colour, roofs))
                put(f"img_result_{track}_{step}", f"result_{track}_{step}", chain_card("#fff0c0", roofs))
                continue
            put(f"img_action_{track}_{step}", f"action_{track}_{step}", card(colour, SHAPES[step * 2 % 12], "#302010"))
            put(f"img_result_{track}_{step}", f"result_{track}_{step}", card("#fff0c0", SHAPES[step * 2 % 12], colour))
    for i, room in enumerate(["flowers", "photo_album", "bicycle", "laptop", "holiday", "suit", "trophy_3_shops", "trophy_6_shops"]):
        put(f"img_room_{room}", f"room_{room}", svg(64, 64, shape(SHAPES[(i * 5) % 12], "#c09060", "#f0e0a0")))
    for i in range(1, 10):  # the Square minigame's digit tiles
        put(f"img_Square{i}", f"square_{i}", svg(80, 80, f'<rect x="2" y="2" width="76" height="76" rx="8" fill="#f0d8a0" stroke="#805020" stroke-width="3"/><text x="40" y="54" font-size="40" text-anchor="middle" fill="#603010" font-family="sans-serif">{i}</text>'))
    for kind in ("line", "turn"):
        path = "M0 40 L80 40" if kind == "line" else "M0 40 Q40 40 40 80"
        put(f"img_path_{kind}", f"path_{kind}", svg(80, 80, f'<rect width="80" height="80" fill="#d0c0a0" stroke="#806040"/><path d="{path}" fill="none" stroke="#3070c0" stroke-width="16"/>'))
    level_art(put)

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
