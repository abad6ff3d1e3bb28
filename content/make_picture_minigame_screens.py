#!/usr/bin/env python3
"""Writes the screens of the picture minigames (content/ini/screen_minigame_<name>.xml), each named
by "GS_MiniGame_" + the definition's name through "_outstorage" in Kestrelle.ini:

- "GS_MiniGame_puzzle": the board with the whole picture, its pale copy under the pieces and the
  frame round it; the factories of the pieces ("puzzle_element") and of the scenarios.
- "GS_MiniGame_satchel": the open satchel with its grid ("fixed"), the pieces ("satchel_element"),
  the scenarios and the reset button.

Their pictures come from make_picture_minigame_art.py. Run it again after changing a layout."""
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from make_level_screens import factory, write  # noqa: E402

SOUNDS = ('<sounds><sound name="sound_minigame_click" resourcename="snd_station_click"/>'
          '<sound name="sound_minigame_correct_click" resourcename="snd_correct_click"/>'
          '<sound name="sound_minigame_completed" resourcename="snd_stat_medal"/></sounds>')


def frame_button(name, left, top, caption):
    """A button of the minigame frame with "init_x", where it slides in to."""
    return (f'<widget type="ButtonControl" name="{name}" anchor_left="{left}" anchor_top="{top}" width="140" height="44" enabled="yes" visible="yes" mousestop="yes" z="20" '
            f'extraparams="\\init_x={left}">'
            '<sounds><sound name="sound_buttonclick" resourcename="snd_click"/></sounds><widgets>'
            '<widget type="image_widget" name="image_normal" resourcename="img_mg_button" width="140" height="44" visible="no"/>'
            '<widget type="image_widget" name="image_selected" resourcename="img_mg_button_hover" width="140" height="44" visible="no"/>'
            '<widget type="image_widget" name="image_disabled" resourcename="img_mg_button_disabled" width="140" height="44" visible="no"/>'
            f'<widget type="text_widget" name="caption" resourcename="font_button" anchor_top="2" width="140" height="38" text="{caption}" textalign="center" textvertalign="middle" visible="yes"/>'
            '</widgets></widget>')


def frame(title):
    """The table, the panel with the title and the three buttons every minigame screen shares."""
    return ['<widget type="image_widget" name="background" resourcename="img_mg_table" width="800" height="600" visible="yes"/>',
            '<widget type="group_widget" name="panel" anchor_left="0" anchor_top="0" width="800" height="60" z="10" visible="yes"><widgets>'
            '<widget type="image_widget" name="panel_image" resourcename="img_mg_panel" width="800" height="60" visible="yes"/>'
            f'<widget type="text_widget" name="panel_title" resourcename="font_button" anchor_left="200" anchor_top="10" width="400" height="36" text="{title}" textalign="center" textvertalign="middle" visible="yes"/>'
            '</widgets></widget>',
            frame_button("button_menu", 10, 8, "%Menu%"),
            frame_button("button_skip", 650, 8, "%Skip%"),
            frame_button("button_close", 330, 540, "%Close%")]


def screen(kind, name, factories, widgets):
    return (f'<gamescreen type="{kind}" name="{name}">\n  <window left="0" top="0" visible="no">\n'
            f'    <musics><music name="music_background" resourcename="mus_level"/></musics>\n    {SOUNDS}\n'
            '    <widgetfactories>\n      ' + "\n      ".join(factories) + '\n    </widgetfactories>\n'
            '    <widgets>\n      ' + "\n      ".join(widgets) + '\n    </widgets>\n  </window>\n</gamescreen>')


# ------------------------------------------------------------------------------------------ Puzzle
# The board: the 384 x 256 picture at (100, 120) inside the control; the pieces start on the right.
BOARD_X, BOARD_Y, BOARD_W, BOARD_H = 100, 120, 384, 256
# A piece: "normal" lying free, "draging" lifted over its shadow, "placed" in the picture.
PIECE = ('<widget type="KestrellePuzzleElement" name="%name%" anchor_left="%anchor_left%" anchor_top="%anchor_top%" width="%width%" height="%height%" z="%z%" visible="yes"><widgets>'
         '<widget type="image_widget" name="normal" resourcename="%resourcename%" width="%width%" height="%height%" visible="yes"/>'
         '<widget type="group_widget" name="draging" visible="no"><widgets>'
         '<widget type="image_widget" name="shadow" resourcename="img_puzzle_shadow" anchor_left="6" anchor_top="6" width="%drag_width%" height="%drag_height%" visible="yes"/>'
         '<widget type="image_widget" name="picture" resourcename="%resourcename%" anchor_left="-2" anchor_top="-2" width="%drag_width%" height="%drag_height%" visible="yes"/>'
         '</widgets></widget>'
         '<widget type="image_widget" name="placed" resourcename="%resourcename%" width="%width%" height="%height%" visible="no"/>'
         '</widgets></widget>')
PUZZLE_FACTORIES = [
    factory("puzzle_element", PIECE),
    factory("scenario_start_level", '<widget type="scenario_puzzle_start_level" name="scenario_start_level" duration="600" visible="yes"/>'),
    factory("scenario_moving", '<widget type="scenario_element_move" name="scenario_moving_%name%" element_name="%element_name%" final_x="%final_x%" final_y="%final_y%" duration="300" visible="yes"/>'),
    factory("scenario_show_image", '<widget type="scenario_show_image" name="scenario_show_image" duration="800" visible="yes"/>'),
    factory("scenario_end_level", '<widget type="scenario_puzzle_end_level" name="scenario_end_level" duration="600" visible="yes"/>'),
]
PUZZLE = frame("%mg_puzzle_name%")[:2] + [
    '<widget type="KestrellControlGamePuzzle" name="control_game_puzzle" anchor_left="0" anchor_top="0" width="800" height="600" enabled="yes" visible="yes" mousestop="yes"><widgets>'
    f'<widget type="image_widget" name="puzzle_picture_under" anchor_left="{BOARD_X}" anchor_top="{BOARD_Y}" width="{BOARD_W}" height="{BOARD_H}" z="1" visible="yes"/>'
    f'<widget type="group_widget" name="fixed" z="2" visible="yes"><widgets><widget type="image_widget" name="frame" resourcename="img_puzzle_frame" anchor_left="{BOARD_X - 16}" anchor_top="{BOARD_Y - 16}" width="{BOARD_W + 32}" height="{BOARD_H + 32}" visible="yes"/></widgets></widget>'
    '<widget type="group_widget" name="elements" z="3" visible="yes"/>'
    f'<widget type="image_widget" name="puzzle_picture" anchor_left="{BOARD_X}" anchor_top="{BOARD_Y}" width="{BOARD_W}" height="{BOARD_H}" z="4" visible="no"/>'
    '<widget type="group_widget" name="scenario_group" z="40" visible="yes"/>'
    '</widgets></widget>'] + frame("%mg_puzzle_name%")[2:]

write("screen_minigame_puzzle.xml",
      "Puzzle: the board with the picture, its pale copy under the pieces and the frame, and the factories of the pieces and scenarios. Named by GS_MiniGame_puzzle in Kestrelle.ini.",
      screen("KestrelleGameScreenGamePuzzle", "GS_MiniGame_puzzle", PUZZLE_FACTORIES, PUZZLE))


# ----------------------------------------------------------------------------------------- Satchel
# The bag ("fixed/bag", 340 x 290) at (90, 120): its grid of 3 x 4 cells of 70 pixels starts at the
# definition's ("init_x", "init_y") = (120, 170).
SATCHEL_PIECE = ('<widget type="KestrelleSatchelElement" name="%name%" anchor_left="%anchor_left%" anchor_top="%anchor_top%" width="%width%" height="%height%" z="%z%" structure="%structure%" visible="no"><widgets>'
                 '<widget type="image_widget" name="normal" resourcename="%resourcename%" width="%width%" height="%height%" visible="yes"/>'
                 '<widget type="group_widget" name="draging" visible="no"><widgets>'
                 '<widget type="image_widget" name="shadow" resourcename="%resourcename%" anchor_left="6" anchor_top="6" width="%drag_width%" height="%drag_height%" transparentlevel="70" visible="yes"/>'
                 '<widget type="image_widget" name="picture" resourcename="%resourcename%" anchor_left="-2" anchor_top="-2" width="%drag_width%" height="%drag_height%" visible="yes"/>'
                 '</widgets></widget>'
                 '<widget type="image_widget" name="placed" resourcename="%resourcename%" width="%place_width%" height="%place_height%" visible="no"/>'
                 '</widgets></widget>')
SATCHEL_FACTORIES = [
    factory("satchel_element", SATCHEL_PIECE),
    # "internal" shows the picture of the satchel while it fades in and out.
    factory("scenario_start_level", '<widget type="scenario_satchel_start_level" name="scenario_start_level" duration="600" visible="yes"><widgets><widget type="surface_widget" name="internal" transparentlevel="0" visible="yes"/></widgets></widget>'),
    factory("scenario_moving", '<widget type="scenario_element_move" name="%name%" element_name="%element_name%" final_x="%final_x%" final_y="%final_y%" duration="250" visible="yes"/>'),
    factory("scenario_reset_element", '<widget type="scenario_reset_element" name="%name%" element_name="%element_name%" final_x="%final_x%" final_y="%final_y%" duration="400" visible="yes"/>'),
    factory("scenario_end_level", '<widget type="scenario_satchel_end_level" name="scenario_end_level" duration="600" visible="yes"><widgets><widget type="surface_widget" name="internal" visible="yes"/></widgets></widget>'),
]
# The screen puts "button_reset" at anchor left -(its width) within its group: the group stands
# 170 pixels in, so the button shows at the lower left.
SATCHEL = frame("%mg_satchel_name%")[:2] + [
    '<widget type="KestrelleControlGameSatchel" name="control_game_satchel" anchor_left="0" anchor_top="0" width="800" height="600" enabled="yes" visible="yes" mousestop="yes"><widgets>'
    '<widget type="group_widget" name="fixed" anchor_left="90" anchor_top="120" z="1" visible="no"><widgets><widget type="image_widget" name="bag" resourcename="img_satchel_bag" width="340" height="290" visible="yes"/></widgets></widget>'
    '<widget type="group_widget" name="elements" z="3" visible="yes"/>'
    '<widget type="group_widget" name="scenario_group" z="40" visible="yes"/>'
    '</widgets></widget>'] + frame("%mg_satchel_name%")[2:] + [
    '<widget type="group_widget" name="reset_place" anchor_left="170" anchor_top="540" z="20" visible="yes" mousestop="yes"><widgets>' + frame_button("button_reset", -140, 0, "%mg_satchel_reset%") + '</widgets></widget>']

write("screen_minigame_satchel.xml",
      "Satchel: the open satchel with its grid, the pieces to pack, the reset button and the factories of the pieces and scenarios. Named by GS_MiniGame_satchel in Kestrelle.ini.",
      screen("KestrelleGameScreenGameSatchel", "GS_MiniGame_satchel", SATCHEL_FACTORIES, SATCHEL))
