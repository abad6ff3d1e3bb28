#!/usr/bin/env python3
"""Writes the minigames' screens (content/ini/screen_*.xml): Find Pairs "GS_MiniGame_pairs" with the
factories of its cards and scenarios, the pause menu "GS_MiniMenuBrief", the completion screen
"GS_MinigameCompleted", the help "GS_MinigameHelp", "GS_LevelInfo", "GS_SkipHint", the bonus hint of
the level "GS_BonusHint" and the bonus replay menu "GS_MainBonus". The game definition names each
file through "_outstorage". Run it again after changing a layout below."""
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from make_level_screens import button, esc, factory, zoom_effects, write  # noqa: E402

# The person factories of the help and completion screens: "person_" + the definition's
# "minigame_person". Every helper is drawn by the same picture for now.
PERSONS = ["granny", "student", "worker", "child"]


def persons():
    return "".join(factory(f"person_{p}", '<widget type="image_widget" name="helper" resourcename="img_mg_helper" width="120" height="180" visible="yes"/>')
                   for p in PERSONS)


def frame_button(name, left, top, caption, extra=""):
    """A button of the minigame frame: its own art, and "init_x" where it slides in to."""
    return (f'<widget type="ButtonControl" name="{name}" anchor_left="{left}" anchor_top="{top}" width="140" height="44" enabled="yes" visible="yes" mousestop="yes" z="20" '
            f'extraparams="\\init_x={left}"{extra}>'
            '<sounds><sound name="sound_buttonclick" resourcename="snd_click"/></sounds><widgets>'
            '<widget type="image_widget" name="image_normal" resourcename="img_mg_button" width="140" height="44" visible="no"/>'
            '<widget type="image_widget" name="image_selected" resourcename="img_mg_button_hover" width="140" height="44" visible="no"/>'
            '<widget type="image_widget" name="image_disabled" resourcename="img_mg_button_disabled" width="140" height="44" visible="no"/>'
            f'<widget type="text_widget" name="caption" resourcename="font_button" anchor_top="2" width="140" height="38" text="{caption}" textalign="center" textvertalign="middle" visible="yes"/>'
            '</widgets></widget>')


def appear(ms):
    return ('<function_widget type="function_piecewise"><paramspace><paramdefs>'
            '<paramdef name="value" col="0" row="0" static="yes" outname="transparentlevel"/>'
            '<paramdef name="time" col="1" row="0" static="yes" outname="currenttime"/>'
            f'<paramdef name="k0" col="2" row="0" static="yes" value="0"/><paramdef name="k1" col="2" row="1" static="yes" value="{ms}"/>'
            '<paramdef name="v0" col="3" row="0" static="yes" value="0"/><paramdef name="v1" col="3" row="1" static="yes" value="255"/>'
            '</paramdefs></paramspace></function_widget>')


def gamescreen(kind, name, left, top, body, effects=""):
    return (f'<gamescreen type="{kind}" name="{name}">\n  <window left="{left}" top="{top}" visible="no">\n    {effects}\n'
            + body + '  </window>\n</gamescreen>')


def widgets(items):
    return '    <widgets>\n      ' + "\n      ".join(items) + '\n    </widgets>\n'


def factories(items):
    return '    <widgetfactories>\n      ' + "\n      ".join(items) + '\n    </widgetfactories>\n'


def dialog_panel(title_key, text_name, text, w=420, h=260):
    return [f'<widget type="image_widget" name="image_panel" resourcename="img_panel" width="{w}" height="{h}" visible="yes"/>',
            f'<widget type="text_widget" name="title" resourcename="font_title" anchor_left="20" anchor_top="12" width="{w - 40}" height="44" text="{title_key}" textalign="center" textvertalign="middle" visible="yes"/>',
            f'<widget type="text_widget" name="{text_name}" resourcename="font_main" anchor_left="150" anchor_top="70" width="{w - 170}" height="{h - 150}" text="{text}" textalign="center" textvertalign="middle" multiline="yes" visible="yes"/>']


# ----------------------------------------------------------------------------------- Find Pairs
# A card: its picture turns inside "rotate" (tilt "angle"); "on" shows the selection ring and
# "show" shows or hides the picture.
ELEMENT = ('<widget type="group_widget" name="%name%" anchor_left="%anchor_left%" anchor_top="%anchor_top%" width="%width%" height="%height%" visible="yes" '
           'extraparams="\\idx=%idx%" aliases="\\on=selected/visible\\show=rotate/visible\\angle=rotate/angle"><widgets>'
           '<widget type="image_widget" name="selected" resourcename="img_pairs_selected" anchor_left="-6" anchor_top="-6" width="76" height="76" visible="no"/>'
           '<widget type="rotate_widget" name="rotate" anchor_left="%centerx%" anchor_top="%centery%" centerx="%centerx%" centery="%centery%" angle="%angle%" smooth="yes" visible="yes"><widgets>'
           '<widget type="image_widget" name="picture" resourcename="%resourcename%" width="%width%" height="%height%" visible="yes"/>'
           '</widgets></widget></widgets></widget>')
TEXT_VIZ = ('<widget type="group_widget" name="text_visualization" visible="yes" extraparams="\\visualization_time=700\\InitVizualization=no"><widgets>'
            f'<widget type="text_widget" name="text" resourcename="font_title" anchor_left="100" anchor_top="300" width="600" height="60" text="%LevelName%" textalign="center" textvertalign="middle" z="40" visible="yes">{appear(500)}</widget>'
            '</widgets></widget>')
PAIRS_FACTORIES = [
    factory("element", ELEMENT),
    factory("text_visualization", TEXT_VIZ),
    factory("scenario_start_level", '<widget type="scenario_remove_start_level" name="scenario_start_level" duration="600" visible="yes"/>'),
    factory("scenario_pairs_end_round", '<widget type="scenario_pairs_end_round" name="scenario_pairs_end_round" name1="%name1%" name2="%name2%" duration="500" visible="yes"/>'),
    factory("scenario_pairs_failed_round", '<widget type="scenario_pairs_failed_round" name="scenario_pairs_failed_round" duration="400" visible="yes"/>'),
    factory("scenario_end_level", '<widget type="scenario_pairs_end_level" name="scenario_end_level" name1="%name1%" name2="%name2%" duration="600" visible="yes"/>'),
]
PAIRS = [
    '<widget type="image_widget" name="background" resourcename="img_mg_table" width="800" height="600" visible="yes"/>',
    '<widget type="group_widget" name="panel" anchor_left="0" anchor_top="0" width="800" height="60" z="10" visible="yes"><widgets>'
    '<widget type="image_widget" name="panel_image" resourcename="img_mg_panel" width="800" height="60" visible="yes"/>'
    '<widget type="text_widget" name="panel_title" resourcename="font_button" anchor_left="200" anchor_top="10" width="400" height="36" text="%mg_pairs_name%" textalign="center" textvertalign="middle" visible="yes"/>'
    '</widgets></widget>',
    '<widget type="KestrelleControlGameFindPairs" name="control_game_find_pairs" anchor_left="0" anchor_top="0" width="800" height="600" enabled="yes" visible="yes" mousestop="yes"><widgets>'
    '<widget type="group_widget" name="elements" visible="yes"/>'
    '<widget type="group_widget" name="scenario_group" z="40" visible="yes"/>'
    '</widgets></widget>',
    '<widget type="rect_widget" name="frame_black" anchor_left="0" anchor_top="0" width="800" height="600" color="$FF000000" transparentlevel="0" z="30" visible="yes"/>',
    frame_button("button_menu", 10, 8, "%Menu%"),
    frame_button("button_skip", 650, 8, "%Skip%"),
    frame_button("button_close", 330, 540, "%Close%"),
]
SOUNDS = ('    <sounds><sound name="sound_minigame_click" resourcename="snd_station_click"/>'
          '<sound name="sound_minigame_correct_click" resourcename="snd_correct_click"/>'
          '<sound name="sound_minigame_completed" resourcename="snd_stat_medal"/></sounds>\n')
write("screen_minigame_pairs.xml", "Find Pairs: the cards of each round on the table, the frame's panel and buttons, and the factories of the cards and scenarios. Named by GS_MiniGame_pairs in Kestrelle.ini.",
      gamescreen("KestrelleGameScreenGameFindPairs", "GS_MiniGame_pairs", 0, 0,
                 '    <musics><music name="music_background" resourcename="mus_level"/></musics>\n' + SOUNDS + factories(PAIRS_FACTORIES) + widgets(PAIRS)))

# ----------------------------------------------------------------------------------- pause menu
MENU_BUTTONS = "".join(button(n, 0, 0, c) for n, c in (("button_unpause", "%Resume%"), ("button_options", "%Options%"),
                                                      ("button_rules", "%Rules%"), ("button_main_menu", "%MainMenu%")))
write("screen_mini_menu_brief.xml", "The minigames' pause menu: its buttons spread over the group's height. Named by GS_MiniMenuBrief in Kestrelle.ini.",
      gamescreen("KestrelleGameScreenMiniMenuBrief", "GS_MiniMenuBrief", 160, 120,
                 widgets(['<widget type="image_widget" name="image_panel" resourcename="img_panel" width="480" height="360" visible="yes"/>',
                          '<widget type="text_widget" name="label_title" resourcename="font_title" anchor_left="120" anchor_top="0" width="240" height="40" text="%title_Pause%" textalign="center" textvertalign="middle" visible="yes"/>',
                          '<widget type="group_widget" name="buttons" anchor_left="150" anchor_top="44" visible="yes" mousestop="yes" extraparams="\\group_height=300"><widgets>' + MENU_BUTTONS + '</widgets></widget>']),
                 zoom_effects(240, 180)))

# ----------------------------------------------------------------------------------- completion and help
CLOSE = ' actiontype="closegamescreen"'
write("screen_minigame_completed.xml", "The end of a minigame: title, the helper, the text and the money earned. Named by GS_MinigameCompleted in Kestrelle.ini.",
      gamescreen("KestrelleGameScreenMinigameCompleted", "GS_MinigameCompleted", 160, 120,
                 factories([persons()]) +
                 widgets(dialog_panel("", "text_GameCompleted", "", 480, 360) + [
                     '<widget type="group_widget" name="person" anchor_left="20" anchor_top="80" visible="yes"/>',
                     '<widget type="image_widget" name="coin" resourcename="img_coin" anchor_left="250" anchor_top="230" width="24" height="24" visible="yes"/>',
                     '<widget type="text_widget" name="moneyEarned" resourcename="font_button" anchor_left="280" anchor_top="226" width="100" height="30" text="0" textalign="left" textvertalign="middle" visible="yes"/>',
                     button("button_ok", 270, 290, "%Continue%", extra=CLOSE)]),
                 zoom_effects(240, 180)))
write("screen_minigame_help.xml", "Before a minigame: the helper explains it. Named by GS_MinigameHelp in Kestrelle.ini.",
      gamescreen("KestrelleGameScreenMinigameHelp", "GS_MinigameHelp", 160, 120,
                 factories([persons()]) +
                 widgets(dialog_panel("%title_MinigameHelp%", "text_GameHelp", "", 480, 360) + [
                     '<widget type="group_widget" name="person" anchor_left="20" anchor_top="80" visible="yes"/>',
                     button("button_ok", 270, 290, "%Play%", extra=CLOSE)]),
                 zoom_effects(240, 180)))

# ----------------------------------------------------------------------------------- small dialogs
def query(kind, name, comment, fname, title, text, extra_widgets=()):
    write(fname, comment + f" Named by {name} in Kestrelle.ini.",
          gamescreen(kind, name, 190, 190,
                     widgets(['<widget type="image_widget" name="image_panel" resourcename="img_query_panel" width="420" height="220" visible="yes"/>',
                              f'<widget type="text_widget" name="label_title" resourcename="font_title" anchor_left="20" anchor_top="14" width="380" height="40" text="{title}" textalign="center" textvertalign="middle" visible="yes"/>',
                              f'<widget type="text_widget" name="label_question" resourcename="font_main" anchor_left="30" anchor_top="60" width="360" height="80" text="{text}" textalign="center" textvertalign="middle" multiline="yes" visible="yes"/>',
                              button("button_ok", 120, 156, "%OK%")] + list(extra_widgets)),
                     zoom_effects(210, 110)))


query("GameScreenQueryDialog", "GS_LevelInfo", "What a minigame tells about its round.", "screen_level_info.xml", "%title_LevelInfo%", "%LevelInfo%")
query("GameScreenQueryDialog", "GS_SkipHint", "Once per player after the first help: the skip button.", "screen_skip_hint.xml", "%title_SkipHint%", "%SkipHint%")
# The bonus hint: an arrow ("6") points up at the station holding the bonus.
write("screen_bonus_hint.xml", "The first bonus of a level: an arrow under the station that holds it and a word on bonuses. Named by GS_BonusHint in Kestrelle.ini.",
      gamescreen("KestrelleGameScreenBonusHint", "GS_BonusHint", 0, 0,
                 widgets(['<widget type="image_widget" name="6" resourcename="img_mg_arrow" anchor_left="88" anchor_top="260" width="48" height="48" visible="yes"/>',
                          '<widget type="image_widget" name="image_panel" resourcename="img_query_panel" anchor_left="190" anchor_top="360" width="420" height="220" visible="yes"/>',
                          '<widget type="text_widget" name="label_title" resourcename="font_title" anchor_left="210" anchor_top="374" width="380" height="40" text="%title_BonusHint%" textalign="center" textvertalign="middle" visible="yes"/>',
                          '<widget type="text_widget" name="label_question" resourcename="font_main" anchor_left="220" anchor_top="420" width="360" height="80" text="%BonusHint%" textalign="center" textvertalign="middle" multiline="yes" visible="yes"/>',
                          button("button_ok", 310, 516, "%OK%", extra=CLOSE)])))

# ----------------------------------------------------------------------------------- bonus replay
# One button per minigame; "level_disabled" / "level_enabled" show its look. The buttons are wider
# than the menu's (their own art, "img_bonus_button_*") for the longer minigame names.
BONUS_BUTTON_W = 280


def level_button(minigame, left, top):
    w = BONUS_BUTTON_W
    return (f'<widget type="group_widget" name="level_{minigame}" anchor_left="{left}" anchor_top="{top}" visible="yes" mousestop="yes" '
            f'extraparams="\\minigame={minigame}" aliases="\\level_disabled=disabled/visible\\level_enabled=enabled/visible"><widgets>'
            '<widget type="group_widget" name="enabled" visible="no" mousestop="yes"><widgets>'
            + button("button", 0, 0, f"%mg_{minigame}_name%", w=w).replace('"img_button_', '"img_bonus_button_') + '</widgets></widget>'
            '<widget type="group_widget" name="disabled" visible="yes"><widgets>'
            f'<widget type="image_widget" name="image" resourcename="img_bonus_button_disabled" width="{w}" height="46" visible="yes"/>'
            f'<widget type="text_widget" name="caption" resourcename="font_button" anchor_top="2" width="{w}" height="40" text="%mg_{minigame}_name%" textalign="center" textvertalign="middle" visible="yes"/>'
            '</widgets></widget></widgets></widget>')


# Every minigame in the order of the levels leading to it (the second pictures of Find the
# Differences, Puzzle, Satchel and Remove Items among them), in two columns of eight rows: a panel
# of 660 x 580 in the middle of the picture, the close button under the columns.
BONUS_MINIGAMES = ["pairs", "diffs", "puzzle", "diffs_park", "satchel", "puzzle_harbour", "remove", "satchel_picnic",
                   "redundant", "square", "remove_kitchen", "yang", "hurdle", "path", "stamp"]
BONUS_W, BONUS_H = 660, 580
BONUS_COLUMNS, BONUS_TOP, BONUS_ROW, BONUS_ROWS = (40, 340), 76, 52, 8
# The panel's title ribbon is a ninth of its height (40 of panel.svg's 360).
BONUS_RIBBON = BONUS_H * 40 // 360


def bonus_place(i):
    return BONUS_COLUMNS[i // BONUS_ROWS], BONUS_TOP + (i % BONUS_ROWS) * BONUS_ROW


write("screen_main_bonus.xml", "The bonus menu: replays the minigames whose level has been passed. Named by GS_MainBonus in Kestrelle.ini.",
      gamescreen("KestrelleGameScreenMainBonus", "GS_MainBonus", (800 - BONUS_W) // 2, (600 - BONUS_H) // 2,
                 widgets([f'<widget type="image_widget" name="image_panel" resourcename="img_panel_bonus" width="{BONUS_W}" height="{BONUS_H}" visible="yes"/>',
                          f'<widget type="text_widget" name="label_title" resourcename="font_title" anchor_left="{(BONUS_W - 320) // 2}" anchor_top="{BONUS_RIBBON // 2 - 22}" width="320" height="44" text="%title_MainBonus%" textalign="center" textvertalign="middle" visible="yes"/>',
                          '<widget type="group_widget" name="level_buttons" visible="yes" mousestop="yes"><widgets>'
                          + "".join(level_button(m, *bonus_place(i)) for i, m in enumerate(BONUS_MINIGAMES)) + '</widgets></widget>',
                          button("button_close", (BONUS_W - 180) // 2, BONUS_TOP + BONUS_ROWS * BONUS_ROW + 14, "%Close%", extra=CLOSE)]),
                 zoom_effects(BONUS_W // 2, BONUS_H // 2)))
