#!/usr/bin/env python3
"""Writes the screens of the picture minigames (content/ini/screen_minigame_<name>.xml), each named
by "GS_MiniGame_" + the definition's name through "_outstorage" in Kestrelle.ini:

- "GS_MiniGame_puzzle": the board with the whole picture, its pale copy under the pieces and the
  frame round it; the factories of the pieces ("puzzle_element") and of the scenarios.
- "GS_MiniGame_satchel": the open satchel with its grid ("fixed"), the pieces ("satchel_element"),
  the scenarios and the reset button.
- "GS_MiniGame_diffs": the two copies of the picture side by side ("group1", "group2") with the
  patches of the differences, the mirrored cursor, the counter and the hint button.
- "GS_MiniGame_remove": the owner's room with the player's own things in it, the things to tidy
  away, the cross of a miss, the counter and the hint button.

Each minigame has a second definition with a picture of its own, played on a screen written by the
same function: "GS_MiniGame_puzzle_harbour" (a square board of nine pieces in its own frame),
"GS_MiniGame_satchel_picnic" (the picnic basket), "GS_MiniGame_diffs_park" and
"GS_MiniGame_remove_kitchen". Their titles are the definitions' names ("%mg_<name>_name%").

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
# The bakery's board: the 384 x 256 picture at (100, 120) inside the control; the pieces start on
# the right. The harbour's is 300 x 300 at (90, 130), in a frame and with a shadow of its own.
# A piece: "normal" lying free, "draging" lifted over its shadow, "placed" in the picture.
def puzzle_piece(shadow):
    return ('<widget type="KestrellePuzzleElement" name="%name%" anchor_left="%anchor_left%" anchor_top="%anchor_top%" width="%width%" height="%height%" z="%z%" visible="yes"><widgets>'
            '<widget type="image_widget" name="normal" resourcename="%resourcename%" width="%width%" height="%height%" visible="yes"/>'
            '<widget type="group_widget" name="draging" visible="no"><widgets>'
            f'<widget type="image_widget" name="shadow" resourcename="{shadow}" anchor_left="6" anchor_top="6" width="%drag_width%" height="%drag_height%" visible="yes"/>'
            '<widget type="image_widget" name="picture" resourcename="%resourcename%" anchor_left="-2" anchor_top="-2" width="%drag_width%" height="%drag_height%" visible="yes"/>'
            '</widgets></widget>'
            '<widget type="image_widget" name="placed" resourcename="%resourcename%" width="%width%" height="%height%" visible="no"/>'
            '</widgets></widget>')


def puzzle_screen(minigame, board, frame_image, shadow):
    """The Puzzle screen of the definition `minigame`: the board (x, y, w, h) with the picture, its
    pale copy under the pieces and `frame_image` round it (16 pixels wider on every side)."""
    x, y, w, h = board
    factories = [
        factory("puzzle_element", puzzle_piece(shadow)),
        factory("scenario_start_level", '<widget type="scenario_puzzle_start_level" name="scenario_start_level" duration="600" visible="yes"/>'),
        factory("scenario_moving", '<widget type="scenario_element_move" name="scenario_moving_%name%" element_name="%element_name%" final_x="%final_x%" final_y="%final_y%" duration="300" visible="yes"/>'),
        factory("scenario_show_image", '<widget type="scenario_show_image" name="scenario_show_image" duration="800" visible="yes"/>'),
        factory("scenario_end_level", '<widget type="scenario_puzzle_end_level" name="scenario_end_level" duration="600" visible="yes"/>'),
    ]
    title = f"%mg_{minigame}_name%"
    widgets = frame(title)[:2] + [
        '<widget type="KestrellControlGamePuzzle" name="control_game_puzzle" anchor_left="0" anchor_top="0" width="800" height="600" enabled="yes" visible="yes" mousestop="yes"><widgets>'
        f'<widget type="image_widget" name="puzzle_picture_under" anchor_left="{x}" anchor_top="{y}" width="{w}" height="{h}" z="1" visible="yes"/>'
        f'<widget type="group_widget" name="fixed" z="2" visible="yes"><widgets><widget type="image_widget" name="frame" resourcename="{frame_image}" anchor_left="{x - 16}" anchor_top="{y - 16}" width="{w + 32}" height="{h + 32}" visible="yes"/></widgets></widget>'
        '<widget type="group_widget" name="elements" z="3" visible="yes"/>'
        f'<widget type="image_widget" name="puzzle_picture" anchor_left="{x}" anchor_top="{y}" width="{w}" height="{h}" z="4" visible="no"/>'
        '<widget type="group_widget" name="scenario_group" z="40" visible="yes"/>'
        '</widgets></widget>'] + frame(title)[2:]
    write(f"screen_minigame_{minigame}.xml",
          "Puzzle: the board with the picture, its pale copy under the pieces and the frame, and the factories of the pieces and scenarios. "
          f"Named by GS_MiniGame_{minigame} in Kestrelle.ini.",
          screen("KestrelleGameScreenGamePuzzle", f"GS_MiniGame_{minigame}", factories, widgets))


puzzle_screen("puzzle", (100, 120, 384, 256), "img_puzzle_frame", "img_puzzle_shadow")
puzzle_screen("puzzle_harbour", (90, 130, 300, 300), "img_puzzle_harbour_frame", "img_puzzle_harbour_shadow")


# ----------------------------------------------------------------------------------------- Satchel
# The bag ("fixed/bag", 340 x 290) at (90, 120): its grid of 3 x 4 cells of 70 pixels starts at the
# definition's ("init_x", "init_y") = (120, 170). The picnic basket (320 x 350) at (70, 100): its
# 4 x 4 cells of 60 pixels start at (110, 170).
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
    # A piece's glide and its way home have names of their own: a reset may meet a glide in flight.
    factory("scenario_moving", '<widget type="scenario_element_move" name="scenario_moving_%name%" element_name="%element_name%" final_x="%final_x%" final_y="%final_y%" duration="250" visible="yes"/>'),
    factory("scenario_reset_element", '<widget type="scenario_reset_element" name="scenario_reset_%name%" element_name="%element_name%" final_x="%final_x%" final_y="%final_y%" duration="400" visible="yes"/>'),
    factory("scenario_end_level", '<widget type="scenario_satchel_end_level" name="scenario_end_level" duration="600" visible="yes"><widgets><widget type="surface_widget" name="internal" visible="yes"/></widgets></widget>'),
]


def satchel_screen(minigame, bag, place, size):
    """The Satchel screen of the definition `minigame`: the picture `bag` of `size` at `place`, shown
    by the start scenario. The screen puts "button_reset" at anchor left -(its width) within its
    group: the group stands 170 pixels in, so the button shows at the lower left."""
    title = f"%mg_{minigame}_name%"
    widgets = frame(title)[:2] + [
        '<widget type="KestrelleControlGameSatchel" name="control_game_satchel" anchor_left="0" anchor_top="0" width="800" height="600" enabled="yes" visible="yes" mousestop="yes"><widgets>'
        f'<widget type="group_widget" name="fixed" anchor_left="{place[0]}" anchor_top="{place[1]}" z="1" visible="no"><widgets><widget type="image_widget" name="bag" resourcename="{bag}" width="{size[0]}" height="{size[1]}" visible="yes"/></widgets></widget>'
        '<widget type="group_widget" name="elements" z="3" visible="yes"/>'
        '<widget type="group_widget" name="scenario_group" z="40" visible="yes"/>'
        '</widgets></widget>'] + frame(title)[2:] + [
        '<widget type="group_widget" name="reset_place" anchor_left="170" anchor_top="540" z="20" visible="yes" mousestop="yes"><widgets>' + frame_button("button_reset", -140, 0, "%mg_satchel_reset%") + '</widgets></widget>']
    write(f"screen_minigame_{minigame}.xml",
          "Satchel: the open satchel with its grid, the pieces to pack, the reset button and the factories of the pieces and scenarios. "
          f"Named by GS_MiniGame_{minigame} in Kestrelle.ini.",
          screen("KestrelleGameScreenGameSatchel", f"GS_MiniGame_{minigame}", SATCHEL_FACTORIES, widgets))


satchel_screen("satchel", "img_satchel_bag", (90, 120), (340, 290))
satchel_screen("satchel_picnic", "img_satchel_picnic_basket", (70, 100), (320, 350))


# ------------------------------------------------------------------------------ Find the Differences
# Two 360 x 300 pictures at (30, 130) and (410, 130): the screen starts them at their "init_x" just
# below the screen and the start scenario lifts them to their "init_y"; at the end they slide to
# "middle_x" together and up out of sight.
# A patch blinks once when made (while its picture is still below the screen) and again when the
# hint restarts it.
def blink_patch(peak, period, extra=""):
    """The factory text of a patch (a diff of the definition) that blinks down to `peak` and back
    over twice `period` ms when made and whenever the hint restarts it."""
    return ('<widget type="blink_widget" name="%name%" resourcename="%resourcename%" anchor_left="%anchor_left%" anchor_top="%anchor_top%" width="%width%" height="%height%" '
            f'transparentlevel="%transparentlevel%" start_transparentlevel="%transparentlevel%" peak_transparentlevel="{peak}" end_transparentlevel="%transparentlevel%" '
            f'firstperiod="{period}" secondperiod="{period}"{extra} visible="yes"/>')


def hint_frame(hint_left, hint_top, hint_caption):
    """The frame's buttons of a patch minigame: menu, skip and the hint. The hint is a button of
    the screen itself, which the control disables once it has flashed a patch."""
    return [frame_button("button_menu", 10, 8, "%Menu%"),
            frame_button("button_skip", 650, 8, "%Skip%"),
            frame_button("button_hint", hint_left, hint_top, hint_caption)]


PATCH = blink_patch(40, 150, ' mousestop="yes"')
# A found patch bursts into sparks while it fades. The scenario aims the burst at the patch's top
# left corner at 30 particles a second, too few for one in a frame: the system emits in steps of
# 17 ms ("delta_step"), one spark each. It sits 16 pixels in, so the sparks leave from the patch's
# middle.
FIND_DIFF = ('<widget type="scenario_find_diff" name="scenario_find_diff_%name%" diff_name="%diff_name%" duration="500" visible="yes"><widgets>'
             '<widget type="stochastic_particle_system" name="ps_selecteddiff" anchor_left="16" anchor_top="16" visible="yes" z="10" emission_count="30" delta_step="17" emission_radius="14" '
             'speed_min="50" speed_max="120" lifetime_min="250" lifetime_max="480" color_start="$FFFFE040" color_end="$FFFF5020" alfa_start="255" alfa_end="120"><widgets>'
             '<widget type="rect_widget" name="dot" width="6" height="6" color="$FFFFFFFF"/></widgets></widget>'
             '</widgets></widget>')
DIFFS_FACTORIES = [
    factory("diff_image", PATCH),
    factory("scenario_start_level", '<widget type="scenario_diffs_start_level" name="scenario_start_level" duration="800" visible="yes"/>'),
    factory("scenario_find_diff", FIND_DIFF),
    factory("scenario_end_level", '<widget type="scenario_diffs_end_level" name="scenario_end_level" duration="600" pause_duration="300" final_duration="500" visible="yes"/>'),
]


def picture(name, left):
    return (f'<widget type="group_widget" name="{name}" anchor_left="{left}" anchor_top="130" width="360" height="300" visible="yes" '
            f'extraparams="\\init_x={left}\\init_y=130\\middle_x=220"><widgets>'
            '<widget type="image_widget" name="frame" resourcename="img_diffs_frame" anchor_left="-6" anchor_top="-6" width="372" height="312" visible="yes"/>'
            '<widget type="image_widget" name="original_image" width="360" height="300" visible="yes"/>'
            '<widget type="group_widget" name="diffs" visible="yes" mousestop="yes"/>'
            '</widgets></widget>')


def counter_panel(title, title_width, label_left, label):
    """The frame's panel with the title and, right of it, how many patches are left ("counter",
    which the control sets)."""
    return ('<widget type="group_widget" name="panel" anchor_left="0" anchor_top="0" width="800" height="60" z="10" visible="yes"><widgets>'
            '<widget type="image_widget" name="panel_image" resourcename="img_mg_panel" width="800" height="60" visible="yes"/>'
            f'<widget type="text_widget" name="panel_title" resourcename="font_button" anchor_left="170" anchor_top="10" width="{title_width}" height="36" text="{title}" textalign="center" textvertalign="middle" visible="yes"/>'
            # The panel's dots would show between the label and the number: plain panel under both.
            f'<widget type="rect_widget" name="counter_back" anchor_left="{label_left + 36}" anchor_top="12" width="130" height="32" color="$FF7A4A24" visible="yes"/>'
            f'<widget type="text_widget" name="counter_label" resourcename="font_button" anchor_left="{label_left}" anchor_top="10" width="110" height="36" text="{label}" textalign="right" textvertalign="middle" visible="yes"/>'
            f'<widget type="text_widget" name="counter" resourcename="font_button" anchor_left="{label_left + 116}" anchor_top="10" width="40" height="36" text="0" textalign="left" textvertalign="middle" visible="yes"/>'
            '</widgets></widget>')


def diffs_screen(minigame):
    """The Find the Differences screen of the definition `minigame` (its picture and patches come
    from the definition)."""
    widgets = ['<widget type="image_widget" name="background" resourcename="img_mg_table" width="800" height="600" visible="yes"/>',
               counter_panel(f"%mg_{minigame}_name%", 360, 470, "%mg_diffs_left%"),
               '<widget type="KestrelleControlGameDiffs" name="control_game_diffs" anchor_left="0" anchor_top="0" width="800" height="600" enabled="yes" visible="yes" mousestop="yes"><widgets>'
               + picture("group1", 30) + picture("group2", 410) +
               '<widget type="image_widget" name="second_cursor" resourcename="img_diffs_cursor" width="24" height="24" z="30" visible="no"/>'
               '<widget type="group_widget" name="scenario_group" z="40" visible="yes"/>'
               '</widgets></widget>'] + hint_frame(330, 520, "%mg_diffs_hint%")  # the screen puts the hint at its "init_x"
    write(f"screen_minigame_{minigame}.xml",
          "Find the Differences: the two pictures with the patches of the differences, the mirrored cursor, the counter, the hint button and the factories of the patches and scenarios. "
          f"Named by GS_MiniGame_{minigame} in Kestrelle.ini.",
          screen("KestrelleGameScreenGameDiffs", f"GS_MiniGame_{minigame}", DIFFS_FACTORIES, widgets))


diffs_screen("diffs")
diffs_screen("diffs_park")


# ------------------------------------------------------------------------------------ Remove Items
# The owner's room fills the screen under the panel; the player's own things ("room_items", made by
# "item" from room_items.xml as the profile holds them) stand in it, and the things to tidy away
# ("remove_items", made by "diff_image") lie over them. A click beside them puts the cross there,
# which shows and fades; it waits out of sight. The hint button is in the lower right corner,
# where the room has nothing of the player's.
ROOM_ITEM = ('<widget type="image_widget" name="%name%" resourcename="%resourcename%" anchor_left="%anchor_left%" anchor_top="%anchor_top%" '
             'width="%width%" height="%height%" z="%z%" visible="yes"/>')
# An item to tidy away blinks once when made and again, longer and paler, when the hint restarts it.
CLUTTER = blink_patch(20, 250)
REMOVE_FACTORIES = [
    factory("item", ROOM_ITEM),
    factory("diff_image", CLUTTER),
    factory("scenario_start_level", '<widget type="scenario_remove_start_level" name="scenario_start_level" duration="600" visible="yes"/>'),
    factory("scenario_find_diff", FIND_DIFF.replace('type="scenario_find_diff"', 'type="scenario_remove_find_diff"')),
    factory("scenario_end_level", '<widget type="scenario_remove_end_level" name="scenario_end_level" duration="600" pause_duration="300" final_duration="500" visible="yes"/>'),
]
def remove_screen(minigame, room):
    """The Remove Items screen of the definition `minigame` (its picture, its things and whether it
    draws the player's room come from the definition); `room` tells of its picture."""
    widgets = [counter_panel(f"%mg_{minigame}_name%", 220, 390, "%mg_remove_left%"),
               '<widget type="KestrelleControlGameRemoveItems" name="control_game_remove" anchor_left="0" anchor_top="0" width="800" height="600" enabled="yes" visible="yes" mousestop="yes"><widgets>'
               '<widget type="image_widget" name="original_image" width="800" height="600" visible="yes"/>'
               '<widget type="group_widget" name="room_items" z="1" visible="yes"/>'
               '<widget type="group_widget" name="remove_items" z="2" visible="yes"/>'
               '<widget type="blink_widget" name="cross" resourcename="img_remove_cross" anchor_left="-100" anchor_top="-100" width="34" height="30" z="30" '
               'transparentlevel="0" start_transparentlevel="0" peak_transparentlevel="255" end_transparentlevel="0" firstperiod="60" secondperiod="900" visible="yes"/>'
               '<widget type="group_widget" name="scenario_group" z="40" visible="yes"/>'
               '</widgets></widget>'] + hint_frame(640, 546, "%mg_remove_hint%")
    write(f"screen_minigame_{minigame}.xml",
          f"Remove Items: {room}, the things to tidy away, the cross of a miss, the counter, the hint button and the factories of the items and scenarios. "
          f"Named by GS_MiniGame_{minigame} in Kestrelle.ini.",
          screen("KestrelleGameScreenGameRemoveItems", f"GS_MiniGame_{minigame}", REMOVE_FACTORIES, widgets))


remove_screen("remove", "the owner's room with the player's own things")
# The kitchen draws none of the player's things; the hint button's corner is bare floor there too.
remove_screen("remove_kitchen", "the owner's kitchen")
