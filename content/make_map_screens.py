#!/usr/bin/env python3
"""Writes the screens of the town map and of the story (content/ini/screen_*.xml): the map
"GS_Map" with its calendar, shop icons and scenes, the dialogue "GS_Dialogue", the medals
"GS_NewAward", the introduction "GS_History", and the small screens around the map. The game
definition names each file through "_outstorage". Run it again after changing a layout below."""
import os
from make_level_screens import esc, button, factory, zoom_effects

HERE = os.path.dirname(os.path.abspath(__file__))
OUT = os.path.join(HERE, "ini")
SHOPS = ["garden", "bakery", "books", "toys", "tea", "fashion"]
SHOP_NAMES = ["ShopGarden", "ShopBakery", "ShopBooks", "ShopToys", "ShopTea", "ShopFashion"]
PERSONS = ["granny", "student", "worker", "child", "owner", "grandma"]

def write(name, typ, screen, comment, window):
    with open(os.path.join(OUT, f"{name}.xml"), "w") as f:
        f.write('<?xml version="1.0" encoding="UTF-8"?>\n')
        f.write(f"<!-- {comment} Named by {screen} in Kestrelle.ini. -->\n")
        f.write(f'<gamescreen type="{typ}" name="{screen}">\n{window}\n</gamescreen>\n')

def img(name, res, left, top, w, h, visible="yes", extra=""):
    return f'<widget type="image_widget" name="{name}" resourcename="{res}" anchor_left="{left}" anchor_top="{top}" width="{w}" height="{h}" visible="{visible}"{extra}/>'

def text(name, font, left, top, w, h, txt, extra=""):
    return (f'<widget type="text_widget" name="{name}" resourcename="{font}" anchor_left="{left}" anchor_top="{top}" width="{w}" height="{h}" '
            f'text="{txt}" textalign="center" textvertalign="middle" multiline="yes" visible="yes"{extra}/>')

def group(name, children, left=0, top=0, visible="yes", extra=""):
    return f'<widget type="group_widget" name="{name}" anchor_left="{left}" anchor_top="{top}" visible="{visible}"{extra}><widgets>{"".join(children)}</widgets></widget>'

def scene_to_map(name, duration):
    # A pause that tells the map control it is over (command 11 with the scene's name).
    return (f'<widget type="flash_scenario_control" name="{name}" paused="yes" duration="{duration}" next="execute_command:11" '
            f'command_params="scenario_to_finalize={name}" extraparams="\\control_name=../map_control"/>')

# Map objects of "map_defs": the sky and each shop's street.
MAP_FACTORIES = [factory("map_sky", '<widget type="image_widget" name="sky" resourcename="img_map_sky" anchor_left="0" anchor_top="0" width="800" height="600" visible="yes"/>')]
for shop in SHOPS:
    MAP_FACTORIES.append(factory(f"map_{shop}_front", f'<widget type="image_widget" name="street" resourcename="img_mapart_street_{shop}" anchor_left="0" anchor_top="40" width="800" height="330" visible="yes"/>'))

# ------------------------------------------------------------------------------------------ GS_Map
def look(name, res, visible="no"):
    # A look with a highlight of its own: the day hands "highlight" to its state child, which shows
    # its "on/highlight" child.
    return (f'<widget type="KestrelleIconShop" name="{name}" icon_state="on" visible="{visible}"><widgets>'
            + group("on", [img("face", res, 0, 0, 80, 80), img("highlight", "img_mapart_day_highlight", 0, 0, 80, 80, "no")])
            + '</widgets></widget>')

def day(n):
    return (f'<widget type="KestrelleMapLevel" name="{n}" anchor_left="{20 + (n - 1) * 90}" anchor_top="24" width="80" height="80" visible="yes"><widgets>'
            + look("locked", "img_mapart_day_locked", "yes") + look("current", "img_mapart_day_current") + look("completed", "img_mapart_day_completed")
            + img("available", "img_mapart_day_available", 0, 0, 80, 80, "no")
            + text("number", "font_label", 4, 8, 72, 16, str(n))
            + img("award_time", "img_mapart_award_small_time", 4, 54, 24, 24, "no")
            + img("award_service", "img_mapart_award_small_service", 52, 54, 24, 24, "no")
            + '</widgets></widget>')

def shop_icon(i, shop, name):
    states = "".join(group(state, [img("face", f"img_mapart_icon_{shop}", 0, 0, 64, 64)]
                           + ([img("mark", f"img_mapart_icon_{state}", 0, 0, 64, 64)] if state != "current" else [img("mark", "img_mapart_icon_current", 0, 0, 64, 64)])
                           + [img("highlight", "img_mapart_icon_highlight", 0, 0, 64, 64, "no")], visible="no")
                     for state in ("locked", "current", "completed"))
    return f'<widget type="KestrelleIconShop" name="{name}" anchor_left="{14 + i * 72}" anchor_top="8" width="64" height="64" visible="yes"><widgets>{states}</widgets></widget>'

MAP = ['<window left="0" top="0" visible="no">',
       '<musics><music name="music_background" resourcename="mus_map"/></musics>',
       "<widgetfactories>" + "".join(MAP_FACTORIES) + "</widgetfactories>",
       '<sounds><sound name="sound_buttonclick" resourcename="snd_click"/></sounds>',
       "<widgets>",
       group("bg_group", []),
       text("title", "font_title", 200, 4, 400, 36, "%map_title%"),
       '<widget type="KestrelleControlMap" name="map_control" anchor_left="0" anchor_top="0" width="800" height="600" enabled="yes" visible="yes" mousestop="yes"><widgets>'
       + group("calender_group", [img("calender_image", "img_mapart_calendar_panel", 0, 0, 760, 120)] + [day(n) for n in range(1, 9)], 20, 380)
       + group("shop_icon_group", [img("icon_panel", "img_mapart_icon_panel", 0, 0, 460, 80)] + [shop_icon(i, s, n) for i, (s, n) in enumerate(zip(SHOPS, SHOP_NAMES))], 20, 510)
       + group("scenario_group", [])
       + "</widgets></widget>",
       group("bottom", [text("label_money", "font_small", 0, 0, 60, 56, "%map_money%"),
                        text("money", "font_title", 60, 0, 80, 56, "0")], 470, 522),
       button("button_play", 610, 526, "%Play%"),
       # Back to the main menu.
       button("button_menu", 610, 6, "%map_menu%", extra=' actiontype="closegamescreen"'),
       # The owner's life, whenever the player wants (the map's own way there is a new action).
       button("button_actions", 10, 6, "%title_Actions%", extra=' actiontype="showgamescreen" gamescreenname="GS_Actions"'),
       scene_to_map("map_pause", 700), scene_to_map("map_tutor", 500), scene_to_map("room_tutor", 500),
       # Switching shops: the street fades out, the map is built anew, and it fades in again.
       '<widget type="flash_scenario_control" name="map_hide" paused="yes" linked_widget_name="bg_group" properties="transparentlevel" value="0" duration="250" next="execute_command:11" command_params="scenario_to_finalize=map_hide" extraparams="\\control_name=../map_control"/>',
       '<widget type="flash_scenario" name="map_show" paused="yes" linked_widget_name="bg_group" properties="transparentlevel" value="255" duration="250"/>',
       "</widgets></window>"]
write("screen_map", "KestrelleGameScreenMap", "GS_Map", "The town map: the street of the shown shop, its calendar, the row of shops and the money.", "\n".join(MAP))

# ------------------------------------------------------------------------------------- GS_Dialogue
def bubble(side, left):
    return (f'<widget type="group_widget" name="line_{side}" anchor_left="{left}" anchor_top="40" visible="no" mousestop="yes" extraparams="\\text=\\pers="><widgets>'
            + img("bubble", f"img_mapart_bubble_{side}", 0, 0, 380, 170)
            + text("text", "font_main", 20, 10, 340, 90, "")
            + group("buttons", [button("button_next", 180, 102, "%dlg_next%"), button("button_close", 180, 102, "%dlg_close%"),
                                button("button_yes", 10, 102, "%dlg_yes%"), button("button_no", 190, 102, "%dlg_no%")], extra=' mousestop="yes"')
            + "</widgets></widget>")

PERSON_FACTORIES = [factory(f"person_{p}", f'<widget type="image_widget" name="{p}" resourcename="img_person_{p}" anchor_left="%anchor_left%" anchor_top="%anchor_top%" width="144" height="240" visible="yes"/>') for p in PERSONS]
DIALOGUE = ['<window left="0" top="0" visible="no">',
            "<widgetfactories>" + "".join(MAP_FACTORIES + PERSON_FACTORIES) + "</widgetfactories>",
            "<widgets>", group("shop_back", []), '<widget type="rect_widget" name="dim" anchor_left="0" anchor_top="0" width="800" height="600" color="$60000000" visible="yes"/>',
            group("persons", [], 0, 120), bubble("left", 20), bubble("right", 400), "</widgets></window>"]
write("screen_dialogue", "KestrelleGameScreenDialogue", "GS_Dialogue", "A conversation in front of a shop: persons, their two speech bubbles and the shop's street behind.", "\n".join(DIALOGUE))

# ------------------------------------------------------------------------------------- GS_NewAward
AWARDS = [("award_time", "img_medal_time", 56), ("award_service", "img_medal_service", 56), ("award_clients", "img_mapart_medal_clients", 100),
          ("award_3_shops", "img_mapart_medal_3_shops", 100), ("award_6_shops", "img_mapart_medal_6_shops", 100)]
# Each medal has its own place in the row, so any set of them stands side by side.
AWARD_FACTORIES = [factory(n, f'<widget type="group_widget" name="{n}" anchor_left="{i * 88}" width="88" height="150" visible="yes"><widgets>'
                              + img("medal", r, (88 - min(s, 80)) // 2, (100 - min(s, 80)) // 2, min(s, 80), min(s, 80)) + text("label", "font_small", 0, 104, 88, 40, f"%{n}%") + "</widgets></widget>")
                   for i, (n, r, s) in enumerate(AWARDS)]
AWARD = ['<window left="160" top="120" visible="no">', zoom_effects(240, 180),
         '<sounds><sound name="sound_execute_action" resourcename="snd_chime"/></sounds>',
         "<widgetfactories>" + "".join(AWARD_FACTORIES) + "</widgetfactories>", "<widgets>",
         img("image_panel", "img_panel", 0, 0, 480, 360), text("label_title", "font_title", 20, 10, 440, 40, "%title_NewAward%"),
         # Every medal's place, faint: the ones won in the level stand out in the row of them all.
         group("award_places", [img(f"place_{n}", r, i * 88 + (88 - min(s, 80)) // 2, (100 - min(s, 80)) // 2, min(s, 80), min(s, 80),
                                    extra=' transparentlevel="50"') for i, (n, r, s) in enumerate(AWARDS)], 20, 80),
         '<widget type="group_widget" name="awards" anchor_left="20" anchor_top="80" visible="yes"/>',
         group("scenario_group", []), button("button_ok", 150, 290, "%OK%"), "</widgets></window>"]
write("screen_new_award", "KestrelleGameScreenNewAward", "GS_NewAward", "The medals won in a level.", "\n".join(AWARD))

# -------------------------------------------------------------------------------------- GS_History
CARDS = 3
frames = "".join(f'<widget type="group_widget" name="frame_{i:02d}" anchor_left="{900}" anchor_top="120" visible="yes" extraparams="\\init_x=900\\init_y=120"><widgets>'
                 + img("card", f"img_mapart_story_{i + 1}", 10, 10, 360, 260) + img("frame", "img_mapart_story_frame", 0, 0, 380, 280) + "</widgets></widget>"
                 for i in range(CARDS))
texts = "".join(text(f"text_{i:02d}", "font_main", 100, 420, 600, 70, f"%history_{i + 1}%", ' visible="no"').replace('visible="yes" visible="no"', 'visible="no"') for i in range(CARDS))
scenes = []
for i in range(CARDS):
    nxt = f"show_{i + 1:02d}" if i + 1 < CARDS else "show_end"
    # Each scene slides its card in and shows its line; the previous card slides out.
    scenes.append(f'<widget type="flash_scenario" name="show_{i:02d}" paused="yes" linked_widget_name="../frames/frame_{i:02d}" properties="anchor_left" value="210" duration="700" next="text_{i:02d}"/>')
    scenes.append(f'<widget type="flash_scenario" name="text_{i:02d}" paused="yes" linked_widget_name="../texts/text_{i:02d}" show_on_start="yes" hide_on_end="yes" properties="transparentlevel" value="255" duration="1800" next="out_{i:02d}"/>')
    scenes.append(f'<widget type="flash_scenario" name="out_{i:02d}" paused="yes" linked_widget_name="../frames/frame_{i:02d}" properties="anchor_left" value="-420" duration="500" hide_on_end="no" next="{nxt}"/>')
scenes.append('<widget type="flash_scenario" name="show_end" paused="yes" linked_widget_name="../frame_black" properties="transparentlevel" value="255" duration="400" next="closegamescreen"/>')
HISTORY = ['<window left="0" top="0" visible="no">', "<widgets>",
           img("under_00", "img_map_sky", 0, 0, 800, 600), '<widget type="rect_widget" name="under_01" anchor_left="0" anchor_top="0" width="800" height="600" color="$FF302820" visible="no"/>',
           text("title", "font_title", 100, 40, 600, 50, "%history_title%"),
           group("frames", [frames]), group("texts", [texts]), group("scenarios", scenes),
           button("button_skip", 600, 530, "%history_skip%", extra=' actiontype="closegamescreen"'),
           button("button_next", 410, 530, "%dlg_next%").replace('visible="yes" mousestop', 'visible="no" mousestop'),
           '<widget type="rect_widget" name="frame_black" anchor_left="0" anchor_top="0" width="800" height="600" color="$FF000000" transparentlevel="0" visible="yes"/>',
           "</widgets></window>"]
write("screen_history", "KestrelleGameScreenHistory", "GS_History", "The story told once before the first visit to the map: three picture cards.", "\n".join(HISTORY))

# ------------------------------------------------------------------------------ GS_LastShopLevel
LAST = ['<window left="90" top="110" visible="no">', zoom_effects(310, 190),
        "<widgetfactories>" + "".join(PERSON_FACTORIES) + "</widgetfactories>", "<widgets>",
        img("image_panel", "img_panel_wide", 0, 0, 620, 380), text("label_title", "font_title", 20, 10, 580, 40, "%title_LastShopLevel%"),
        group("person", [], 40, 90), img("certificate", "img_mapart_certificate_garden", 230, 70, 260, 170),
        text("text_GameHelp", "font_main", 150, 250, 420, 60, ""), button("button_ok", 220, 316, "%OK%", extra=' actiontype="closegamescreen"'),
        "</widgets></window>"]
write("screen_last_shop_level", "GS_LastShopLevel", "GS_LastShopLevel", "The certificate of a finished shop.", "\n".join(LAST))

# The query panel's picture is 420 x 220: the three lines and OK stand inside it.
REPLAY = ['<window left="190" top="190" visible="no">', zoom_effects(210, 110), "<widgets>",
          img("image_panel", "img_query_panel", 0, 0, 420, 220), text("label_title", "font_title", 20, 10, 380, 40, "%title_Replay%"),
          text("label_old", "font_main", 30, 54, 220, 30, "%replay_old%"), text("old_money", "font_main", 250, 54, 140, 30, ""),
          text("label_new", "font_main", 30, 84, 220, 30, "%replay_new%"), text("new_money", "font_main", 250, 84, 140, 30, ""),
          text("label_add", "font_main", 30, 114, 220, 30, "%replay_add%"), text("add_money", "font_main", 250, 114, 140, 30, ""),
          button("button_ok", 120, 156, "%OK%"), "</widgets></window>"]
write("screen_replay", "GS_Replay", "GS_Replay", "The money of a level played again.", "\n".join(REPLAY))

# The small notes of the map: a title, a text and OK.
NOTES = [("screen_map_first_time", "GS_MapFirstTime", "MapFirstTime", "The first visit to the town map."),
         ("screen_shop_locked", "GS_ShopLocked", "ShopLocked", "A shop not reached yet."),
         ("screen_shop_completed", "GS_ShopCompleted", "ShopCompleted", "The play button while the next level is in another shop."),
         ("screen_game_completed", "GS_GameCompleted", "GameCompleted", "Every level is played."),
         ("screen_complete_tasks", "GS_CompleteTasks", "CompleteTasks", "Every level is played but the last task is not done."),
         ("screen_final", "GS_Final", "Final", "The end of the game.")]
for fname, screen, key, comment in NOTES:
    note = ['<window left="190" top="190" visible="no">', zoom_effects(210, 110), "<widgets>",
            img("image_panel", "img_query_panel", 0, 0, 420, 220), text("label_title", "font_title", 20, 14, 380, 40, f"%title_{key}%"),
            text("label_question", "font_main", 30, 60, 360, 80, f"%{key}%"), button("button_ok", 120, 156, "%OK%"), "</widgets></window>"]
    write(fname, "GameScreenQueryDialog", screen, comment, "\n".join(note))

# The two-page helps ("KestrelleGameScreenMapTutorial"): the pages "0" and "1" of "states", each a
# title, a picture and a text, and one OK under them: its first click turns to page 1, the second
# closes the help. The screen shows page 0 itself.
def help_page(n, key, pictures):
    return group(str(n), [text("label_title", "font_title", 20, 14, 380, 40, f"%title_{key}_{n}%")]
                 + [img(f"picture_{k}", res, x, y, w, h) for k, (res, x, y, w, h) in enumerate(pictures)]
                 + [text("label_text", "font_main", 124, 56, 272, 92, f"%{key}_{n}%")], visible="no")

HELPS = [("screen_map_tutorial", "GS_MapTutorial", "MapTutorial", "A word on the calendar and its medals.",
          [[("img_mapart_day_current", 28, 62, 80, 80)], [("img_medal_time", 24, 58, 56, 56), ("img_medal_service", 56, 94, 56, 56)]]),
         ("screen_room_tutorial", "GS_RoomTutorial", "RoomTutorial", "A word on the actions and the room.",
          [[("img_aitem_course_book", 34, 60, 64, 64), ("img_icon_money", 54, 124, 24, 24)], [("img_aitem_flowers", 34, 66, 64, 64)]])]
for fname, screen, key, comment, pictures in HELPS:
    pages = [help_page(n, key, pictures[n]) for n in range(2)]
    window = ['<window left="190" top="190" visible="no">', zoom_effects(210, 110), "<widgets>",
              img("image_panel", "img_query_panel", 0, 0, 420, 220),
              '<widget type="states_widget" name="states" visible="yes"><widgets>' + "".join(pages) + "</widgets></widget>",
              button("button_ok", 120, 156, "%OK%"), "</widgets></window>"]
    write(fname, "KestrelleGameScreenMapTutorial", screen, comment, "\n".join(window))

if False: print("\n".join(f"    <gamescreen name=\"{s}\" _outstorage=\"file={{data\\ini\\{f}.xml}}\"/>" for f, s in
                [("screen_map", "GS_Map"), ("screen_dialogue", "GS_Dialogue"), ("screen_new_award", "GS_NewAward"), ("screen_history", "GS_History"),
                 ("screen_last_shop_level", "GS_LastShopLevel"), ("screen_replay", "GS_Replay")] + [(f, s) for f, s, *_ in NOTES + HELPS]))
