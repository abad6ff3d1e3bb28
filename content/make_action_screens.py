#!/usr/bin/env python3
"""Writes the screens of the owner's life between levels (content/ini/screen_*.xml): the actions
overview "GS_Actions", one action "GS_Action", an item "GS_ItemDesc", the result "GS_ActionResult",
the end of the game "GS_GameFinal", the news "GS_NewAction", the first visit's word
"GS_ActionsTutorial" and the room "GS_Room". The game definition names each file through
"_outstorage". Run it again after changing a layout below."""
import os

HERE = os.path.dirname(os.path.abspath(__file__))
OUT = os.path.join(HERE, "ini")

# The tracks in their columns, with their number of actions (content/shop/actions.xml).
TRACKS = [("personal", 3), ("education", 3), ("fitness", 3), ("careers", 6)]
COLUMN_LEFT, COLUMN_STEP = 20, 195
CAPTION = ' textalign="center" textvertalign="top" multiline="yes"'


def esc(s):
    return s.replace("&", "&amp;").replace("<", "&lt;").replace(">", "&gt;").replace('"', "&quot;").replace("'", "&apos;")


def factory(name, widget):
    return f"<widgetfactory name=\"{name}\" widgetstring='{esc(widget)}'/>"


def button(name, left, top, caption, w=180, h=46, extra=""):
    return (f'<widget type="ButtonControl" name="{name}" anchor_left="{left}" anchor_top="{top}" width="{w}" height="{h}" enabled="yes" visible="yes" mousestop="yes"{extra}>'
            f'<sounds><sound name="sound_buttonclick" resourcename="snd_click"/></sounds><widgets>'
            f'<widget type="image_widget" name="image_normal" resourcename="img_button_normal" width="{w}" height="{h}" visible="no"/>'
            f'<widget type="image_widget" name="image_selected" resourcename="img_button_hover" width="{w}" height="{h}" visible="no"/>'
            f'<widget type="image_widget" name="image_disabled" resourcename="img_button_disabled" width="{w}" height="{h}" visible="no"/>'
            f'<widget type="text_widget" name="caption" resourcename="font_button" anchor_top="2" width="{w}" height="{h - 6}" text="{caption}" textalign="center" textvertalign="middle" visible="yes"/>'
            f'</widgets></widget>')


def text(name, left, top, w, h, value, font="font_main", extra=' textalign="center" textvertalign="middle"', visible="yes"):
    return (f'<widget type="text_widget" name="{name}" resourcename="{font}" anchor_left="{left}" anchor_top="{top}" width="{w}" height="{h}" '
            f'text="{value}"{extra} visible="{visible}"/>')


def image(name, res, left, top, w, h, visible="yes"):
    return f'<widget type="image_widget" name="{name}" resourcename="{res}" anchor_left="{left}" anchor_top="{top}" width="{w}" height="{h}" visible="{visible}"/>'


def money(left, top):
    """The coin and the money owned ("money")."""
    return image("money_coin", "img_money_coin", left, top, 32, 32) + text("money", left + 38, top + 2, 120, 28, "0", "font_button", ' textalign="left" textvertalign="middle"')


def popup(left, top, w, h, children=""):
    """A panel whose "text" is its label's; the screens fill it and show it while something is under the pointer.
    Alone, the label fills the panel; above children, it takes the top."""
    label = (text("label", 14, 8, w - 28, 44, "", "font_main", ' textalign="center" textvertalign="top" multiline="yes"') if children
             else text("label", 14, 8, w - 28, h - 16, "", "font_main", ' textalign="center" textvertalign="middle" multiline="yes"'))
    return (f'<widget type="group_widget" name="popup" anchor_left="{left}" anchor_top="{top}" width="{w}" height="{h}" aliases="\\text=label/text" z="20" visible="no"><widgets>'
            + image("panel", f"img_popup_{w}x{h}", 0, 0, w, h)
            + label
            + children + '</widgets></widget>')


def zoom_effects(cx, cy):
    lin = lambda out, a, b, steps: (f'<function_widget type="function_linear_segment"><paramspace><paramdefs><paramdef name="value" col="0" row="0" static="yes" outname="{out}"/>'
                                    f'<paramdef name="from" col="1" row="0" static="yes" value="{a}"/><paramdef name="to" col="1" row="1" static="yes" value="{b}"/>'
                                    f'<paramdef name="time" col="1" row="2" static="yes" outname="currenttime"/><paramdef name="steps" col="1" row="3" static="yes" value="{steps}"/></paramdefs></paramspace></function_widget>')
    eff = lambda name, ms, t0, t1, z0, z1: (f'<widget type="func_appearance_effect" name="{name}" durationtime="{ms}" surfaceparamname="zoom/pic/surface">{lin("zoom/transparentlevel", t0, t1, ms)}'
                                            f'<widgets><widget type="zoom_widget" name="zoom" anchor_left="{cx}" anchor_top="{cy}" centerx="{cx}" centery="{cy}" zoom="{z0}" smooth="yes" visible="yes">{lin("zoom", z0, z1, ms)}'
                                            f'<widgets><widget type="surface_widget" name="pic" visible="yes"/></widgets></widget></widgets></widget>')
    return "<effects><widgets>" + eff("show_effect", 200, 0, 255, 0.8, 1) + eff("hide_effect", 150, 255, 0, 1, 0.9) + "</widgets></effects>"


def screen(fname, comment, kind, name, left, top, widgets, factories=(), sounds=(), effects=""):
    body = f'<gamescreen type="{kind}" name="{name}">\n  <window left="{left}" top="{top}" visible="no">\n'
    if effects:
        body += "    " + effects + "\n"
    if sounds:
        body += "    <sounds>" + "".join(f'<sound name="{n}" resourcename="{r}"/>' for n, r in sounds) + "</sounds>\n"
    if factories:
        body += "    <widgetfactories>\n      " + "\n      ".join(factories) + "\n    </widgetfactories>\n"
    body += "    <widgets>\n      " + "\n      ".join(widgets) + "\n    </widgets>\n  </window>\n</gamescreen>"
    with open(os.path.join(OUT, fname), "w") as f:
        f.write('<?xml version="1.0" encoding="UTF-8"?>\n')
        f.write(f"<!-- {comment} -->\n")
        f.write(body)
        f.write("\n")


def query(fname, comment, name, title, question, ok="%OK%"):
    """A small dialog with a title, a text and one button."""
    widgets = [image("image_panel", "img_query_panel", 0, 0, 420, 220),
               text("label_title", 20, 14, 380, 40, title, "font_title"),
               text("label_question", 30, 60, 360, 84, question, "font_main", ' textalign="center" textvertalign="middle" multiline="yes"'),
               button("button_ok", 120, 156, ok)]
    screen(fname, comment, "GameScreenQueryDialog", name, 190, 190, widgets, effects=zoom_effects(210, 110))


# ----------------------------------------------------------------------------------- GS_Actions
A = [image("background", "img_actions_bg", 0, 0, 800, 600),
     text("title", 20, 14, 760, 44, "%title_Actions%", "font_title")]
for i, (track, steps) in enumerate(TRACKS):
    x = COLUMN_LEFT + COLUMN_STEP * i
    A.append(text(f"track_{track}", x, 70, 175, 28, f"%track_{track}%", "font_button"))
    # One button per action, all in one place: only the next action's shows. Its "res" names its
    # description ("%desc_" + res + "%").
    buttons = []
    for step in range(1, steps + 1):
        action = f"{track}_{step}"
        buttons.append(
            f'<widget type="ButtonControl" name="{step}" anchor_left="0" anchor_top="0" width="150" height="140" enabled="yes" visible="no" mousestop="yes" extraparams="\\res={action}">'
            '<sounds><sound name="sound_buttonclick" resourcename="snd_click"/></sounds><widgets>'
            f'<widget type="group_widget" name="image_normal" visible="no"><widgets>{image("card", f"img_action_{action}", 11, 0, 128, 96)}</widgets></widget>'
            f'<widget type="group_widget" name="image_selected" visible="no"><widgets>{image("card", f"img_action_{action}", 11, 0, 128, 96)}{image("frame", "img_action_frame", 7, -4, 136, 104)}</widgets></widget>'
            f'{image("image_disabled", f"img_action_{action}", 11, 0, 128, 96, "no")}'
            + text("caption", 0, 100, 150, 40, f"%{action}%", "font_main", CAPTION) +
            '</widgets></widget>')
    buttons.append('<widget type="group_widget" name="completed" visible="no"><widgets>'
                   + image("badge", "img_track_completed", 0, 0, 150, 112)
                   + text("caption", 0, 112, 150, 28, "%track_completed%", "font_main") + '</widgets></widget>')
    buttons.append(image("recommend", "img_recommend", 124, -16, 44, 44, "no"))
    A.append(f'<widget type="group_widget" name="buttons_{track}" anchor_left="{x + 12}" anchor_top="100" visible="yes" mousestop="yes"><widgets>'
             + "".join(buttons) + '</widgets></widget>')
    # The bar fills with the track's level: "max_value" is the track's number of actions.
    A.append(image(f"bar_back_{track}", "img_bar_back", x + 12, 252, 150, 16))
    A.append(f'<widget type="AnimatedBarControl" name="bar_{track}" anchor_left="{x + 14}" anchor_top="254" width="146" height="12" max_value="{steps}" '
             'maxincrementaldurationtime="800" minincrementalvaluepersecond="40" visible="yes"><widgets>'
             f'<widget type="ProgressBarControl" name="bar" width="146" height="12" visible="yes"><widgets>{image("image_bar", "img_bar_fill", 0, 0, 146, 12)}</widgets></widget>'
             '</widgets></widget>')
A.append(text("hint", 80, 304, 640, 94, "%ActionsHint%", "font_main", ' textalign="center" textvertalign="middle" multiline="yes"'))
A.append(popup(60, 296, 680, 110))
A.append(money(40, 540))
A.append(button("button_room", 380, 532, "%Room%", extra=' actiontype="showgamescreen" gamescreenname="GS_Room"'))
A.append(button("button_close", 590, 532, "%Continue%"))
screen("screen_actions.xml", "The actions overview: the four tracks with the button of their next action, their bars and the recommended one; the money, the way into the room and back to the map. Named by GS_Actions in Kestrelle.ini.",
       "KestrelleGameScreenActions", "GS_Actions", 0, 0, A)

# ----------------------------------------------------------------------------------- GS_Action
# The item icons: a button per item ("%name%" is the item id); it shows the item's tile, is lit
# under the pointer and carries a tick once the item is owned (the screen disables it then).
icon = ('<widget type="ButtonControl" name="%name%" anchor_left="0" anchor_top="0" width="64" height="64" enabled="yes" visible="yes" mousestop="yes">'
        '<sounds><sound name="sound_buttonclick" resourcename="snd_click"/></sounds><widgets>'
        '<widget type="image_widget" name="image_normal" resourcename="{res}" width="64" height="64" visible="no"/>'
        '<widget type="group_widget" name="image_selected" visible="no"><widgets><widget type="image_widget" name="tile" resourcename="{res}" width="64" height="64" visible="yes"/>'
        '<widget type="image_widget" name="glow" resourcename="img_aitem_glow" width="64" height="64" visible="yes"/></widgets></widget>'
        '<widget type="group_widget" name="image_disabled" visible="no"><widgets><widget type="image_widget" name="tile" resourcename="{res}" width="64" height="64" visible="yes"/>'
        '<widget type="image_widget" name="owned" resourcename="img_aitem_owned" width="64" height="64" visible="yes"/></widgets></widget>'
        '</widgets></widget>')
ACTION_FACTORIES = [factory("icon_item", icon.format(res="img_aitem_%item_id%")),
                    factory("icon_trophy", icon.format(res="img_aitem_trophy"))]
P = [image("panel", "img_panel_wide", 0, 0, 620, 380),
     text("action_text", 20, 8, 580, 44, "", "font_title"),
     image("action_image", "img_action_personal_1", 40, 70, 128, 96),
     text("items_title", 200, 62, 380, 24, "%ActionNeeds%", "font_main"),
     # "startX" + count and "shift" + count: where the first of count icons sits, and the gap.
     '<widget type="group_widget" name="action_items" anchor_left="200" anchor_top="92" width="380" height="64" visible="yes" mousestop="yes" '
     'extraparams="\\startX1=158\\shift1=0\\startX2=116\\shift2=20\\startX3=74\\shift3=20\\startX4=32\\shift4=20"/>',
     money(40, 190),
     popup(200, 166, 380, 110,
           text("title_trophy", 14, 52, 240, 24, "%title_trophy%", "font_main", ' textalign="left" textvertalign="middle"', "no")
           + text("count", 260, 52, 100, 24, "", "font_button", ' textalign="right" textvertalign="middle"', "no")
           + image("cost_coin", "img_money_coin", 14, 52, 24, 24)
           + text("cost", 44, 52, 100, 24, "", "font_button", ' textalign="left" textvertalign="middle"', "no")
           + text("click_to_buy_text", 14, 80, 352, 24, "%click_to_buy_text%", "font_main", ' textalign="center" textvertalign="middle"', "no")
           + text("not_enough_money_text", 14, 80, 352, 24, "%not_enough_money_text%", "font_main", ' textalign="center" textvertalign="middle"', "no")),
     text("execute_hint", 40, 284, 540, 24, "%ExecuteHint%", "font_main"),
     button("button_execute", 80, 316, "%DoAction%"),
     button("button_close", 360, 316, "%Close%")]
screen("screen_action.xml", "One action: its picture and name, the icons of the items it needs (a click buys one), the money, and the button that does it. Named by GS_Action in Kestrelle.ini.",
       "KestrelleGameScreenAction", "GS_Action", 90, 100, P, ACTION_FACTORIES,
       (("sound_buy_item", "snd_buy_item"), ("sound_execute_action", "snd_execute_action")), zoom_effects(310, 190))

# ----------------------------------------------------------------------------------- GS_ItemDesc
D = [image("image_panel", "img_query_panel", 0, 0, 420, 220),
     text("label_title", 20, 10, 380, 40, "%title_Item%", "font_title"),
     text("desc", 30, 54, 360, 60, "", "font_main", ' textalign="center" textvertalign="middle" multiline="yes"'),
     text("warning", 30, 116, 360, 28, "%not_enough_money_text%", "font_main", ' textalign="center" textvertalign="middle"', "no"),
     button("button_buy", 20, 156, "%Buy%"),
     button("button_close", 220, 156, "%Close%")]
screen("screen_item_desc.xml", "One item an action needs: what it is, and the button that buys it when the money reaches. Named by GS_ItemDesc in Kestrelle.ini.",
       "KestrelleGameScreenItemDesc", "GS_ItemDesc", 190, 190, D, sounds=(("sound_buy_item", "snd_buy_item"),), effects=zoom_effects(210, 110))

# ----------------------------------------------------------------------------------- GS_ActionResult
R = [image("panel", "img_panel_wide", 0, 0, 620, 380),
     text("title", 20, 8, 580, 44, "%title_ActionDone%", "font_title"),
     image("image", "img_result_personal_1", 40, 70, 128, 96),
     text("text", 200, 70, 380, 60, "", "font_main", ' textalign="left" textvertalign="middle" multiline="yes"'),
     '<widget type="group_widget" name="icons" anchor_left="200" anchor_top="140" width="380" height="48" visible="yes"/>',
     money(40, 190),
     button("button_close", 220, 316, "%Continue%")]
screen("screen_action_result.xml", "An action done: its result picture and text, a badge for each result icon and the money left. Named by GS_ActionResult in Kestrelle.ini.",
       "KestrelleGameScreenActionResult", "GS_ActionResult", 90, 100, R,
       [factory("icon_item", '<widget type="image_widget" name="%name%" resourcename="img_step_up" width="48" height="48" visible="yes"/>')],
       effects=zoom_effects(310, 190))

# ----------------------------------------------------------------------------------- small dialogs
query("screen_game_final.xml", "The end of the game, after the last careers action. Named by GS_GameFinal in Kestrelle.ini.",
      "GS_GameFinal", "%title_GameFinal%", "%GameFinal%")
query("screen_new_action.xml", "Shown over the actions overview when the town map found a new action the player can do. Named by GS_NewAction in Kestrelle.ini.",
      "GS_NewAction", "%title_NewAction%", "%NewAction%")
query("screen_actions_tutorial.xml", "A player's first visit to the actions overview. Named by GS_ActionsTutorial in Kestrelle.ini.",
      "GS_ActionsTutorial", "%title_ActionsTutorial%", "%ActionsTutorial%")

# ----------------------------------------------------------------------------------- GS_Room
# A room item: its picture at its place, and "off" over it while the player does not own it.
room_item = ('<widget type="group_widget" name="%name%" anchor_left="%anchor_left%" anchor_top="%anchor_top%" width="%width%" height="%height%" z="%z%" visible="yes"><widgets>'
             '<widget type="image_widget" name="picture" resourcename="%resourcename%" width="%width%" height="%height%" visible="yes"/>'
             '<widget type="group_widget" name="off" width="%width%" height="%height%" visible="no"><widgets>'
             '<widget type="image_widget" name="placeholder" resourcename="img_room_off" width="%width%" height="%height%" visible="yes"/>'
             '</widgets></widget></widgets></widget>')
M = [image("background", "img_room_bg", 0, 0, 800, 600),
     text("title", 20, 6, 480, 44, "%title_Room%", "font_title"),
     '<widget type="group_widget" name="items" visible="yes"/>',
     popup(210, 410, 380, 70),
     button("button_close", 600, 540, "%Close%")]
screen("screen_room.xml", "The owner's room: the items bought with the actions and the trophies, each in its place, a placeholder where one is still missing. Named by GS_Room in Kestrelle.ini.",
       "KestrelleGameScreenRoom", "GS_Room", 0, 0, M, [factory("item", room_item)])
