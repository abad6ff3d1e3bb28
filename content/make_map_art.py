#!/usr/bin/env python3
"""Writes the pictures of the town map and the story screens (content/images/shop/mapart_*.svg) and
their resource file ini/res_map.xml: a street backdrop per shop, the calendar days and their looks,
a shop icon per shop with its state looks, speech bubbles, the three big medals and the story's
picture cards. Run it again after changing a table below."""
import os

HERE = os.path.dirname(os.path.abspath(__file__))
IMG = os.path.join(HERE, "images", "shop")

# Shop: (wall, roof, awning, sign).
SHOPS = {
    "garden": ("#f4e8c8", "#4f8a3a", "#7cc060", "#2f6a2a"),
    "bakery": ("#f8e0c0", "#b06a30", "#f0b070", "#804010"),
    "books": ("#e8e0d0", "#5a4a8a", "#9080d0", "#3a2a6a"),
    "toys": ("#fff0f0", "#d04050", "#f0a0b0", "#a02030"),
    "tea": ("#eef4e0", "#3a7a70", "#90d0c0", "#205a50"),
    "fashion": ("#f8f0f8", "#9a3a8a", "#e0a0e0", "#6a2060"),
}

RES = []

def svg(name, w, h, body, size=None):
    # `size` (width, height) draws the picture smaller than its drawing's own units.
    out_w, out_h = size or (w, h)
    with open(os.path.join(IMG, f"mapart_{name}.svg"), "w") as f:
        f.write(f'<svg xmlns="http://www.w3.org/2000/svg" width="{out_w}" height="{out_h}" viewBox="0 0 {w} {h}">\n{body}\n</svg>\n')
    RES.append(name)

def house(x, y, w, h, wall, roof, awning, sign):
    # Drawn for the street's 200 x 140; a smaller house (a story card, a certificate) keeps the
    # same proportions, so its door and windows stay inside its walls.
    sx, sy = w / 200, h / 140
    return (f'<rect x="{x}" y="{y}" width="{w}" height="{h}" fill="{wall}" stroke="#604830" stroke-width="3"/>'
            f'<path d="M{x - 14 * sx:g} {y} L{x + w / 2:g} {y - h * 0.45:g} L{x + w + 14 * sx:g} {y} Z" fill="{roof}" stroke="#403020" stroke-width="3"/>'
            f'<rect x="{x + 10 * sx:g}" y="{y + 12 * sy:g}" width="{w - 20 * sx:g}" height="{26 * sy:g}" rx="4" fill="{sign}"/>'
            + "".join(f'<path d="M{x + i * w / 6:g} {y + 46 * sy:g} h{w / 6:g} l{-6 * sx:g} {18 * sy:g} h{-w / 6 + 12 * sx:g} Z" fill="{awning if i % 2 == 0 else "#ffffff"}"/>' for i in range(6))
            + f'<rect x="{x + w / 2 - 22 * sx:g}" y="{y + h - 70 * sy:g}" width="{44 * sx:g}" height="{70 * sy:g}" fill="#7a5030"/>'
            f'<rect x="{x + 16 * sx:g}" y="{y + h - 66 * sy:g}" width="{50 * sx:g}" height="{44 * sy:g}" fill="#bfe4f8" stroke="#604830" stroke-width="2"/>'
            f'<rect x="{x + w / 2 + 34 * sx:g}" y="{y + h - 66 * sy:g}" width="{50 * sx:g}" height="{44 * sy:g}" fill="#bfe4f8" stroke="#604830" stroke-width="2"/>')

def tree(x, y, s, leaf):
    return (f'<rect x="{x - 5 * s}" y="{y}" width="{10 * s}" height="{40 * s}" fill="#7a5030"/>'
            f'<circle cx="{x}" cy="{y - 6 * s}" r="{26 * s}" fill="{leaf}"/><circle cx="{x - 16 * s}" cy="{y + 6 * s}" r="{16 * s}" fill="{leaf}"/>')

# The street in front of each shop: the map backdrop (800 x 330, over the sky).
for shop, (wall, roof, awning, sign) in SHOPS.items():
    body = ('<rect x="0" y="250" width="800" height="80" fill="#b8a890"/><rect x="0" y="244" width="800" height="8" fill="#8a7a66"/>'
            + tree(90, 190, 1.3, "#5a9a48") + tree(720, 196, 1.1, "#6aaa50")
            + '<rect x="150" y="150" width="90" height="100" fill="#d8c8b0" stroke="#806850" stroke-width="2"/><path d="M140 150 L195 110 L250 150 Z" fill="#a08060"/>'
            + '<rect x="560" y="160" width="100" height="90" fill="#e0d0c0" stroke="#806850" stroke-width="2"/><path d="M550 160 L610 120 L670 160 Z" fill="#907060"/>'
            + house(300, 110, 200, 140, wall, roof, awning, sign)
            + f'<circle cx="400" cy="60" r="8" fill="{awning}"/>')
    svg(f"street_{shop}", 800, 330, body)

# A calendar day, 80 x 80: the page, a lock, the ring of the day to play, a tick.
PAGE = '<rect x="4" y="8" width="72" height="68" rx="8" fill="{fill}" stroke="{line}" stroke-width="3"/><rect x="4" y="8" width="72" height="16" rx="6" fill="{top}"/>'
svg("day_locked", 80, 80, PAGE.format(fill="#d0d0d0", line="#808080", top="#a0a0a0")
    + '<rect x="28" y="44" width="24" height="20" rx="3" fill="#707070"/><path d="M32 44 v-8 a8 8 0 0 1 16 0 v8" fill="none" stroke="#707070" stroke-width="4"/>')
svg("day_current", 80, 80, PAGE.format(fill="#fff8d8", line="#e0a020", top="#f0c040")
    + '<circle cx="40" cy="50" r="18" fill="none" stroke="#e04020" stroke-width="4"/><path d="M34 40 L50 50 L34 60 Z" fill="#e04020"/>')
svg("day_completed", 80, 80, PAGE.format(fill="#e8f4e0", line="#509040", top="#70b050"))
svg("day_available", 80, 80, '<path d="M22 48 L36 62 L60 34" fill="none" stroke="#308020" stroke-width="7" stroke-linecap="round" stroke-linejoin="round"/>')
svg("day_highlight", 80, 80, '<rect x="1" y="5" width="78" height="74" rx="10" fill="none" stroke="#ffffff" stroke-width="4" opacity="0.9"/>')
svg("award_small_time", 24, 24, '<circle cx="12" cy="12" r="10" fill="#f0c030" stroke="#906010" stroke-width="2"/><path d="M12 6 v6 l4 3" fill="none" stroke="#302010" stroke-width="2"/>')
svg("award_small_service", 24, 24, '<circle cx="12" cy="12" r="10" fill="#e05070" stroke="#902040" stroke-width="2"/><path d="M12 18 l-6 -6 a3.5 3.5 0 0 1 6 -4 a3.5 3.5 0 0 1 6 4 Z" fill="#ffffff"/>')
svg("calendar_panel", 760, 120, '<rect x="2" y="2" width="756" height="116" rx="14" fill="#fff4e0" stroke="#a08060" stroke-width="4" opacity="0.92"/>')

# A shop icon, 64 x 64, per shop; the locked veil, the completed star and the highlight ring.
for shop, (wall, roof, awning, sign) in SHOPS.items():
    svg(f"icon_{shop}", 64, 64, f'<circle cx="32" cy="32" r="29" fill="{awning}" stroke="{sign}" stroke-width="3"/>'
        f'<rect x="18" y="30" width="28" height="20" fill="{wall}" stroke="#604830" stroke-width="2"/><path d="M14 30 L32 16 L50 30 Z" fill="{roof}"/>')
svg("icon_locked", 64, 64, '<circle cx="32" cy="32" r="30" fill="#404040" opacity="0.6"/><rect x="22" y="32" width="20" height="16" rx="2" fill="#e0e0e0"/><path d="M26 32 v-6 a6 6 0 0 1 12 0 v6" fill="none" stroke="#e0e0e0" stroke-width="3"/>')
svg("icon_completed", 64, 64, '<path d="M50 4 l4 9 10 1 -8 6 3 10 -9 -6 -9 6 3 -10 -8 -6 10 -1 Z" fill="#f0c030" stroke="#906010" stroke-width="1.5"/>')
svg("icon_current", 64, 64, '<circle cx="32" cy="32" r="31" fill="none" stroke="#e04020" stroke-width="3"/>')
svg("icon_highlight", 64, 64, '<circle cx="32" cy="32" r="30" fill="#ffffff" opacity="0.35"/>')
svg("icon_panel", 460, 80, '<rect x="2" y="2" width="456" height="76" rx="38" fill="#fff4e0" stroke="#a08060" stroke-width="4" opacity="0.9"/>')

# Speech bubbles, 380 x 170: the tail points to the left or right speaker.
for side, tail in (("left", "M60 150 L40 168 L100 150"), ("right", "M320 150 L340 168 L280 150")):
    svg(f"bubble_{side}", 380, 170, f'<path d="{tail}" fill="#ffffff" stroke="#605040" stroke-width="3"/>'
        '<rect x="2" y="2" width="376" height="150" rx="24" fill="#ffffff" stroke="#605040" stroke-width="3"/>'
        '<rect x="40" y="148" width="300" height="6" fill="#ffffff"/>')

# The three big medals of the award screen (the time and service medals exist already).
def medal(ribbon, face, mark):
    return (f'<path d="M30 2 L44 40 L58 2 Z" fill="{ribbon}"/><path d="M50 2 L58 40 L70 2 Z" fill="{ribbon}" opacity="0.7"/>'
            f'<circle cx="50" cy="62" r="32" fill="{face}" stroke="#705010" stroke-width="4"/><circle cx="50" cy="62" r="22" fill="#fff7e6" stroke="#705010" stroke-width="2"/>{mark}')
svg("medal_clients", 100, 100, size=(80, 80), body=medal("#40a050", "#f0c030", '<circle cx="44" cy="56" r="6" fill="#406080"/><circle cx="56" cy="56" r="6" fill="#a04060"/><path d="M34 76 a10 10 0 0 1 20 0 M46 76 a10 10 0 0 1 20 0" fill="#406080"/>'))
svg("medal_3_shops", 100, 100, size=(80, 80), body=medal("#3060c0", "#c0c8d0", '<text x="50" y="72" font-family="DejaVu Sans" font-weight="bold" font-size="28" text-anchor="middle" fill="#303030">3</text>'))
svg("medal_6_shops", 100, 100, size=(80, 80), body=medal("#c03040", "#f0c030", '<text x="50" y="72" font-family="DejaVu Sans" font-weight="bold" font-size="28" text-anchor="middle" fill="#303030">6</text>'))

# The certificate of a finished shop, 260 x 170, in the shop's colours.
for shop, (wall, roof, awning, sign) in SHOPS.items():
    svg(f"certificate_{shop}", 260, 170, f'<rect x="3" y="3" width="254" height="164" rx="8" fill="#fffaf0" stroke="{roof}" stroke-width="6"/>'
        f'<rect x="14" y="14" width="232" height="142" rx="4" fill="none" stroke="{awning}" stroke-width="2" stroke-dasharray="6 4"/>'
        + house(95, 70, 70, 60, wall, roof, awning, sign).replace('stroke-width="3"', 'stroke-width="2"')
        + f'<circle cx="215" cy="130" r="18" fill="#f0c030" stroke="#906010" stroke-width="3"/><path d="M205 146 l-6 18 10 -6 6 8 M225 146 l6 18 -10 -6 -6 8" fill="{roof}"/>')

# The story's picture cards, 360 x 260 each, and the frame around them.
svg("story_1", 360, 260, '<rect width="360" height="260" fill="#a8d8f8"/><rect y="190" width="360" height="70" fill="#80b060"/>'
    + house(120, 110, 120, 80, "#f4e8c8", "#4f8a3a", "#7cc060", "#2f6a2a") + '<circle cx="300" cy="50" r="26" fill="#f8d048"/>')
svg("story_2", 360, 260, '<rect width="360" height="260" fill="#f0e0c8"/><rect y="200" width="360" height="60" fill="#b08050"/>'
    + '<rect x="40" y="60" width="280" height="20" fill="#906040"/><rect x="40" y="120" width="280" height="20" fill="#906040"/>'
    + "".join(f'<circle cx="{70 + i * 44}" cy="48" r="12" fill="{c}"/>' for i, c in enumerate(["#e04060", "#f0a030", "#6060e0", "#40a050", "#e0e040", "#a040c0"])))
svg("story_3", 360, 260, '<rect width="360" height="260" fill="#ffd890"/><rect y="200" width="360" height="60" fill="#c0a070"/>'
    + '<circle cx="180" cy="110" r="50" fill="#f0c030" stroke="#906010" stroke-width="5"/><text x="180" y="126" font-family="DejaVu Sans" font-weight="bold" font-size="44" text-anchor="middle" fill="#604010">$</text>')
svg("story_frame", 380, 280, '<rect x="4" y="4" width="372" height="272" rx="10" fill="none" stroke="#705030" stroke-width="8"/>')

with open(os.path.join(HERE, "ini", "res_map.xml"), "w") as f:
    f.write('<?xml version="1.0" encoding="UTF-8"?>\n<!-- The town map\'s and the story screens\' pictures, written by content/make_map_art.py. -->\n<resources>\n  <content>\n')
    for name in RES:
        f.write(f'    <resource type="ImageResource" name="img_mapart_{name}" file="data\\images\\shop\\mapart_{name}.png" format="png"/>\n')
    f.write("  </content>\n</resources>\n")
