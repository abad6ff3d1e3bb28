#!/usr/bin/env python3
"""Writes the pictures of the owner's life between levels (content/images/actions/*.svg) and their
resource file content/ini/res_actions.xml: the actions overview and the room backgrounds, the item
icons of the action screen, the track badges, the bar, the popup panel and the room's "not yet"
placeholder. The resource file also names the two sounds of the action screens (generated with sox
in content/CMakeLists.txt). The action cards and room items themselves come from make_shop_art.py.
Run it again after changing a picture below."""
import os

HERE = os.path.dirname(os.path.abspath(__file__))
OUT = os.path.join(HERE, "images", "actions")

TRACKS = {"personal": "#f0a0b0", "education": "#a0c0f0", "fitness": "#a0e0a0", "careers": "#f0d080"}

# Each money item: its track (the tile's colour) and a small pictogram on a 64 x 64 tile.
ITEMS = {
    "flowers": ("personal", '<path d="M32 52 L32 30" stroke="#3a8030" stroke-width="4"/>'
                '<circle cx="32" cy="22" r="7" fill="#e04070"/><circle cx="22" cy="28" r="6" fill="#f080a0"/>'
                '<circle cx="42" cy="28" r="6" fill="#f080a0"/><circle cx="32" cy="22" r="3" fill="#f0e040"/>'),
    "photo_album": ("personal", '<rect x="16" y="14" width="32" height="38" rx="3" fill="#805030"/>'
                    '<rect x="22" y="20" width="20" height="16" fill="#f8f0e0"/><circle cx="32" cy="28" r="4" fill="#60a0d0"/>'),
    "holiday": ("personal", '<circle cx="24" cy="22" r="9" fill="#f8c020"/>'
                '<path d="M8 44 Q16 38 24 44 T40 44 T56 44 L56 54 L8 54 Z" fill="#3080d0"/>'),
    "course_book": ("education", '<rect x="16" y="14" width="30" height="38" rx="2" fill="#3060a0"/>'
                    '<rect x="42" y="16" width="6" height="34" fill="#f8f0e0"/><rect x="21" y="22" width="18" height="4" fill="#f8f0e0"/>'),
    "laptop": ("education", '<rect x="16" y="16" width="32" height="22" rx="2" fill="#404850"/>'
               '<rect x="19" y="19" width="26" height="16" fill="#80c0f0"/><path d="M10 42 L54 42 L50 48 L14 48 Z" fill="#606870"/>'),
    "diploma_fee": ("education", '<rect x="12" y="22" width="40" height="20" rx="8" fill="#f8f0d0" stroke="#a08040" stroke-width="2"/>'
                    '<circle cx="40" cy="42" r="6" fill="#d03030"/>'),
    "running_shoes": ("fitness", '<path d="M10 44 L12 28 L26 30 L34 38 L54 42 L54 50 L10 50 Z" fill="#e04040"/>'
                      '<path d="M10 48 L54 48" stroke="#f8f8f8" stroke-width="3"/>'),
    "bicycle": ("fitness", '<circle cx="18" cy="40" r="10" fill="none" stroke="#303030" stroke-width="3"/>'
                '<circle cx="46" cy="40" r="10" fill="none" stroke="#303030" stroke-width="3"/>'
                '<path d="M18 40 L28 24 L40 24 L46 40 M28 24 L32 40 L18 40" fill="none" stroke="#c03030" stroke-width="3"/>'),
    "gym_pass": ("fitness", '<rect x="14" y="28" width="36" height="8" fill="#505050"/>'
                 '<rect x="10" y="20" width="8" height="24" rx="2" fill="#303030"/><rect x="46" y="20" width="8" height="24" rx="2" fill="#303030"/>'),
    "business_card": ("careers", '<rect x="10" y="18" width="44" height="28" rx="3" fill="#f8f8f8" stroke="#806040" stroke-width="2"/>'
                      '<rect x="16" y="26" width="20" height="3" fill="#404040"/><rect x="16" y="33" width="28" height="3" fill="#909090"/>'),
    "suit": ("careers", '<path d="M18 14 L32 22 L46 14 L54 24 L50 54 L14 54 L10 24 Z" fill="#304060"/>'
             '<path d="M28 20 L32 40 L36 20 Z" fill="#f8f8f8"/><path d="M31 24 L33 24 L34 36 L30 36 Z" fill="#c03030"/>'),
    "office": ("careers", '<rect x="16" y="12" width="32" height="42" fill="#8090a0"/>'
               + "".join(f'<rect x="{20 + 10 * c}" y="{16 + 9 * r}" width="6" height="6" fill="#e0f0ff"/>' for c in range(3) for r in range(4))),
    "car": ("careers", '<path d="M8 42 L12 30 L22 24 L42 24 L50 32 L56 34 L56 44 L8 44 Z" fill="#2070c0"/>'
            '<circle cx="20" cy="44" r="6" fill="#303030"/><circle cx="44" cy="44" r="6" fill="#303030"/>'),
    "sign": ("careers", '<rect x="30" y="30" width="4" height="24" fill="#604020"/>'
             '<rect x="10" y="12" width="44" height="20" rx="3" fill="#f8e8c0" stroke="#a05020" stroke-width="2"/>'),
    "bank_loan": ("careers", '<ellipse cx="32" cy="46" rx="16" ry="5" fill="#c09020"/><rect x="16" y="30" width="32" height="16" fill="#f0c030"/>'
                  '<ellipse cx="32" cy="30" rx="16" ry="5" fill="#f8d860" stroke="#c09020" stroke-width="2"/>'),
}


def svg(w, h, body):
    return (f'<svg xmlns="http://www.w3.org/2000/svg" width="{w}" height="{h}" '
            f'viewBox="0 0 {w} {h}">\n{body}\n</svg>\n')


def tile(colour, body):
    return svg(64, 64, f'<rect x="2" y="2" width="60" height="60" rx="10" fill="{colour}" stroke="#6a4a2a" stroke-width="3"/>{body}')


def star(cx, cy, r, fill):
    import math
    points = []
    for i in range(10):
        radius = r if i % 2 == 0 else r * 0.45
        angle = math.pi / 5 * i - math.pi / 2
        points.append(f"{cx + radius * math.cos(angle):.1f},{cy + radius * math.sin(angle):.1f}")
    return f'<polygon points="{" ".join(points)}" fill="{fill}" stroke="#a06010" stroke-width="2"/>'


def main():
    os.makedirs(OUT, exist_ok=True)
    images = {}

    def put(name, stem, text):
        with open(os.path.join(OUT, stem + ".svg"), "w") as f:
            f.write(text)
        images[name] = stem

    # The overview: a cork board with four columns, one per track, in the track's colour.
    columns = "".join(
        f'<rect x="{20 + 195 * i}" y="64" width="175" height="216" rx="12" fill="{colour}" fill-opacity="0.55" stroke="#8a6a3a" stroke-width="3"/>'
        for i, colour in enumerate(TRACKS.values()))
    put("img_actions_bg", "actions_bg", svg(800, 600, '<rect width="800" height="600" fill="#c89a60"/>'
        + "".join(f'<circle cx="{(i * 97) % 800}" cy="{(i * 53) % 600}" r="2" fill="#a87a40"/>' for i in range(160))
        + '<rect x="8" y="8" width="784" height="584" fill="none" stroke="#7a5020" stroke-width="8"/>' + columns
        + '<rect x="60" y="296" width="680" height="110" rx="12" fill="#f8efd8" stroke="#8a6a3a" stroke-width="3"/>'))
    # The room: wall, floor, a window and a rug.
    put("img_room_bg", "room_bg", svg(800, 600,
        '<rect width="800" height="600" fill="#f0e0c0"/><rect y="330" width="800" height="270" fill="#b08050"/>'
        + "".join(f'<rect x="0" y="{340 + 28 * i}" width="800" height="2" fill="#906838"/>' for i in range(9))
        + '<rect x="520" y="40" width="180" height="140" fill="#a8d8f8" stroke="#ffffff" stroke-width="10"/>'
        '<rect x="606" y="40" width="8" height="140" fill="#ffffff"/><ellipse cx="400" cy="470" rx="260" ry="70" fill="#c05050" fill-opacity="0.6"/>'))
    # Where an item of the room is not there yet.
    put("img_room_off", "room_off", svg(64, 64,
        '<rect width="64" height="64" rx="3" fill="#e8dcc0"/>'
        '<rect x="4" y="4" width="56" height="56" rx="8" fill="#f8f0e0" stroke="#806040" stroke-width="2" stroke-dasharray="6 4"/>'
        '<text x="32" y="44" font-size="30" text-anchor="middle" fill="#806040" font-family="sans-serif">?</text>'))
    for item, (track, body) in ITEMS.items():
        put(f"img_aitem_{item}", f"aitem_{item}", tile(TRACKS[track], body))
    put("img_aitem_trophy", "aitem_trophy", tile("#e8e0f8", '<path d="M20 14 L44 14 L42 32 Q32 40 22 32 Z" fill="#f0c030" stroke="#a07010" stroke-width="2"/>'
        '<rect x="29" y="36" width="6" height="8" fill="#c09020"/><rect x="22" y="44" width="20" height="6" fill="#806020"/>'))
    # Over an icon: the pointer's frame, and the tick of an item already owned.
    put("img_aitem_glow", "aitem_glow", svg(64, 64, '<rect x="2" y="2" width="60" height="60" rx="10" fill="#ffffff" fill-opacity="0.25" stroke="#fff8a0" stroke-width="4"/>'))
    put("img_aitem_owned", "aitem_owned", svg(64, 64, '<rect x="2" y="2" width="60" height="60" rx="10" fill="#000000" fill-opacity="0.35"/>'
        '<circle cx="48" cy="16" r="12" fill="#30a040" stroke="#ffffff" stroke-width="2"/><path d="M41 16 L46 21 L55 11" fill="none" stroke="#ffffff" stroke-width="3"/>'))
    # A step done, on the result screen.
    put("img_step_up", "step_up", svg(48, 48, '<circle cx="24" cy="24" r="21" fill="#50b060" stroke="#2a6a30" stroke-width="3"/>'
        '<path d="M14 28 L24 16 L34 28 M24 16 L24 36" fill="none" stroke="#ffffff" stroke-width="5" stroke-linecap="round"/>'))
    # The track badges: the recommended next action, the finished track.
    put("img_recommend", "recommend", svg(44, 44, star(22, 23, 20, "#ffd030")))
    put("img_track_completed", "track_completed", svg(150, 112,
        '<rect x="3" y="3" width="144" height="106" rx="14" fill="#fff4c0" stroke="#c09020" stroke-width="4"/>' + star(75, 50, 32, "#f0c030")))
    put("img_action_frame", "action_frame", svg(136, 104, '<rect x="2" y="2" width="132" height="100" rx="10" fill="none" stroke="#fff8a0" stroke-width="4"/>'))
    # The bar of a track.
    put("img_bar_back", "bar_back", svg(150, 16, '<rect x="1" y="1" width="148" height="14" rx="7" fill="#5a3a1a" stroke="#3a2008" stroke-width="2"/>'))
    put("img_bar_fill", "bar_fill", svg(146, 12, '<rect width="146" height="12" rx="6" fill="#60c050"/><rect x="4" y="2" width="138" height="3" rx="1.5" fill="#b0f0a0"/>'))
    # The popups' panels, one per size the screens use.
    for w, h in ((680, 110), (380, 110), (380, 70)):
        put(f"img_popup_{w}x{h}", f"popup_{w}x{h}", svg(w, h, f'<rect x="2" y="2" width="{w - 4}" height="{h - 4}" rx="12" fill="#fffaf0" stroke="#8a6a3a" stroke-width="3"/>'))
    put("img_money_coin", "money_coin", svg(32, 32, '<circle cx="16" cy="16" r="13" fill="#f0c030" stroke="#906010" stroke-width="3"/>'
        '<text x="16" y="22" font-size="16" text-anchor="middle" fill="#906010" font-family="sans-serif">$</text>'))

    lines = ['<?xml version="1.0" encoding="UTF-8"?>',
             "<!-- The actions screens' and the room's pictures and sounds, written by content/make_action_art.py. -->",
             "<resources>", "  <content>"]
    for name, stem in images.items():
        lines.append(f'    <resource type="ImageResource" name="{name}" file="data\\images\\actions\\{stem}.png" format="png"/>')
    for sound in ("buy_item", "execute_action"):
        lines.append(f'    <resource type="SoundResource" name="snd_{sound}" file="data\\sounds\\{sound}.ogg"/>')
    lines += ["  </content>", "</resources>", ""]
    with open(os.path.join(HERE, "ini", "res_actions.xml"), "w") as f:
        f.write("\n".join(lines))


if __name__ == "__main__":
    main()
