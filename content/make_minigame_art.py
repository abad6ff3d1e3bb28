#!/usr/bin/env python3
"""Writes the minigames' art as SVG (content/images/minigame/) and its resource definition file
(content/ini/res_minigame.xml): the Find Pairs cards (a family per round: "img_pairs_a1".. for the
first round, "img_pairs_b1".. for the second), the selection ring, the minigame frame (table,
panel, buttons), the helper who explains and congratulates, and the pieces of the in-level
challenge (seed packets, its panel, the hearts and the smile of its result). Run it again after
changing a table below; the build rasterizes every SVG of the folder."""
import math
import os

HERE = os.path.dirname(os.path.abspath(__file__))
OUT = os.path.join(HERE, "images", "minigame")
INK = 'stroke="#302010" stroke-width="2"'


def svg(w, h, body):
    return (f'<svg xmlns="http://www.w3.org/2000/svg" width="{w}" height="{h}" '
            f'viewBox="0 0 {w} {h}">\n{body}\n</svg>\n')


def write_art(pictures, folder, resource_file, comment):
    """Writes each picture (resource name -> (file stem, svg text)) to images/FOLDER and the resource
    definition file ini/RESOURCE_FILE naming their PNGs, with COMMENT at its top."""
    out = os.path.join(HERE, "images", folder)
    os.makedirs(out, exist_ok=True)
    for stem, text in pictures.values():
        with open(os.path.join(out, stem + ".svg"), "w") as f:
            f.write(text)
    with open(os.path.join(HERE, "ini", resource_file), "w") as f:
        f.write(f'<?xml version="1.0" encoding="UTF-8"?>\n<!-- {comment} -->\n<resources>\n  <content>\n')
        for name, (stem, _) in pictures.items():
            f.write(f'    <resource type="ImageResource" name="{name}" file="data\\images\\{folder}\\{stem}.png" format="png"/>\n')
        f.write('  </content>\n</resources>\n')


def symbol(kind, colour):
    """A symbol centred in a 64 x 64 card."""
    if kind == "sun":
        rays = "".join(f'<line x1="32" y1="32" x2="{32 + 20 * math.cos(a * math.pi / 4):.1f}" y2="{32 + 20 * math.sin(a * math.pi / 4):.1f}" stroke="{colour}" stroke-width="4"/>' for a in range(8))
        return rays + f'<circle cx="32" cy="32" r="11" fill="{colour}" {INK}/>'
    if kind == "leaf":
        return f'<path d="M16 48 Q16 16 48 16 Q48 48 16 48 Z" fill="{colour}" {INK}/><path d="M18 46 L44 20" stroke="#302010" stroke-width="2"/>'
    if kind == "drop":
        return f'<path d="M32 12 Q48 34 44 42 A12 12 0 0 1 20 42 Q16 34 32 12 Z" fill="{colour}" {INK}/>'
    if kind == "star":
        pts = " ".join(f"{32 + (18 if i % 2 == 0 else 8) * math.sin(i * math.pi / 5):.1f},{33 - (18 if i % 2 == 0 else 8) * math.cos(i * math.pi / 5):.1f}" for i in range(10))
        return f'<polygon points="{pts}" fill="{colour}" {INK}/>'
    if kind == "moon":
        return f'<path d="M40 14 A18 18 0 1 0 40 50 A14 14 0 1 1 40 14 Z" fill="{colour}" {INK}/>'
    if kind == "heart":
        return f'<path d="M32 48 L16 32 A8 8 0 0 1 32 20 A8 8 0 0 1 48 32 Z" fill="{colour}" {INK}/>'
    if kind == "bell":
        return f'<path d="M20 44 Q20 18 32 16 Q44 18 44 44 Z" fill="{colour}" {INK}/><circle cx="32" cy="47" r="4" fill="#302010"/>'
    if kind == "fish":
        return f'<ellipse cx="30" cy="32" rx="14" ry="9" fill="{colour}" {INK}/><path d="M44 32 L54 24 L54 40 Z" fill="{colour}" {INK}/><circle cx="24" cy="30" r="2" fill="#302010"/>'
    raise ValueError(kind)


def card(back, kind, colour):
    return svg(64, 64, f'<rect x="2" y="2" width="60" height="60" rx="9" fill="{back}" stroke="#7a5030" stroke-width="3"/>'
                       f'<rect x="7" y="7" width="50" height="50" rx="6" fill="none" stroke="#ffffff" stroke-width="1.5" opacity="0.7"/>'
                       + symbol(kind, colour))


# Round 1: three pictures on cream cards; round 2: five on pale blue cards.
ROUND_A = [("sun", "#f0b020"), ("leaf", "#40a050"), ("drop", "#3080e0")]
ROUND_B = [("star", "#e0c020"), ("moon", "#8060c0"), ("heart", "#e04060"), ("bell", "#e08020"), ("fish", "#20a0a0")]
# The challenge's seed packets: (item id, packet colour, what is drawn on it).
SEEDS = [("carrot", "#f4d8a8", '<path d="M28 30 L36 30 L32 58 Z" fill="#f07020" stroke="#302010" stroke-width="1.5"/><path d="M32 30 L26 20 M32 30 L32 18 M32 30 L38 20" stroke="#30a040" stroke-width="3"/>'),
         ("tomato", "#f8e0d0", '<circle cx="32" cy="42" r="12" fill="#e03020" stroke="#302010" stroke-width="1.5"/><path d="M26 31 L32 34 L38 31" stroke="#30a040" stroke-width="3" fill="none"/>'),
         ("pea", "#e0f0d0", '<ellipse cx="32" cy="42" rx="16" ry="8" fill="#60b040" stroke="#302010" stroke-width="1.5"/><circle cx="24" cy="42" r="4" fill="#a0e070"/><circle cx="32" cy="42" r="4" fill="#a0e070"/><circle cx="40" cy="42" r="4" fill="#a0e070"/>'),
         ("sunflower", "#fff0c0", "".join(f'<circle cx="{32 + 10 * math.cos(a * math.pi / 4):.1f}" cy="{42 + 10 * math.sin(a * math.pi / 4):.1f}" r="5" fill="#f0c020"/>' for a in range(8)) + '<circle cx="32" cy="42" r="6" fill="#704020"/>')]


def packet(colour, picture):
    return svg(64, 80, f'<path d="M6 10 L58 10 L58 76 L6 76 Z" fill="{colour}" {INK}/>'
                       '<path d="M6 10 L10 4 L14 10 L18 4 L22 10 L26 4 L30 10 L34 4 L38 10 L42 4 L46 10 L50 4 L54 10 L58 4 L58 10 Z" fill="#c0a080" stroke="#302010" stroke-width="1"/>'
                       '<rect x="12" y="16" width="40" height="8" rx="2" fill="#ffffff" opacity="0.8"/>' + picture)


def helper():
    """The helper: a shopkeeper in an apron, waving."""
    return svg(120, 180, '<ellipse cx="60" cy="174" rx="40" ry="5" fill="#000000" opacity="0.2"/>'
                         '<rect x="40" y="130" width="14" height="42" rx="4" fill="#503020"/><rect x="66" y="130" width="14" height="42" rx="4" fill="#503020"/>'
                         '<path d="M30 70 Q60 56 90 70 L96 136 L24 136 Z" fill="#5a8ad0" ' + INK + '/>'
                         '<path d="M42 80 L78 80 L82 138 L38 138 Z" fill="#f8f0e0" ' + INK + '/><rect x="50" y="100" width="20" height="14" rx="2" fill="none" stroke="#c08040" stroke-width="2"/>'
                         '<path d="M90 74 L108 40" stroke="#f2c8a0" stroke-width="10" stroke-linecap="round"/><circle cx="108" cy="38" r="7" fill="#f2c8a0" ' + INK + '/>'
                         '<path d="M30 74 L20 118" stroke="#f2c8a0" stroke-width="10" stroke-linecap="round"/>'
                         '<circle cx="60" cy="44" r="22" fill="#f2c8a0" ' + INK + '/>'
                         '<path d="M38 40 Q40 18 60 18 Q80 18 82 40 Q72 28 60 30 Q48 28 38 40 Z" fill="#c0c0c8" ' + INK + '/>'
                         '<circle cx="52" cy="44" r="3" fill="#302010"/><circle cx="68" cy="44" r="3" fill="#302010"/>'
                         '<path d="M50 54 Q60 62 70 54" stroke="#302010" stroke-width="2.5" fill="none"/>'
                         '<circle cx="46" cy="52" r="4" fill="#f08080" opacity="0.6"/><circle cx="74" cy="52" r="4" fill="#f08080" opacity="0.6"/>')


def button(fill, edge):
    return svg(140, 44, f'<rect x="2" y="2" width="136" height="40" rx="20" fill="{fill}" stroke="{edge}" stroke-width="3"/>'
                        '<rect x="14" y="7" width="112" height="10" rx="5" fill="#ffffff" opacity="0.35"/>')


# The bonus menu's buttons: the menu's own buttons drawn wider, so that the longest minigame name
# fits on one.
BONUS_BUTTON_W = 280


def wide_button(look, w):
    with open(os.path.join(HERE, "images", f"button_{look}.svg")) as f:
        text = f.read()
    return (text.replace('width="180"', f'width="{w}"').replace('viewBox="0 0 180 46"', f'viewBox="0 0 {w} 46"')
            .replace('width="174"', f'width="{w - 6}"').replace('width="150"', f'width="{w - 30}"'))


def main():
    os.makedirs(OUT, exist_ok=True)
    images = {}

    def put(name, stem, text):
        with open(os.path.join(OUT, stem + ".svg"), "w") as f:
            f.write(text)
        images[name] = stem

    for i, (kind, colour) in enumerate(ROUND_A, 1):
        put(f"img_pairs_a{i}", f"pairs_a{i}", card("#fff4dc", kind, colour))
    for i, (kind, colour) in enumerate(ROUND_B, 1):
        put(f"img_pairs_b{i}", f"pairs_b{i}", card("#e4f0fc", kind, colour))
    put("img_pairs_selected", "pairs_selected", svg(76, 76, '<rect x="3" y="3" width="70" height="70" rx="12" fill="none" stroke="#ffd030" stroke-width="5"/>'))
    put("img_mg_table", "mg_table", svg(800, 600, '<rect width="800" height="600" fill="#7a9a5a"/>'
        + "".join(f'<rect x="{x}" y="{y}" width="50" height="50" fill="#6a8a4c"/>' for x in range(0, 800, 100) for y in range(0, 600, 100))
        + "".join(f'<rect x="{x}" y="{y}" width="50" height="50" fill="#6a8a4c"/>' for x in range(50, 800, 100) for y in range(50, 600, 100))
        + '<rect x="40" y="90" width="720" height="470" rx="18" fill="#f2e6c8" stroke="#7a5030" stroke-width="6"/>'))
    put("img_mg_panel", "mg_panel", svg(800, 60, '<rect width="800" height="60" fill="#7a4a24"/><rect y="52" width="800" height="8" fill="#5a3414"/>'
        # No studs behind the title (x 200 to 600): a long title would run into them.
        + "".join(f'<circle cx="{x}" cy="26" r="4" fill="#c09060"/>' for x in range(20, 800, 40) if not 200 <= x <= 600)))
    put("img_mg_button", "mg_button", button("#f0a040", "#8a4a14"))
    put("img_mg_button_hover", "mg_button_hover", button("#ffc060", "#8a4a14"))
    put("img_mg_button_disabled", "mg_button_disabled", button("#c0b0a0", "#807060"))
    put("img_mg_helper", "mg_helper", helper())
    for item, colour, picture in SEEDS:
        put(f"img_seed_{item}", f"seed_{item}", packet(colour, picture))
    put("img_mg_challenge_panel", "mg_challenge_panel", svg(420, 320, '<rect x="3" y="3" width="414" height="314" rx="16" fill="#fff6e0" stroke="#7a5030" stroke-width="5"/>'
        '<rect x="14" y="14" width="120" height="292" rx="10" fill="#f0dcb0"/><rect x="150" y="150" width="256" height="150" rx="10" fill="#e8d4a8"/>'))
    put("img_mg_heart", "mg_heart", svg(28, 26, '<path d="M14 24 L3 12 A6 6 0 0 1 14 4 A6 6 0 0 1 25 12 Z" fill="#e83050" stroke="#801020" stroke-width="1.5"/>'))
    put("img_mg_smile", "mg_smile", svg(64, 64, '<circle cx="32" cy="32" r="28" fill="#ffd040" stroke="#806010" stroke-width="3"/>'
        '<circle cx="22" cy="26" r="4" fill="#302010"/><circle cx="42" cy="26" r="4" fill="#302010"/><path d="M18 38 Q32 52 46 38" stroke="#302010" stroke-width="3.5" fill="none"/>'))
    for look in ("normal", "hover", "disabled"):
        put(f"img_bonus_button_{look}", f"bonus_button_{look}", wide_button(look, BONUS_BUTTON_W))
    put("img_mg_arrow", "mg_arrow", svg(48, 48, '<path d="M24 4 L44 28 L32 28 L32 44 L16 44 L16 28 L4 28 Z" fill="#ffd030" stroke="#805010" stroke-width="3"/>'))

    lines = ['<?xml version="1.0" encoding="UTF-8"?>',
             "<!-- The minigames' pictures, written by content/make_minigame_art.py. -->",
             "<resources>", "  <content>"]
    for name, stem in images.items():
        lines.append(f'    <resource type="ImageResource" name="{name}" file="data\\images\\minigame\\{stem}.png" format="png"/>')
    lines += ["  </content>", "</resources>", ""]
    with open(os.path.join(HERE, "ini", "res_minigame.xml"), "w") as f:
        f.write("\n".join(lines))


if __name__ == "__main__":
    main()
