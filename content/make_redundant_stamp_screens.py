#!/usr/bin/env python3
"""Writes the screens of Odd One Out and Stamp (content/ini/screen_minigame_redundant.xml and
screen_minigame_stamp.xml), named by "GS_MiniGame_redundant" and "GS_MiniGame_stamp" through
"_outstorage" in Kestrelle.ini:

- "GS_MiniGame_redundant": the pictures of a round on the table (factory "element": "type" says
  which one is odd), "frame_black" that darkens under the round's text, and the scenarios.
- "GS_MiniGame_stamp": the album page "bg", the dashed place of the stamp with its pale copy, the
  pieces ("stamp_element"), the whole picture that fades in at the end, and the scenarios.

Their pictures come from make_redundant_stamp_art.py; the pieces' places in the picture are read
from the definition "stamp" of shop/minigames.xml. Run it again after changing a layout."""
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from make_level_screens import factory, write  # noqa: E402
# The board minigames' frame and screen shell, and the text the Find Pairs scenarios reveal.
from make_board_minigame_screens import DEFS, frame, gamescreen  # noqa: E402
from make_minigame_screens import TEXT_VIZ  # noqa: E402

# ----------------------------------------------------------------------------------- Odd One Out
# A picture: it turns inside "rotate" (tilt "angle"); "show" shows or hides it; "type" is "red"
# for the odd one and "normal" for the others. A wrong click buzzes.
ODD_ELEMENT = ('<widget type="group_widget" name="%name%" anchor_left="%anchor_left%" anchor_top="%anchor_top%" width="%width%" height="%height%" visible="yes" '
               'extraparams="\\type=%type%" aliases="\\show=rotate/visible\\angle=rotate/angle"><widgets>'
               '<widget type="rotate_widget" name="rotate" anchor_left="%centerx%" anchor_top="%centery%" centerx="%centerx%" centery="%centery%" angle="%angle%" smooth="yes" visible="yes"><widgets>'
               '<widget type="image_widget" name="picture" resourcename="%resourcename%" width="%width%" height="%height%" visible="yes"/>'
               '</widgets></widget></widgets></widget>')
ODD_SOUNDS = [("sound_minigame_click", "snd_wrong_click"), ("sound_minigame_correct_click", "snd_correct_click"),
              ("sound_minigame_completed", "snd_stat_medal")]
ODD_FACTORIES = [
    factory("element", ODD_ELEMENT),
    factory("text_visualization", TEXT_VIZ),
    factory("scenario_start_level", '<widget type="scenario_remove_start_level" name="scenario_start_level" duration="600" visible="yes"/>'),
    factory("scenario_redundant_end_round", '<widget type="scenario_redundant_end_round" name="scenario_redundant_end_round" duration="400" visible="yes"/>'),
    factory("scenario_redundant_failed_round", '<widget type="scenario_redundant_failed_round" name="scenario_redundant_failed_round" duration="400" visible="yes"/>'),
    # The last odd one found: the frame slides out while the text "%minigame_completed%" shows
    # (the end of Find Pairs, without a pair to merge).
    factory("scenario_end_level", '<widget type="scenario_pairs_end_level" name="scenario_end_level" duration="600" visible="yes"/>'),
]
ODD = frame("%mg_redundant_name%",
            '<widget type="KestrelleControlGameRedundant" name="control_game_redundant" anchor_left="0" anchor_top="0" width="800" height="600" enabled="yes" visible="yes" mousestop="yes"><widgets>'
            '<widget type="group_widget" name="elements" visible="yes"/>'
            '<widget type="group_widget" name="scenario_group" z="40" visible="yes"/>'
            '</widgets></widget>')
ODD.insert(3, '<widget type="rect_widget" name="frame_black" anchor_left="0" anchor_top="0" width="800" height="600" color="$FF000000" transparentlevel="0" z="30" visible="yes"/>')
write("screen_minigame_redundant.xml",
      "Odd One Out: the pictures of each round on the table, the darkening under the round's text, the frame's panel and buttons, and the factories of the pictures and scenarios. Named by GS_MiniGame_redundant in Kestrelle.ini.",
      gamescreen("KestrelleGameScreenGameRedundant", "GS_MiniGame_redundant", ODD_SOUNDS, ODD_FACTORIES, ODD))

# ----------------------------------------------------------------------------------------- Stamp
# The whole stamp lies at (STAMP_X, STAMP_Y) when shown: the place of the definition's first piece
# in the picture. A piece shows its part of the stamp ("normal", the look of a free piece).
STAMP_DEF = next(d for d in DEFS if d.get("name") == "stamp")
FIRST = STAMP_DEF.find("elements")[0]
STAMP_X, STAMP_Y, STAMP_W, STAMP_H = int(FIRST.get("stamp_x")), int(FIRST.get("stamp_y")), 360, 240
PIECE = ('<widget type="KestrelleStampElement" name="%name%" anchor_left="%anchor_left%" anchor_top="%anchor_top%" width="%width%" height="%height%" z="%z%" visible="yes" '
         'extraparams="\\state=normal\\neigbours=%neigbours%\\links=%links%"><widgets>'
         '<widget type="image_widget" name="normal" resourcename="%resourcename%" width="%width%" height="%height%" visible="yes"/>'
         '</widgets></widget>')
STAMP_FACTORIES = [
    factory("stamp_element", PIECE),
    # Each move is named after the piece it pulls, so that several joins of one put-down run together.
    factory("scenario_moving", '<widget type="scenario_stamp_element_move" name="%name%" element_name="%element_name%" final_x="%final_x%" final_y="%final_y%" '
            'move1="%move1%" move2="%move2%" duration="300" visible="yes"/>'),
    factory("scenario_stamp_show_image", '<widget type="scenario_stamp_show_image" name="scenario_show_image" duration="800" visible="yes"/>'),
    factory("scenario_start_level", '<widget type="scenario_stamp_start_level" name="scenario_start_level" duration="800" visible="yes"/>'),
    factory("scenario_end_level", '<widget type="scenario_stamp_end_level" name="scenario_end_level" duration="500" visible="yes"/>'),
]
STAMP_CONTROL = (
    '<widget type="KestrelleControlGameStamp" name="control_game_stamp" anchor_left="0" anchor_top="0" width="800" height="600" enabled="yes" visible="yes" mousestop="yes"><widgets>'
    f'<widget type="group_widget" name="fixed" z="1" visible="yes"><widgets><widget type="image_widget" name="frame" resourcename="img_stamp_frame" anchor_left="{STAMP_X - 10}" anchor_top="{STAMP_Y - 10}" width="{STAMP_W + 20}" height="{STAMP_H + 20}" visible="yes"/></widgets></widget>'
    f'<widget type="image_widget" name="stamp_picture_under" resourcename="img_stamp_picture" anchor_left="{STAMP_X}" anchor_top="{STAMP_Y}" width="{STAMP_W}" height="{STAMP_H}" transparentlevel="50" z="2" visible="yes"/>'
    '<widget type="group_widget" name="elements" z="3" visible="yes"/>'
    f'<widget type="image_widget" name="stamp_picture" anchor_left="{STAMP_X}" anchor_top="{STAMP_Y}" width="{STAMP_W}" height="{STAMP_H}" z="4" visible="no"/>'
    '<widget type="group_widget" name="scenario_group" z="40" visible="yes"/>'
    '</widgets></widget>')
# The start fades the album page "bg" in and slides "button_menu" and "button_skip" in; it does
# not move the panel, so the title bar is "title_panel" (the frame leaves it where it is).
STAMP = frame("%mg_stamp_name%", STAMP_CONTROL)
STAMP[1] = STAMP[1].replace('name="panel"', 'name="title_panel"')
STAMP.insert(1, '<widget type="image_widget" name="bg" resourcename="img_stamp_page" anchor_left="40" anchor_top="90" width="720" height="470" transparentlevel="0" visible="yes"/>')
write("screen_minigame_stamp.xml",
      "Stamp: the album page, the place of the stamp with its pale copy, the pieces, the whole stamp shown at the end, the frame's title and buttons, and the factories of the pieces and scenarios. Named by GS_MiniGame_stamp in Kestrelle.ini.",
      gamescreen("KestrelleGameScreenGameStamp", "GS_MiniGame_stamp", [("sound_minigame_click", "snd_station_click"), ("sound_minigame_completed", "snd_stat_medal")],
                 STAMP_FACTORIES, STAMP))
