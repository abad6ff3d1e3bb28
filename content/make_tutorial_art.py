#!/usr/bin/env python3
"""Writes the art of the guided level's step pages as SVG (content/images/tutorial/) and its
resource definition file (content/ini/res_tutorial.xml):

- "img_tutor_panel": the 500 x 124 note a page's text stands on, paper like the query dialogs'
  with a green band down its left edge;
- "img_tutor_arrow_up", "_down", "_left", "_right": a 52 x 52 arrow pointing at what to click;
- "img_tutor_button", "_hover", "_disabled": the pages' 120 x 38 OK button.

Run it again after changing a drawing below; the build rasterizes every SVG of the folder."""
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from make_minigame_art import svg, write_art  # noqa: E402

PICTURES = {}  # resource name -> (file stem, svg text)

PANEL_W, PANEL_H = 500, 124
ARROW = 52
BUTTON_W, BUTTON_H = 120, 38

# The note: a soft shadow, the paper, a dashed seam and the band that marks it as the lesson's.
PANEL = ('<defs><linearGradient id="paper" x1="0" y1="0" x2="0" y2="1">'
         '<stop offset="0" stop-color="#fffaee"/><stop offset="1" stop-color="#f4e2c0"/></linearGradient></defs>'
         f'<rect x="7" y="8" width="{PANEL_W - 10}" height="{PANEL_H - 10}" rx="16" fill="#000" fill-opacity="0.32"/>'
         f'<rect x="3" y="3" width="{PANEL_W - 10}" height="{PANEL_H - 10}" rx="16" fill="url(#paper)" stroke="#7a3416" stroke-width="4"/>'
         f'<path d="M19 5 L19 {PANEL_H - 9}" stroke="#6aa84f" stroke-width="10"/>'
         f'<rect x="3" y="3" width="{PANEL_W - 10}" height="{PANEL_H - 10}" rx="16" fill="none" stroke="#7a3416" stroke-width="4"/>'
         f'<rect x="32" y="12" width="{PANEL_W - 48}" height="{PANEL_H - 28}" rx="10" fill="none" stroke="#d9a27c" stroke-width="1.5" stroke-dasharray="7 5"/>')
PICTURES["img_tutor_panel"] = ("tutor_panel", svg(PANEL_W, PANEL_H, PANEL))

# An arrow pointing up; the other three are the same drawing turned about its centre.
ARROW_UP = ('<path d="M26 3 L48 27 L35 27 L35 48 L17 48 L17 27 L4 27 Z" fill="#000" fill-opacity="0.28" transform="translate(2 2)"/>'
            '<path d="M26 3 L48 27 L35 27 L35 48 L17 48 L17 27 L4 27 Z" fill="#ff9a2a" stroke="#7a3416" stroke-width="3" stroke-linejoin="round"/>'
            '<path d="M26 10 L39 24 L30 24 L30 42" fill="none" stroke="#fff3c0" stroke-width="3" stroke-linecap="round" stroke-linejoin="round" opacity="0.8"/>')
for direction, angle in (("up", 0), ("right", 90), ("down", 180), ("left", 270)):
    PICTURES[f"img_tutor_arrow_{direction}"] = (
        f"tutor_arrow_{direction}", svg(ARROW, ARROW, f'<g transform="rotate({angle} {ARROW / 2} {ARROW / 2})">{ARROW_UP}</g>'))


def button(top, bottom, edge):
    """A rounded button face from the colour TOP to BOTTOM with an EDGE colour and a shine."""
    return svg(BUTTON_W, BUTTON_H,
               f'<defs><linearGradient id="face" x1="0" y1="0" x2="0" y2="1"><stop offset="0" stop-color="{top}"/>'
               f'<stop offset="1" stop-color="{bottom}"/></linearGradient></defs>'
               f'<rect x="3" y="5" width="{BUTTON_W - 5}" height="{BUTTON_H - 6}" rx="13" fill="#000" fill-opacity="0.3"/>'
               f'<rect x="2" y="2" width="{BUTTON_W - 5}" height="{BUTTON_H - 7}" rx="13" fill="url(#face)" stroke="{edge}" stroke-width="3"/>'
               f'<rect x="12" y="6" width="{BUTTON_W - 26}" height="9" rx="4.5" fill="#fff" fill-opacity="0.35"/>')


PICTURES["img_tutor_button"] = ("tutor_button", button("#8fcf6a", "#4f8f34", "#2f5a1c"))
PICTURES["img_tutor_button_hover"] = ("tutor_button_hover", button("#b0e88a", "#63a844", "#2f5a1c"))
PICTURES["img_tutor_button_disabled"] = ("tutor_button_disabled", button("#d0d0c8", "#a0a098", "#707068"))


if __name__ == "__main__":
    write_art(PICTURES, "tutorial", "res_tutorial.xml",
              "The pictures of the guided level's step pages, written by content/make_tutorial_art.py.")
