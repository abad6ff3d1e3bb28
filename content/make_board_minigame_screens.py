#!/usr/bin/env python3
"""Writes the screens of the board minigames (content/ini/screen_minigame_<name>.xml): Square
"GS_MiniGame_square" with the factories of its tiles and scenarios. The game definition names each
file through "_outstorage". Run it again after changing a layout below."""
import os
import sys
import xml.etree.ElementTree as ET

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from make_level_screens import factory, write  # noqa: E402


def frame_button(name, left, top, caption):
    """A button of the minigame frame: its own art, and "init_x" where it slides in to."""
    return (f'<widget type="ButtonControl" name="{name}" anchor_left="{left}" anchor_top="{top}" width="140" height="44" enabled="yes" visible="yes" mousestop="yes" z="20" '
            f'extraparams="\\init_x={left}">'
            '<sounds><sound name="sound_buttonclick" resourcename="snd_click"/></sounds><widgets>'
            '<widget type="image_widget" name="image_normal" resourcename="img_mg_button" width="140" height="44" visible="no"/>'
            '<widget type="image_widget" name="image_selected" resourcename="img_mg_button_hover" width="140" height="44" visible="no"/>'
            '<widget type="image_widget" name="image_disabled" resourcename="img_mg_button_disabled" width="140" height="44" visible="no"/>'
            f'<widget type="text_widget" name="caption" resourcename="font_button" anchor_top="2" width="140" height="38" text="{caption}" textalign="center" textvertalign="middle" visible="yes"/>'
            '</widgets></widget>')


def frame(title_key, control):
    """The table, the panel with the title, the control, and the frame's three buttons."""
    return [
        '<widget type="image_widget" name="background" resourcename="img_mg_table" width="800" height="600" visible="yes"/>',
        '<widget type="group_widget" name="panel" anchor_left="0" anchor_top="0" width="800" height="60" z="10" visible="yes"><widgets>'
        '<widget type="image_widget" name="panel_image" resourcename="img_mg_panel" width="800" height="60" visible="yes"/>'
        f'<widget type="text_widget" name="panel_title" resourcename="font_button" anchor_left="200" anchor_top="10" width="400" height="36" text="{title_key}" textalign="center" textvertalign="middle" visible="yes"/>'
        '</widgets></widget>',
        control,
        frame_button("button_menu", 10, 8, "%Menu%"),
        frame_button("button_skip", 650, 8, "%Skip%"),
        frame_button("button_close", 330, 540, "%Close%"),
    ]


def gamescreen(kind, name, sounds, factories, widgets):
    return (f'<gamescreen type="{kind}" name="{name}">\n  <window left="0" top="0" visible="no">\n'
            '    <musics><music name="music_background" resourcename="mus_level"/></musics>\n'
            '    <sounds>' + "".join(f'<sound name="{n}" resourcename="{r}"/>' for n, r in sounds) + '</sounds>\n'
            '    <widgetfactories>\n      ' + "\n      ".join(factories) + '\n    </widgetfactories>\n'
            '    <widgets>\n      ' + "\n      ".join(widgets) + '\n    </widgets>\n'
            '  </window>\n</gamescreen>')


SOUNDS = [("sound_minigame_click", "snd_station_click"), ("sound_minigame_move", "snd_correct_click"),
          ("sound_minigame_completed", "snd_stat_medal")]
# The frame slides in and out through the Hurdle scenarios (menu, skip and panel).
FRAME_SCENARIOS = [
    factory("scenario_start_level", '<widget type="scenario_hurdle_start_level" name="scenario_start_level" duration="600" visible="yes"/>'),
    factory("scenario_end_level", '<widget type="scenario_hurdle_end_level" name="scenario_end_level" duration="500" visible="yes"/>'),
]
# Each move is named after its piece, so the two moves of a swap run together; it reports its own
# name and leaves its piece "fixed".
MOVE = factory("scenario_element_move", '<widget type="scenario_element_move" name="scenario_element_move_%name%" element_name="%element_name%" '
               'final_x="%final_x%" final_y="%final_y%" duration="400" report_own_name="yes" final_state="fixed" visible="yes"/>')

# ----------------------------------------------------------------------------------- Square
# A tile: its digit's picture, and a ring shown while it is selected ("on" = -1).
SQUARE_TILE = ('<widget type="group_widget" name="%name%" anchor_left="%anchor_left%" anchor_top="%anchor_top%" width="80" height="80" visible="yes" '
               'extraparams="\\digit=%digit%\\row=%row%\\col=%col%\\state=fixed" aliases="\\on=selected/visible"><widgets>'
               '<widget type="image_widget" name="picture" resourcename="%resourcename%" width="80" height="80" visible="yes"/>'
               '<widget type="image_widget" name="selected" resourcename="img_board_selected" width="80" height="80" visible="no"/>'
               '</widgets></widget>')
write("screen_minigame_square.xml", "Square: nine digit tiles on the table, the frame's panel and buttons, and the factories of the tiles and scenarios. Named by GS_MiniGame_square in Kestrelle.ini.",
      gamescreen("KestrelleGameScreenGameSquare", "GS_MiniGame_square", SOUNDS,
                 [factory("square_element", SQUARE_TILE), MOVE] + FRAME_SCENARIOS,
                 frame("%mg_square_name%",
                       '<widget type="KestrelleControlGameSquare" name="control_game_square" anchor_left="0" anchor_top="0" width="800" height="600" enabled="yes" visible="yes" mousestop="yes"><widgets>'
                       '<widget type="image_widget" name="board" resourcename="img_square_board" anchor_left="270" anchor_top="170" width="260" height="260" visible="yes"/>'
                       '<widget type="group_widget" name="cells" visible="yes"/>'
                       '<widget type="group_widget" name="scenario_group" z="40" visible="yes"/>'
                       '</widgets></widget>')))

# ----------------------------------------------------------------------------------- Yang
# A tile: its picture ("img_yang_" + its "type", or wood for the plain tiles). The Yang scenarios
# fade the tray "bg" in and out and slide the menu and skip buttons; the title stands outside the
# frame's panel.
def yang_tile(kind, picture):
    return ('<widget type="group_widget" name="%name%" anchor_left="%anchor_left%" anchor_top="%anchor_top%" width="80" height="80" visible="yes" '
            f'extraparams="\\row=%row%\\col=%col%\\type={kind}\\state=fixed"><widgets>'
            f'<widget type="image_widget" name="picture" resourcename="{picture}" width="80" height="80" visible="yes"/>'
            '</widgets></widget>')


YANG_FACTORIES = [factory("yang_element", yang_tile("plain", "img_yang_plain"))] + [
    factory(f"yang_element_{q}", yang_tile(q, f"img_yang_{q}")) for q in ("top_left", "top_right", "bottom_left", "bottom_right")] + [
    MOVE,
    factory("scenario_start_level", '<widget type="scenario_yang_start_level" name="scenario_start_level" duration="600" visible="yes"/>'),
    factory("scenario_end_level", '<widget type="scenario_yang_end_level" name="scenario_end_level" duration="500" visible="yes"/>'),
]
YANG = frame("%mg_yang_name%",
             '<widget type="KestrelleControlGameYang" name="control_game_yang" anchor_left="0" anchor_top="0" width="800" height="600" enabled="yes" visible="yes" mousestop="yes"><widgets>'
             '<widget type="image_widget" name="Yang_picture_under" resourcename="img_yang_picture" anchor_left="320" anchor_top="220" width="160" height="160" transparentlevel="70" visible="yes"/>'
             '<widget type="group_widget" name="cells" visible="yes"/>'
             '<widget type="group_widget" name="scenario_group" z="40" visible="yes"/>'
             '</widgets></widget>')
YANG[1] = YANG[1].replace('name="panel"', 'name="title_panel"')
YANG.insert(1, '<widget type="image_widget" name="bg" resourcename="img_yang_tray" anchor_left="230" anchor_top="130" width="340" height="340" transparentlevel="0" visible="yes"/>')
write("screen_minigame_yang.xml", "Yang: the sliding board with its picture tiles on the tray, the frame's panel and buttons, and the factories of the tiles and scenarios. Named by GS_MiniGame_yang in Kestrelle.ini.",
      gamescreen("KestrelleGameScreenGameYang", "GS_MiniGame_yang", SOUNDS, YANG_FACTORIES, YANG))

# ----------------------------------------------------------------------------------- Hurdle
# The places come from the definition "hurdle" of shop/minigames.xml: each shows a mat under its
# flower and a sign with the flower it wants. A picture: a ring while selected ("on" = -1).
DEFS = ET.parse(os.path.join(os.path.dirname(os.path.abspath(__file__)), "shop", "minigames.xml")).getroot()
HURDLE_DEF = next(d for d in DEFS if d.get("name") == "hurdle")
FLOWER = ('<widget type="group_widget" name="%name%" anchor_left="%anchor_left%" anchor_top="%anchor_top%" width="%width%" height="%height%" visible="yes" '
          'extraparams="\\place=%place%\\state=fixed" aliases="\\on=selected/visible"><widgets>'
          '<widget type="image_widget" name="selected" resourcename="img_board_selected" anchor_left="-8" anchor_top="-8" width="80" height="80" visible="no"/>'
          '<widget type="image_widget" name="picture" resourcename="%resourcename%" width="%width%" height="%height%" visible="yes"/>'
          '</widgets></widget>')
HURDLE_PLACES = []
for place in HURDLE_DEF.find("places"):
    x, y, goal = int(place.get("x")), int(place.get("y")), place.get("goal")
    HURDLE_PLACES.append(f'<widget type="image_widget" name="mat_{place.get("name")}" resourcename="img_hurdle_place" anchor_left="{x - 18}" anchor_top="{y + 48}" width="100" height="32" visible="yes"/>'
                         f'<widget type="image_widget" name="sign_{place.get("name")}" resourcename="img_hurdle_sign_{goal}" anchor_left="{x}" anchor_top="{y + 90}" width="64" height="48" visible="yes"/>')
HURDLE = frame("%mg_hurdle_name%",
               '<widget type="KestrelleControlGameHurdle" name="control_game_hurdle" anchor_left="0" anchor_top="0" width="800" height="600" enabled="yes" visible="yes" mousestop="yes"><widgets>'
               '<widget type="group_widget" name="places" visible="yes"><widgets>' + "".join(HURDLE_PLACES) + '</widgets></widget>'
               '<widget type="group_widget" name="cells" visible="yes"/>'
               '<widget type="group_widget" name="scenario_group" z="40" visible="yes"/>'
               '</widgets></widget>')
write("screen_minigame_hurdle.xml", "Hurdle: the flowers on their places, each place's sign, the frame's panel and buttons, and the factories of the flowers and scenarios. Named by GS_MiniGame_hurdle in Kestrelle.ini.",
      gamescreen("KestrelleGameScreenGameHurdle", "GS_MiniGame_hurdle", SOUNDS, [factory("flower", FLOWER), MOVE] + FRAME_SCENARIOS, HURDLE))

# ----------------------------------------------------------------------------------- Path
# A piece, named after its cell: the hit area "contour" and its two looks, each turning its picture
# by the piece's "angle". The group "fixed" holds the tap the water comes from (left of the top-left
# cell), the lamp at the way out (right of the bottom-right cell) and the clock "timer".
PATH_DEF = next(d for d in DEFS if d.get("name") == "path")
PARAMS = dict(pair.split("=", 1) for pair in PATH_DEF.get("extraparams").split("\\") if "=" in pair)
PX, PY, PW, PH = (int(PARAMS[k]) for k in ("start_x", "start_y", "width", "height"))
ROWS, COLS = int(PARAMS["rows"]), int(PARAMS["cols"])


def path_piece(kind):
    def look(name, visible):
        return (f'<widget type="rotate_widget" name="{name}" anchor_left="{PW // 2}" anchor_top="{PH // 2}" centerx="{PW // 2}" centery="{PH // 2}" angle="%angle%" smooth="yes" visible="{visible}"><widgets>'
                f'<widget type="image_widget" name="picture" resourcename="img_path_{kind}_{name}" width="{PW}" height="{PH}" visible="yes"/>'
                '</widgets></widget>')
    return (f'<widget type="KestrellePathElement" name="%row%_%col%" anchor_left="%anchor_left%" anchor_top="%anchor_top%" width="{PW}" height="{PH}" visible="yes" '
            f'extraparams="\\path_type={kind}"><widgets>'
            f'<widget type="rect_widget" name="contour" width="{PW}" height="{PH}" color="$00000000" visible="no"/>'
            + look("normal", "yes") + look("correct", "no") + '</widgets></widget>')


PATH_FACTORIES = [factory("path_element_line", path_piece("line")), factory("path_element_turn", path_piece("turn")),
                  factory("scenario_start_level", '<widget type="scenario_path_start_level" name="scenario_start_level" duration="600" width="800" height="600" visible="yes"><widgets>'
                          '<widget type="surface_widget" name="internal" transparentlevel="0" visible="yes"/></widgets></widget>'),
                  factory("scenario_end_level", '<widget type="scenario_path_end_level" name="scenario_end_level" duration="500" width="800" height="600" visible="yes"><widgets>'
                          '<widget type="surface_widget" name="internal" visible="yes"/></widgets></widget>')]
FIXED = ('<widget type="group_widget" name="fixed" width="800" height="600" visible="yes"><widgets>'
         f'<widget type="image_widget" name="tap" resourcename="img_path_tap" anchor_left="{PX - PW}" anchor_top="{PY}" width="{PW}" height="{PH}" visible="yes"/>'
         f'<widget type="group_widget" name="lamp" anchor_left="{PX + COLS * PW}" anchor_top="{PY + (ROWS - 1) * PH}" width="{PW}" height="{PH}" visible="yes" aliases="\\on=lamp_on/visible\\off=lamp_off/visible"><widgets>'
         f'<widget type="image_widget" name="lamp_on" resourcename="img_path_lamp_on" width="{PW}" height="{PH}" visible="no"/>'
         f'<widget type="image_widget" name="lamp_off" resourcename="img_path_lamp_off" width="{PW}" height="{PH}" visible="yes"/>'
         '</widgets></widget>'
         '<widget type="group_widget" name="timer" anchor_left="680" anchor_top="80" width="64" height="64" visible="no"><widgets>'
         '<widget type="image_widget" name="face" resourcename="img_path_clock" width="64" height="64" visible="yes"/>'
         '<widget type="rotate_widget_timed" name="hand" anchor_left="32" anchor_top="32" centerx="32" centery="32" rotationtime="60000" startangle="0" rotate="yes" smooth="yes" visible="yes"><widgets>'
         '<widget type="image_widget" name="picture" resourcename="img_path_clock_hand" width="64" height="64" visible="yes"/></widgets></widget>'
         '</widgets></widget>'
         '</widgets></widget>')
PATH = frame("%mg_path_name%",
             '<widget type="KestrelleControlGamePath" name="control_game_path" anchor_left="0" anchor_top="0" width="800" height="600" enabled="yes" visible="yes" mousestop="yes"><widgets>'
             f'<widget type="image_widget" name="tray" resourcename="img_path_tray" anchor_left="{PX - 10}" anchor_top="{PY - 10}" width="{COLS * PW + 20}" height="{ROWS * PH + 20}" visible="yes"/>'
             + FIXED +
             '<widget type="group_widget" name="cells" visible="yes"/>'
             '<widget type="group_widget" name="scenario_group" z="40" visible="yes"/>'
             '</widgets></widget>')
write("screen_minigame_path.xml", "Path: the pipe pieces on their tray, the tap, the lamp and the clock, the frame's panel and buttons, and the factories of the pieces and scenarios. Named by GS_MiniGame_path in Kestrelle.ini.",
      gamescreen("KestrelleGameScreenGamePath", "GS_MiniGame_path", SOUNDS[:1] + SOUNDS[2:], PATH_FACTORIES, PATH))
