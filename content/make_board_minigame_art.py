#!/usr/bin/env python3
"""Writes the board minigames' art as SVG (content/images/board_minigame/) and its resource
definition file (content/ini/res_board_minigame.xml): the tray under the Square tiles and the selection ring
shared by the boards. Run it again after
changing a table below; the build rasterizes every SVG of the folder."""
import os

HERE = os.path.dirname(os.path.abspath(__file__))
OUT = os.path.join(HERE, "images", "board_minigame")
INK = 'stroke="#302010" stroke-width="2"'
FONT = 'font-family="DejaVu Sans" font-weight="bold"'


def svg(w, h, body):
    return (f'<svg xmlns="http://www.w3.org/2000/svg" width="{w}" height="{h}" '
            f'viewBox="0 0 {w} {h}">\n{body}\n</svg>\n')


PICTURES = {}  # resource name -> (file stem, svg text)


def picture(name, stem, text):
    PICTURES[name] = (stem, text)


# ----------------------------------------------------------------------------------- Square
# The digit tiles "img_Square1" .. "img_Square9" (80 x 80) come with the shop's art
# (make_shop_art.py); here the tray under them.
# The board under the tiles: a wooden tray with nine hollows.
hollows = "".join(f'<rect x="{10 + 80 * c}" y="{10 + 80 * r}" width="76" height="76" rx="8" fill="#8a5a30"/>'
                  for r in range(3) for c in range(3))
picture("img_square_board", "square_board",
        svg(260, 260, f'<rect x="2" y="2" width="256" height="256" rx="16" fill="#c08a50" stroke="#5a3418" stroke-width="4"/>{hollows}'))
# The ring around a selected piece.
picture("img_board_selected", "board_selected",
        svg(80, 80, '<rect x="3" y="3" width="74" height="74" rx="10" fill="none" stroke="#ffe040" stroke-width="6"/>'
                    '<rect x="3" y="3" width="74" height="74" rx="10" fill="none" stroke="#a06000" stroke-width="1.5"/>'))


def main():
    os.makedirs(OUT, exist_ok=True)
    for stem, text in PICTURES.values():
        with open(os.path.join(OUT, stem + ".svg"), "w") as f:
            f.write(text)
    with open(os.path.join(HERE, "ini", "res_board_minigame.xml"), "w") as f:
        f.write('<?xml version="1.0" encoding="UTF-8"?>\n<!-- The board minigames\' pictures, written by content/make_board_minigame_art.py. -->\n'
                '<resources>\n  <content>\n')
        for name, (stem, _) in PICTURES.items():
            f.write(f'    <resource type="ImageResource" name="{name}" file="data\\images\\board_minigame\\{stem}.png" format="png"/>\n')
        f.write('  </content>\n</resources>\n')


main()
