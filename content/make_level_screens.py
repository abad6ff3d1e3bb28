#!/usr/bin/env python3
"""Writes the level's screens (content/ini/screen_*.xml): the level screen "GS_GameMain" with the
factories of its shop floor and scenarios, the results "GS_StatMain", the guided level
"GS_GameTutorial" with its results "GS_StatTutorial" and the skip question "GS_SkipTutorial", the
level introduction "GS_StartLevel" and the tool choice "GS_StartToolLevel". The game definition names each file through
"_outstorage". Widget factories hold their widget as escaped XML text; writing them from here keeps
the nesting right. Run it again after changing a layout below."""
import os

HERE = os.path.dirname(os.path.abspath(__file__))
OUT = os.path.join(HERE, "ini")

# The results screen's sparks: a burst from the line just revealed ("create_left", "create_top"
# and "add_LifeTime" are set by the reveal and reach the particle functions by name).
STAT_BURST = """<widget type="function_particle_system" name="ps_statlevel" anchor_left="0" anchor_top="0" visible="yes" z="10" delta_step="-1" init_creation_count="0"><paramspace><paramdefs><paramdef name="dead" col="0" row="0" static="yes"/><paramdef name="x" col="0" row="1" static="yes"/><paramdef name="y" col="0" row="2" static="yes"/><paramdef name="image" col="0" row="3" static="yes"/><paramdef name="red" col="0" row="4" static="yes"/><paramdef name="green" col="0" row="5" static="yes"/><paramdef name="blue" col="0" row="6" static="yes"/><paramdef name="alpha" col="0" row="7" static="yes"/><paramdef name="age" col="1" row="0" static="yes"/><paramdef name="vx" col="1" row="1" static="yes"/><paramdef name="vy" col="1" row="2" static="yes"/><paramdef name="x0" col="1" row="3" static="yes"/><paramdef name="y0" col="1" row="4" static="yes"/></paramdefs></paramspace><function type="function_complex"><paramspace><paramdefs><paramdef name="time" col="1" static="yes"/><paramdef name="create_left" col="2" static="yes" value="0"/><paramdef name="create_top" col="2" static="yes" value="0"/><paramdef name="add_LifeTime" col="2" static="yes" value="500"/></paramdefs></paramspace><functions><function name="Create" type="function_eval"><paramspace><paramdefs><paramdef name="age0" col="0" row="0" static="yes"/><paramdef name="vx0" col="0" row="1" static="yes"/><paramdef name="vy0" col="0" row="2" static="yes"/><paramdef name="x00" col="0" row="3" static="yes"/><paramdef name="y00" col="0" row="4" static="yes"/><paramdef name="index" col="1" static="yes"/><paramdef name="total_index" col="1" static="yes"/><paramdef name="create_left" col="2"/><paramdef name="create_top" col="2"/></paramdefs></paramspace><expression>age0 := 0
vx0 := cos(index * 2.4) * 70
vy0 := -50 - sin(index * 1.3) * 50
x00 := create_left + random * 120
y00 := create_top + random * 30</expression></function><function name="Update" type="function_eval"><paramspace><paramdefs><paramdef name="dead" col="0" row="0" static="yes"/><paramdef name="x" col="0" row="1" static="yes"/><paramdef name="y" col="0" row="2" static="yes"/><paramdef name="image" col="0" row="3" static="yes"/><paramdef name="red" col="0" row="4" static="yes"/><paramdef name="green" col="0" row="5" static="yes"/><paramdef name="blue" col="0" row="6" static="yes"/><paramdef name="alpha" col="0" row="7" static="yes"/><paramdef name="age" col="1" row="0" static="yes"/><paramdef name="vx" col="1" row="1" static="yes"/><paramdef name="vy" col="1" row="2" static="yes"/><paramdef name="x0" col="1" row="3" static="yes"/><paramdef name="y0" col="1" row="4" static="yes"/><paramdef name="add_LifeTime" col="2"/></paramdefs></paramspace><expression>dead := age &gt; 400 + add_LifeTime
x := x0 + vx * age / 1000
y := y0 + vy * age / 1000 + 160 * age * age / 1000000
image := 0
red := 255
green := 210
blue := 60
alpha := 255 - age * 255 / (400 + add_LifeTime)</expression></function></functions></function><widgets><widget type="rect_widget" name="spark" width="4" height="4" color="$FFFFFFFF"/></widgets></widget>"""

def esc(s):
    return s.replace("&", "&amp;").replace("<", "&lt;").replace(">", "&gt;").replace('"', "&quot;").replace("'", "&apos;")

def button(name, left, top, caption, w=180, h=46, extra=""):
    return (f'<widget type="ButtonControl" name="{name}" anchor_left="{left}" anchor_top="{top}" width="{w}" height="{h}" enabled="yes" visible="yes" mousestop="yes"{extra}>'
            f'<sounds><sound name="sound_buttonclick" resourcename="snd_click"/></sounds><widgets>'
            f'<widget type="image_widget" name="image_normal" resourcename="img_button_normal" width="{w}" height="{h}" visible="no"/>'
            f'<widget type="image_widget" name="image_selected" resourcename="img_button_hover" width="{w}" height="{h}" visible="no"/>'
            f'<widget type="image_widget" name="image_disabled" resourcename="img_button_disabled" width="{w}" height="{h}" visible="no"/>'
            f'<widget type="text_widget" name="caption" resourcename="font_button" anchor_top="2" width="{w}" height="{h - 6}" text="{caption}" textalign="center" textvertalign="middle" visible="yes"/>'
            f'</widgets></widget>')

def factory(name, widget):
    return f"<widgetfactory name=\"{name}\" widgetstring='{esc(widget)}'/>"

def zoom_effects(cx, cy):
    lin = lambda out, a, b, steps: (f'<function_widget type="function_linear_segment"><paramspace><paramdefs><paramdef name="value" col="0" row="0" static="yes" outname="{out}"/>'
                                    f'<paramdef name="from" col="1" row="0" static="yes" value="{a}"/><paramdef name="to" col="1" row="1" static="yes" value="{b}"/>'
                                    f'<paramdef name="time" col="1" row="2" static="yes" outname="currenttime"/><paramdef name="steps" col="1" row="3" static="yes" value="{steps}"/></paramdefs></paramspace></function_widget>')
    eff = lambda name, ms, t0, t1, z0, z1: (f'<widget type="func_appearance_effect" name="{name}" durationtime="{ms}" surfaceparamname="zoom/pic/surface">{lin("zoom/transparentlevel", t0, t1, ms)}'
                                            f'<widgets><widget type="zoom_widget" name="zoom" anchor_left="{cx}" anchor_top="{cy}" centerx="{cx}" centery="{cy}" zoom="{z0}" smooth="yes" visible="yes">{lin("zoom", z0, z1, ms)}'
                                            f'<widgets><widget type="surface_widget" name="pic" visible="yes"/></widgets></widget></widgets></widget>')
    return "<effects><widgets>" + eff("show_effect", 200, 0, 255, 0.8, 1) + eff("hide_effect", 150, 255, 0, 1, 0.9) + "</widgets></effects>"

# A fade driven by the widget's own clock: opaque for `hold` ms, then gone after `end` ms.
def fade_by_time(hold, end):
    return ('<function_widget type="function_piecewise"><paramspace><paramdefs>'
            '<paramdef name="value" col="0" row="0" static="yes" outname="transparentlevel"/>'
            '<paramdef name="time" col="1" row="0" static="yes" outname="currenttime"/>'
            f'<paramdef name="k0" col="2" row="0" static="yes" value="0"/><paramdef name="k1" col="2" row="1" static="yes" value="{hold}"/><paramdef name="k2" col="2" row="2" static="yes" value="{end}"/>'
            '<paramdef name="v0" col="3" row="0" static="yes" value="255"/><paramdef name="v1" col="3" row="1" static="yes" value="255"/><paramdef name="v2" col="3" row="2" static="yes" value="0"/>'
            '</paramdefs></paramspace></function_widget>')

def write(fname, comment, body):
    with open(os.path.join(OUT, fname), "w") as f:
        f.write('<?xml version="1.0" encoding="UTF-8"?>\n')
        f.write(f"<!-- {comment} -->\n")
        f.write(body)
        f.write("\n")

SHOPS = ["garden", "bakery", "books", "toys", "tea", "fashion"]
TOOLS = ["Hint_1", "Hint_2", "Ice_1", "Ice_2", "Heart_1", "Heart_2", "Heart_3"]
CLIENTS = ["granny", "student", "worker", "child", "owner", "grandma"]

# ----------------------------------------------------------------------------------- GS_GameMain
F = []
for shop in SHOPS:
    F.append(factory(f"shop_{shop}_background", f'<widget type="image_widget" name="background" resourcename="img_shop_{shop}" width="800" height="600" visible="yes"/>'))
    # The counter in front of the clients, in two parts; furniture, not a thing to click.
    F.append(factory(f"shop_{shop}_counter", f'<widget type="group_widget" name="counter" z="0" extraparams="\\item_type=interier" visible="yes"><widgets>'
                     f'<widget type="image_widget" name="left" resourcename="img_counter_{shop}" anchor_left="80" anchor_top="420" width="300" height="80" visible="yes"/>'
                     f'<widget type="image_widget" name="right" resourcename="img_counter_{shop}" anchor_left="420" anchor_top="420" width="300" height="80" visible="yes"/>'
                     '</widgets></widget>'))
# The station: a faint mat that takes the clicks; the client stands on it.
F.append(factory("shop_station", '<widget type="KestrelleShopStation" name="%name%" station_id="%station_id%" anchor_left="%anchor_left%" anchor_top="%anchor_top%" visible="yes"><widgets>'
                 '<widget type="image_widget" name="contour" resourcename="img_station_contour" width="190" height="200" visible="yes"/></widgets></widget>'))
# The client: hearts over the head, the figure with its mood badge, the order bubble (or its icon),
# the money bag once served, the price and the ice frame.
F.append(factory("shop_client",
    '<widget type="KestrelleShopClient" name="%name%" anchor_left="0" anchor_top="40" visible="yes" client_order="%client_order%" '
    'extraparams="\\client_type=%client_type%\\vip=%vip%\\heart_0=%heart_0%\\heart_1=%heart_1%\\heart_2=%heart_2%\\heart_3=%heart_3%">'
    '<sounds><sound name="sound_add_heart" resourcename="snd_add_heart"/><sound name="sound_broken_heart" resourcename="snd_broken_heart"/></sounds><widgets>'
    '<widget type="group_widget" name="client_pad" anchor_left="-14" anchor_top="34" visible="yes"><widgets>'
    '<widget type="image_widget" name="pad_happy" resourcename="img_pad_happy" anchor_left="48" anchor_top="78" width="40" height="40" z="2" visible="no"/>'
    '<widget type="image_widget" name="pad_normal" resourcename="img_pad_normal" anchor_left="48" anchor_top="78" width="40" height="40" z="2" visible="no"/>'
    '<widget type="image_widget" name="pad_sad" resourcename="img_pad_sad" anchor_left="48" anchor_top="78" width="40" height="40" z="2" visible="no"/>'
    '</widgets></widget>'
    '<widget type="image_widget" name="frame_froze" resourcename="img_frame_froze" anchor_left="-12" anchor_top="36" width="92" height="150" z="3" visible="no"/>'
    '<widget type="image_widget" name="vip" resourcename="img_vip_%vip%" anchor_left="66" anchor_top="7" width="22" height="22" visible="yes"/>'
    '<widget type="group_widget" name="patience" anchor_left="4" anchor_top="10" visible="yes"><widgets>'
    '<widget type="image_widget" name="heart_0" resourcename="img_GameClientHeart" anchor_left="0" width="18" height="16" extraparams="\\shake=0" visible="no"/>'
    '<widget type="image_widget" name="heart_1" resourcename="img_GameClientHeart" anchor_left="20" width="18" height="16" extraparams="\\shake=0" visible="no"/>'
    '<widget type="image_widget" name="heart_2" resourcename="img_GameClientHeart" anchor_left="40" width="18" height="16" extraparams="\\shake=0" visible="no"/>'
    '</widgets></widget>'
    '<widget type="group_widget" name="order" anchor_left="72" anchor_top="44" z="4" visible="no"><widgets>'
    '<widget type="image_widget" name="bubble" resourcename="img_order_frame" anchor_left="-8" anchor_top="-8" width="124" height="78" visible="yes"/>'
    '</widgets></widget>'
    '<widget type="image_widget" name="order_icon" resourcename="img_order_icon" anchor_left="104" anchor_top="40" width="40" height="32" z="4" visible="yes"/>'
    '<widget type="image_widget" name="money" resourcename="img_money_bag" anchor_left="110" anchor_top="70" width="48" height="48" z="4" visible="no"/>'
    '<widget type="text_widget" name="cost" resourcename="font_small" anchor_left="104" anchor_top="122" width="60" height="18" text="" textalign="center" z="4" visible="yes"/>'
    '</widgets></widget>'))
F.append(factory("order_description",
    '<widget type="KestrelleOrderItem" name="%name%" anchor_left="0" anchor_top="%anchor_top%" state="unsolved" item_id="%item_id%" visible="yes"><widgets>'
    '<widget type="text_widget" name="desc" resourcename="font_small" width="106" height="18" text="%text%" textalign="left" visible="yes"/>'
    '<widget type="image_widget" name="line1" resourcename="img_order_strike" anchor_top="8" width="106" height="4" visible="no"/>'
    '<widget type="image_widget" name="line2" resourcename="img_order_strike2" anchor_top="0" width="106" height="24" visible="no"/>'
    '</widgets></widget>'))
for c in CLIENTS:
    F.append(factory(f"client_{c}", f'<widget type="image_widget" name="figure" resourcename="img_person_{c}" anchor_left="0" anchor_top="0" width="96" height="160" visible="yes"/>'))
# The figure of a client type the level names but no factory draws.
F.append(factory("client_", '<widget type="image_widget" name="figure" resourcename="img_person_owner" width="96" height="160" visible="yes"/>'))
for name, res, w, h, dx, dy in (("heart", "img_heart_gain", 26, 24, 0, -40), ("heart_off", "img_heart_off", 26, 24, 0, 40)):
    F.append(factory(name, f'<widget type="image_widget" name="%name%_{name}" resourcename="{res}" anchor_left="%anchor_left%" anchor_top="%anchor_top%" width="{w}" height="{h}" '
                     f'timetolive="900" z="6" visible="yes">{fade_by_time(500, 900)}</widget>'))
F.append(factory("add_heart", '<widget type="text_widget" name="%name%" resourcename="font_label" anchor_left="%anchor_left%" anchor_top="%anchor_top%" width="40" height="22" '
                 f'text="%text%" textalign="left" timetolive="900" z="6" visible="yes">{fade_by_time(500, 900)}</widget>'))
# Shop items and coins: the picture at its place on the shelf, clickable by its opaque pixels.
F.append(factory("shop_item", '<widget type="image_widget" name="%name%" resourcename="%resourcename%" anchor_left="%anchor_left%" anchor_top="%anchor_top%" width="%width%" height="%height%" z="%z%" '
                 'extraparams="\\item_id=%item_id%\\item_desc=%item_desc%\\minigame=%minigame%\\item_type=%item_type%" visible="yes"/>'))
F.append(factory("shop_coin", '<widget type="image_widget" name="%name%" resourcename="%resourcename%" anchor_left="%anchor_left%" anchor_top="%anchor_top%" width="%width%" height="%height%" z="%z%" '
                 'extraparams="\\item_id=%item_id%\\item_type=coin" visible="yes"/>'))
F.append(factory("bonus", '<widget type="group_widget" name="bonus" anchor_left="66" anchor_top="60" visible="yes" extraparams="\\type=%type%\\start_time=%start_time%"><widgets>'
                 '<widget type="rotate_widget_timed" name="glow" anchor_left="30" anchor_top="30" centerx="42" centery="42" smooth="yes" rotate="yes" startangle="0" rotationtime="4000" visible="yes"><widgets>'
                 '<widget type="image_widget" name="rays" resourcename="img_bonus_glow" width="84" height="84" visible="yes"/></widgets></widget>'
                 '<widget type="image_widget" name="icon" resourcename="img_GameTool%type%" anchor_left="2" anchor_top="2" width="56" height="56" visible="yes"/>'
                 '</widgets></widget>'))
# Named apart from the money flights, which share the group and the client's name.
F.append(factory("combo", '<widget type="group_widget" name="combo_%name%" anchor_left="%anchor_left%" anchor_top="%anchor_top%" timetolive="1400" z="8" visible="yes"><widgets>'
                 f'<widget type="image_widget" name="ribbon" resourcename="img_combo_label" width="140" height="34" visible="yes">{fade_by_time(900, 1400)}</widget>'
                 f'<widget type="text_widget" name="text" resourcename="font_label" anchor_top="6" width="140" height="22" text="%text%" textalign="center" visible="yes">{fade_by_time(900, 1400)}</widget>'
                 '</widgets></widget>'))
F.append(factory("button_hints", '<widget type="group_widget" name="button_hints" visible="yes" extraparams="\\level=%level%"/>'))
# Scenarios. The start: the screen comes out of black, the panel slides in, the level's name
# is spelt out letter by letter.
slide = lambda n, target, y: f'<widget type="flash_scenario" name="slide_{n}" paused="yes" linked_widget_name="window:/{target}" properties="anchor_top" value="{y}" duration="600"/>'
show_controls = ('<widget type="group_widget" name="show_controls" visible="yes"><widgets>' + slide("mat", "tools_mat", 4) + slide("timer", "timer_control", 18)
                 + slide("tools", "control_tools", 96) + slide("money", "control_game_main/money_counter", 54) + slide("clients", "control_game_main/client_counter", 54)
                 # The menu button goes with the panel it stands on: out at the level's end, back at the next start.
                 + slide("menu", "button_menu", 196) + '</widgets></widget>')
hide_controls = ('<widget type="group_widget" name="hide_controls" visible="yes"><widgets>'
                 + "".join(f'<widget type="flash_scenario" name="slide_{n}" paused="yes" linked_widget_name="window:/{t}" properties="anchor_top" value="inc:-270" duration="500"/>'
                           for n, t in (("mat", "tools_mat"), ("timer", "timer_control"), ("tools", "control_tools"), ("money", "control_game_main/money_counter"),
                                        ("clients", "control_game_main/client_counter"), ("menu", "button_menu")))
                 + '</widgets></widget>')
# The level's title (or the end message): a text that fades in and stays while its scenario runs;
# the scenario waits its own "visualization_time" for it.
def appear_by_time(ms):
    return ('<function_widget type="function_piecewise"><paramspace><paramdefs>'
            '<paramdef name="value" col="0" row="0" static="yes" outname="transparentlevel"/>'
            '<paramdef name="time" col="1" row="0" static="yes" outname="currenttime"/>'
            f'<paramdef name="k0" col="2" row="0" static="yes" value="0"/><paramdef name="k1" col="2" row="1" static="yes" value="{ms}"/>'
            '<paramdef name="v0" col="3" row="0" static="yes" value="0"/><paramdef name="v1" col="3" row="1" static="yes" value="255"/>'
            '</paramdefs></paramspace></function_widget>')
text_viz = lambda: factory("text_visualization",
    '<widget type="group_widget" name="text_visualization" visible="yes"><widgets>'
    f'<widget type="text_widget" name="title" resourcename="font_title" anchor_left="100" anchor_top="250" width="600" height="60" text="%level_end_level%" textalign="center" textvertalign="middle" visible="yes">{appear_by_time(400)}</widget>'
    '</widgets></widget>')
blackout_in = ('<widget type="flash_scenario" name="blackout" paused="yes" linked_widget_name="window:/control_game_main/dim" properties="transparentlevel" value="0" duration="300" hide_on_end="yes"/>')
start = ('<widget type="scenario_game_main_start_level" name="scenario_start_level" LevelName="%LevelName%" visualization_time="1200" visible="yes">'
         '<sounds><sound name="sound_start_level" resourcename="snd_start_level"/></sounds><widgets>' + blackout_in + show_controls + '</widgets>'
         '<widgetfactories>' + text_viz().replace("%level_end_level%", "%level_end_level%") + '</widgetfactories></widget>')
F.append(factory("scenario_start", start))
F.append(factory("scenario_start_level", start))
end_text = text_viz().replace('text=&quot;%level_end_level%&quot;', 'text=&quot;%LevelComplete%&quot;')
assert "%LevelComplete%" in end_text
F.append(factory("scenario_end_level",
    '<widget type="scenario_game_main_end_level" name="scenario_end_level" visualization_time="900" visible="yes"><widgets>'
    '<widget type="flash_scenario" name="blackout" paused="yes" linked_widget_name="window:/control_game_main/dim" properties="transparentlevel" value="140" duration="600" show_on_start="yes"/>'
    + hide_controls + '</widgets><widgetfactories>' + end_text + '</widgetfactories></widget>'))
# A client comes up to the counter, and walks off again (reporting to the level when gone).
F.append(factory("scenario_show_client",
    '<widget type="state_scenario" name="show_client_%name%" timetolive="700" visible="yes"><widgets>'
    '<widget type="flash_scenario" name="walk_in" linked_widget_name="../%client_path%" properties="anchor_top;anchor_left" value="0;0" duration="500"/>'
    '</widgets></widget>'))
F.append(factory("scenario_hide_client",
    '<widget type="scenario_game_client_leave" name="hide_client_%name%" duration="650" visible="yes" '
    'extraparams="\\station_name=%station_name%\\client_path=%client_path%\\client_was_served=%client_was_served%\\generate_bonus=%generate_bonus%"><widgets>'
    '<widget type="flash_scenario" name="walk_out" linked_widget_name="../%client_path%" properties="anchor_top" value="inc:240" duration="600"/>'
    '</widgets></widget>'))
F.append(factory("scenario_find_item",
    '<widget type="scenario_find_item" name="find_%item_name%" item_name="%item_name%" duration="500" emission_count="120" visible="yes"><widgets>'
    '<widget type="stochastic_particle_system" name="ps_find" visible="yes" z="10" emission_count="120" emission_radius="4" speed_min="30" speed_max="100" lifetime_min="300" lifetime_max="700" '
    'color_start="$FFFFF0A0" color_end="$FFFF8000" alfa_start="255" alfa_end="0"><widgets><widget type="rect_widget" name="dot" width="3" height="3" color="$FFFFFFFF"/></widgets></widget>'
    '</widgets></widget>'))
PATH = ('<function type="path_segment" name="path"><paramspace><paramdefs>'
        '<paramdef name="x" col="0" row="0" static="yes"/><paramdef name="y" col="0" row="1" static="yes"/>'
        '<paramdef name="step" col="1" row="0" static="yes"/>'
        '<paramdef name="x1" col="2" row="0" static="yes"/><paramdef name="y1" col="2" row="1" static="yes"/>'
        '<paramdef name="x2" col="2" row="2" static="yes"/><paramdef name="y2" col="2" row="3" static="yes"/>'
        '<paramdef name="TotalTime" col="2" row="4" static="yes" value="800"/><paramdef name="length" col="2" row="5" static="yes"/>'
        '</paramdefs></paramspace></function>')
# The money flies to the money counter, a coin's money too; a bonus to its tool.
money_flight = factory("scenario_flying_money",
    '<widget type="scenario_game_flying_money" name="%name%" init_x="%init_x%" init_y="%init_y%" end_x="620" end_y="60" currenttime="%currenttime%" duration="800" z="20" visible="yes">' + PATH + '<widgets>'
    '<widget type="image_widget" name="image" resourcename="img_flying_money" anchor_left="-100" anchor_top="-100" width="30" height="18" visible="yes"/>'
    '<widget type="stochastic_particle_system" name="ps_flying_money" visible="yes" z="10" emission_count="30" emission_radius="3" speed_min="5" speed_max="30" lifetime_min="200" lifetime_max="500" '
    'color_start="$FFB0F090" color_end="$FF40A040" alfa_start="255" alfa_end="0"><widgets><widget type="rect_widget" name="dot" width="3" height="3" color="$FFFFFFFF"/></widgets></widget>'
    '</widgets></widget>')
F.append(money_flight)
F.append(money_flight.replace('name="scenario_flying_money"', 'name="scenario_flying_coin"').replace("scenario_game_flying_money", "scenario_game_flying_coin").replace("img_flying_money", "img_coin").replace('width="30" height="18"', 'width="24" height="24"'))
for kind in ("hint", "heart", "ice"):
    F.append(factory(f"scenario_flying_bonus_{kind}",
        '<widget type="scenario_game_flying_bonus" name="%name%" init_x="%init_x%" init_y="%init_y%" end_x="%end_x%" end_y="%end_y%" duration="800" z="20" visible="yes">' + PATH + '<widgets>'
        '<widget type="image_widget" name="image" resourcename="img_flying_star" anchor_left="-100" anchor_top="-100" width="22" height="22" visible="yes"/>'
        '<widget type="stochastic_particle_system" name="ps_flying_bonus" visible="yes" z="10" emission_count="30" emission_radius="3" speed_min="5" speed_max="30" lifetime_min="200" lifetime_max="600" '
        'color_start="$FFFFF080" color_end="$FFC060FF" alfa_start="255" alfa_end="0"><widgets><widget type="rect_widget" name="dot" width="3" height="3" color="$FFFFFFFF"/></widgets></widget>'
        '</widgets></widget>'))
    F.append(factory(f"scenario_use_bonus_{kind}",
        '<widget type="scenario_game_use_bonus" name="%name%" init_x="%init_x%" init_y="%init_y%" end_x="%end_x%" end_y="%end_y%" tooltype="%tooltype%" toolname="%toolname%" duration="600" z="20" visible="yes"><widgets>'
        '<widget type="stochastic_particle_system" name="ps_flying_bonus" visible="yes" z="10" emission_count="300" emission_radius="6" speed_min="5" speed_max="40" lifetime_min="300" lifetime_max="700" '
        f'color_start="{ {"hint": "$FFC0E0FF", "heart": "$FFFFB0C0", "ice": "$FFE0FFFF"}[kind] }" color_end="{ {"hint": "$FF3A8AE0", "heart": "$FFE0405A", "ice": "$FF40B8D0"}[kind] }" alfa_start="255" alfa_end="0">'
        '<widgets><widget type="rect_widget" name="dot" width="5" height="5" color="$FFFFFFFF"/></widgets></widget>'
        '</widgets></widget>'))
F.append(factory("ps_hint", '<widget type="stochastic_particle_system" name="hint_%name%" anchor_left="%anchor_left%" anchor_top="%anchor_top%" visible="yes" z="10" timetolive="2500" emission_count="220" '
                 'emission_radius="%radius%" speed_min="10" speed_max="40" lifetime_min="500" lifetime_max="1000" color_start="$FFFFF060" color_end="$FF3A8AE0" alfa_start="255" alfa_end="0">'
                 '<widgets><widget type="rect_widget" name="dot" width="5" height="5" color="$FFFFFFFF"/></widgets></widget>'))

def slot(i, left):
    return (f'<widget type="KestrelleGameTool" name="tool_{i}" anchor_left="{left}" anchor_top="0" quantity="0" visible="yes"><widgets>'
            '<widget type="image_widget" name="slot" resourcename="img_tool_slot" width="64" height="64" visible="yes"/>'
            '<widget type="image_widget" name="normal" resourcename="img_GameToolHint_1" anchor_left="4" anchor_top="4" width="56" height="56" visible="no"/>'
            '<widget type="image_widget" name="disabled" resourcename="img_GameDisabledToolHint_1" anchor_left="4" anchor_top="4" width="56" height="56" visible="no"/>'
            '<widget type="image_widget" name="selected" resourcename="img_tool_selected" width="64" height="64" visible="no"/>'
            '<widget type="text_widget" name="quantity" resourcename="font_label" anchor_left="36" anchor_top="44" width="26" height="20" text="" textalign="right" visible="yes"/>'
            '<widget type="image_widget" name="locked" resourcename="img_tool_locked" width="64" height="64" visible="yes"/>'
            '</widgets></widget>')

counter_box = lambda name, left, icon, inner: (
    f'<widget type="{inner[0]}" name="{name}" anchor_left="{left}" anchor_top="54" width="104" height="34" visible="yes" extraparams="\\init_y=-216"{inner[1]}><widgets>'
    '<widget type="image_widget" name="box" resourcename="img_counter_box" width="104" height="34" visible="yes"/>'
    f'<widget type="image_widget" name="icon" resourcename="{icon}" anchor_left="6" anchor_top="5" width="24" height="24" visible="yes"/>'
    + inner[2] + '</widgets></widget>')
money_counter = counter_box("money_counter", 572, "img_icon_money", ("NumLabelControl", ' animation="yes" maxincrementaldurationtime="800" minincrementalvaluepersecond="20"',
    '<widget type="text_widget" name="text" resourcename="font_main" anchor_left="32" anchor_top="6" width="66" height="22" text="0" textalign="right" visible="yes"/>'))
# The served and goal numbers are two counters; the group passes the level's two values to them.
client_counter = counter_box("client_counter", 684, "img_icon_clients", ("group_widget", ' aliases="\\client_served=served/value\\client_goal=goal/value"',
    '<widget type="NumLabelControl" name="served" anchor_left="30" anchor_top="6" width="30" height="22" animation="no" visible="yes"><widgets>'
    '<widget type="text_widget" name="text" resourcename="font_main" width="30" height="22" text="0" textalign="right" visible="yes"/></widgets></widget>'
    '<widget type="text_widget" name="slash" resourcename="font_main" anchor_left="62" anchor_top="6" width="8" height="22" text="/" visible="yes"/>'
    '<widget type="NumLabelControl" name="goal" anchor_left="70" anchor_top="6" width="30" height="22" animation="no" visible="yes"><widgets>'
    '<widget type="text_widget" name="text" resourcename="font_main" width="30" height="22" text="0" textalign="left" visible="yes"/></widgets></widget>'))

W = []
W.append('<widget type="group_widget" name="bg_group" visible="yes"/>')
W.append('<widget type="image_widget" name="tools_mat" resourcename="img_hud_panel" anchor_left="550" anchor_top="4" width="246" height="252" extraparams="\\init_y=-266" visible="yes"/>')
W.append('<widget type="KestrelleControlGameMain" name="control_game_main" anchor_left="0" anchor_top="0" width="800" height="600" enabled="yes" visible="yes" mousestop="yes">'
         '<sounds>' + "".join(f'<sound name="sound_{n}" resourcename="snd_{n}"/>' for n in
                              ("new_client", "wrong_click", "station_click", "money_click", "correct_click", "special_click", "bonus_click", "coin_click",
                               "tool_hint_click", "tool_ice_click", "tool_heart_click")) + '</sounds><widgets>'
         '<widget type="group_widget" name="shop_stations" visible="yes"/>'
         '<widget type="group_widget" name="shop_items" visible="yes"/>'
         + money_counter + client_counter +
         f'<widget type="image_widget" name="cross" resourcename="img_cross" anchor_left="-200" anchor_top="-200" width="34" height="30" z="30" visible="yes">{fade_by_time(250, 700)}</widget>'
         '<widget type="rect_widget" name="dim" anchor_left="0" anchor_top="0" width="800" height="600" color="$FF000000" transparentlevel="0" z="39" visible="no"/>'
         '<widget type="group_widget" name="scenario_group" z="40" visible="yes"/>'
         '</widgets></widget>')
W.append('<widget type="KestrelleControlTimer" name="timer_control" anchor_left="572" anchor_top="18" extraparams="\\init_y=-252" visible="yes"><widgets>'
         '<widget type="image_widget" name="frame" resourcename="img_timer_frame" width="212" height="24" visible="yes"/>'
         '<widget type="image_widget" name="image_time" resourcename="img_timer_fill" anchor_left="5" anchor_top="5" width="202" height="14" visible="yes"/>'
         '<widget type="blink_widget" name="image_time_blink" resourcename="img_timer_blink" anchor_left="5" anchor_top="5" width="202" height="14" loop="yes" firstperiod="300" start_transparentlevel="0" peak_transparentlevel="255" visible="no"/>'
         '</widgets></widget>')
W.append('<widget type="flash_scenario" name="timer_hide" paused="yes" actiontype="idle" linked_widget_name="timer_control" duration="400" hide_on_end="yes"/>')
W.append('<widget type="KestrelleControlTools" name="control_tools" anchor_left="574" anchor_top="96" width="212" height="64" enabled="yes" visible="yes" mousestop="yes" extraparams="\\init_y=-174"><widgets>'
         + slot(1, 0) + slot(2, 74) + slot(3, 148) + '</widgets></widget>')
W.append(button("button_menu", 588, 196, "%Menu%"))
W.append('<widget type="rect_widget" name="frame_black" anchor_left="0" anchor_top="0" width="800" height="600" color="$FF000000" z="50" extraparams="\\init_t=0" visible="yes">'
         + fade_by_time(150, 750) + '</widget>')
W.append('<widget type="rect_widget" name="fade" anchor_left="0" anchor_top="0" width="800" height="600" color="$FF000000" transparentlevel="0" z="49" visible="no"/>')
W.append('<widget type="flash_scenario" name="fade_in" paused="yes" linked_widget_name="fade" properties="transparentlevel" value="200" duration="400" show_on_start="yes"/>')
W.append('<widget type="flash_scenario" name="fade_out" paused="yes" linked_widget_name="fade" properties="transparentlevel" value="0" duration="400" hide_on_end="yes"/>')
# The first bonus of a level from level 5 on: after a moment the level control is told, and it has
# "GS_BonusHint" point at the station that holds the bonus.
W.append('<widget type="flash_scenario_control" name="bonus_hint" paused="yes" actiontype="idle" duration="1200" next="execute_command:11" '
         'command_params="scenario_to_finalize=bonus_hint" extraparams="\\control_name=../control_game_main"/>')

# The in-level challenge of the item whose "minigame" is "seeds": the client asks for one seed
# packet and the player picks it from four. Its result scenarios ring ten hearts round the panel
# and show a smile; the client's hearts go up or down by one.
SEED_PACKETS = ["seed_carrot", "seed_tomato", "seed_pea", "seed_sunflower"]
for n in range(0, 4):
    F.append(factory(f"circle_{n}", f'<widget type="group_widget" name="circle" anchor_left="4" anchor_top="164" visible="yes"><widgets>'
                     + "".join(f'<widget type="image_widget" name="heart_{k}" resourcename="img_GameClientHeart" anchor_left="{20 * k}" width="18" height="16" visible="yes"/>' for k in range(n))
                     + '</widgets></widget>'))
F.append(factory("text_order", '<widget type="text_widget" name="order_text" resourcename="font_main" width="270" height="50" text="%text%" textalign="center" textvertalign="middle" multiline="yes" visible="yes"/>'))
RESULT_HEART = factory("heart", '<widget type="image_widget" name="%name%" resourcename="img_mg_heart" anchor_left="%anchor_left%" anchor_top="%anchor_top%" width="28" height="26" z="5" extraparams="\\animationtime=600" visible="yes"/>')
for fname, kind, report in (("scenario_minigame_completed", "scenario_minigame_success", "scenario_minigame_success"),
                            ("scenario_minigame_failed", "scenario_minigame_failed", "scenario_minigame_failed")):
    smile = "img_mg_smile" if kind.endswith("success") else "img_pad_sad"
    F.append(factory(fname, f'<widget type="{kind}" name="{report}" visible="yes"><widgets>'
                     f'<widget type="image_widget" name="smile" resourcename="{smile}" anchor_left="456" anchor_top="214" width="64" height="64" z="6" visible="no"/>'
                     '</widgets><widgetfactories>' + RESULT_HEART + '</widgetfactories></widget>'))
def challenge(key, title, choices, height):
    # The client asks for one of four things by name ("%order_" + its id + "%"); the player picks
    # it from the four pictures ("img_" + id) under the order.
    return ('<widget type="KestrelleControlMiniGame" name="control_minigame_' + key + '" anchor_left="0" anchor_top="0" width="800" height="600" z="60" enabled="yes" visible="no" mousestop="yes" returnselfbypos="yes" extraparams="\\type=text"><widgets>'
            '<widget type="image_widget" name="panel" resourcename="img_mg_challenge_panel" anchor_left="170" anchor_top="120" width="420" height="320" visible="yes"/>'
            '<widget type="text_widget" name="title" resourcename="font_button" anchor_left="320" anchor_top="132" width="260" height="30" text="%' + title + '%" textalign="center" textvertalign="middle" visible="yes"/>'
            '<widget type="group_widget" name="client" anchor_left="184" anchor_top="150" visible="yes"/>'
            '<widget type="group_widget" name="order" anchor_left="315" anchor_top="175" visible="yes"/>'
            '<widget type="group_widget" name="items" visible="yes"><widgets>'
            + "".join(f'<widget type="image_widget" name="{p}" resourcename="img_{p}" anchor_left="{330 + 64 * k}" anchor_top="{290 + (80 - height) // 2}" width="64" height="{height}" extraparams="\\item_id={p}" visible="yes"/>'
                      for k, p in enumerate(choices))
            + '</widgets></widget>'
            '<widget type="group_widget" name="scenario_group" z="10" visible="yes"/>'
            '</widgets></widget>')

W.append(challenge("seeds", "title_SeedChallenge", SEED_PACKETS, 80))
# The other shops' challenges offer four things of the shop's own shelves ("img_item_" + name),
# the thing whose order line asked for the challenge among them.
SHOP_CHALLENGES = [("pastries", "title_PastryChallenge", ["croissant", "pretzel", "muffin", "donut"]),
                   ("books", "title_BookChallenge", ["cookbook", "atlas", "comic", "diary"]),
                   ("toys", "title_ToyChallenge", ["kite", "yoyo", "top", "rocket"]),
                   ("teaware", "title_TeaChallenge", ["teapot", "cup", "kettle", "strainer"]),
                   ("outfits", "title_OutfitChallenge", ["dress", "hat", "scarf", "bag"])]
for key, title, things in SHOP_CHALLENGES:
    W.append(challenge(key, title, ["item_" + t for t in things], 64))

def level_screen(kind, name, widgets):
    return (f'<gamescreen type="{kind}" name="{name}">\n  <window left="0" top="0" visible="no">\n'
            '    <musics><music name="music_background" resourcename="mus_level"/></musics>\n'
            '    <widgetfactories>\n      ' + "\n      ".join(F) + '\n    </widgetfactories>\n'
            '    <widgets>\n      ' + "\n      ".join(widgets) + '\n    </widgets>\n  </window>\n</gamescreen>')
gm = level_screen("KestrelleGameScreenGameMain", "GS_GameMain", W)
write("screen_game_main.xml", "The level screen: the shop floor (stations, shelf items, coins), the panel with the timer, the counters, the tools and the menu button, and the factories the level makes its clients, bonuses, labels and scenarios from. Named by GS_GameMain in Kestrelle.ini.", gm)

# ----------------------------------------------------------------------------------- GS_StatMain
def stat_line(name, top, caption):
    return (f'<widget type="group_widget" name="{name}" anchor_left="60" anchor_top="{top}" visible="yes"><widgets>'
            f'<widget type="text_widget" name="caption" resourcename="font_main" width="260" height="30" text="{caption}" textvertalign="middle" visible="yes"/>'
            f'<widget type="text_widget" name="{name}" resourcename="font_button" anchor_left="270" width="120" height="30" text="0" textalign="right" textvertalign="middle" visible="no"/>'
            '</widgets></widget>')
S = []
S.append('<widget type="image_widget" name="panel" resourcename="img_stat_panel" width="520" height="440" visible="yes"/>')
S.append('<widget type="text_widget" name="title" resourcename="font_title" anchor_left="20" anchor_top="16" width="480" height="48" text="%title_Results%" textalign="center" textvertalign="middle" visible="yes"/>')
S.append(stat_line("moneyEarned", 92, "%MoneyEarned%"))
S.append(stat_line("timeBonus", 140, "%TimeBonus%"))
S.append(stat_line("serviceBonus", 188, "%ServiceBonus%"))
S.append(stat_line("totalMoney", 246, "%TotalMoney%"))
S.append('<widget type="image_widget" name="award_time" resourcename="img_medal_time" anchor_left="454" anchor_top="130" width="56" height="56" visible="no"/>')
S.append('<widget type="image_widget" name="award_service" resourcename="img_medal_service" anchor_left="454" anchor_top="180" width="56" height="56" visible="no"/>')
S.append('<widget type="text_widget" name="level_tips" resourcename="font_main" anchor_left="40" anchor_top="304" width="440" height="56" text="" textalign="center" textvertalign="middle" multiline="yes" visible="no"/>')
S.append(STAT_BURST)
S.append('<widget type="group_widget" name="scenario_group" visible="yes"/>')
S.append(button("button_restart", 60, 372, "%Restart%"))
S.append(button("button_ok", 280, 372, "%Continue%"))
def stat_screen(kind, name, lines):
    return (f'<gamescreen type="{kind}" name="{name}">\n  <window left="140" top="80" visible="no">\n    '
            + zoom_effects(260, 220) + '\n    <widgetfactories>\n      '
            + factory("scenario_stat", '<widget type="scenario_stat" name="scenario_stat" visible="yes"><sounds><sound name="sound_new_line" resourcename="snd_new_line"/><sound name="sound_stat_medal" resourcename="snd_stat_medal"/></sounds></widget>')
            + '\n    </widgetfactories>\n    <widgets>\n      ' + "\n      ".join(lines) + '\n    </widgets>\n  </window>\n</gamescreen>')
stat = stat_screen("KestrelleGameScreenStatMain", "GS_StatMain", S)
write("screen_stat_main.xml", "The level results: money, the two bonuses with their medals, the total and a tip, revealed line by line. Named by GS_StatMain in Kestrelle.ini.", stat)

# ----------------------------------------------------------------------------------- GS_GameTutorial
# The guided level: the level screen with the guided control ("KestrelleControlGameTutorial", still
# named "control_game_main"), a skip button and the step pages, the children "0" .. "13" of the
# states widget "states", which shows one of them at a time.
#
# How the guided control walks the pages. Its step counter is the number of the next page to show
# (showing page n makes it n + 1, so the page on screen is the counter - 1). A press on the shop
# floor first advances the page on screen - except while the counter is 3 - and then acts as in
# any level; advancing hides the page when it says show_next_state=no and shows the next one
# otherwise. A page's OK button advances it the same way. Game events show pages of their own:
#   0   the lesson starts: the first client comes and is served first. "no": the first press only
#       hides the page, and that same press may already pick an item.
#   1   the first order is complete. "no": the press on the client hides it and takes the money.
#   2   that client is served; two clients come, to station_2 (served first) and station_3
#       (waiting). Advances: while the counter is 3 a press neither advances nor reaches the
#       shelves, and only calling the client waiting at station_3 advances, to page 3.
#   3   advances on the next press (or OK), to page 4.
#   4   "no": the player serves both; the third client served shows page 5 and brings a VIP
#       (to station_1, the only free station then).
#   5   "no": the VIP served with full hearts shows page 6 and leaves a bonus at its station.
#   6   "no": the press on the bonus hides the page, takes the bonus, shows page 7 and brings a
#       client whose order ends with the level's challenge item (the seed box).
#   7..11  advance, on a press or OK; the shelves take no press while they are up.
#   12  "no": the player finds that order; the seed box starts the in-level challenge.
#   13  shown by the challenge itself (the counter stays) and hidden when it ends; no OK button.
# Serving that client is the fifth, the goal of the levels the lesson runs on (1 and 99).
# A page that advanced by "no" would need a second press the flow never makes, and one that hid by
# "yes" would skip a page: `kestrelle-data check` knows this table.
#
# The pages are drawn over everything (z 70, above the challenge) but only their OK buttons take the
# mouse: the page groups let presses through to their children, and pictures and texts stop none,
# so the press reaches the shop floor underneath. A page's note lies at the bottom, under the
# stations, while the player is to click the floor; over the shelves (which are blocked then) while
# it explains the panel on the right. Arrows point at the thing to click.
TUTOR_PAGE_BOTTOM = (60, 474)
TUTOR_PAGE_TOP = (14, 84)
TUTOR_PANEL_W, TUTOR_PANEL_H = 500, 124

def tutor_arrow(name, direction, left, top):
    return (f'<widget type="blink_widget" name="{name}" resourcename="img_tutor_arrow_{direction}" anchor_left="{left}" anchor_top="{top}" width="52" height="52" '
            'loop="yes" firstperiod="450" secondperiod="450" start_transparentlevel="140" peak_transparentlevel="255" end_transparentlevel="140" visible="yes"/>')

def tutor_ok(left, top):
    return (f'<widget type="ButtonControl" name="button_ok" anchor_left="{left}" anchor_top="{top}" width="120" height="38" enabled="yes" visible="yes" mousestop="yes">'
            '<sounds><sound name="sound_buttonclick" resourcename="snd_click"/></sounds><widgets>'
            '<widget type="image_widget" name="image_normal" resourcename="img_tutor_button" width="120" height="38" visible="no"/>'
            '<widget type="image_widget" name="image_selected" resourcename="img_tutor_button_hover" width="120" height="38" visible="no"/>'
            '<widget type="image_widget" name="image_disabled" resourcename="img_tutor_button_disabled" width="120" height="38" visible="no"/>'
            '<widget type="text_widget" name="caption" resourcename="font_button" anchor_top="1" width="120" height="32" text="%OK%" textalign="center" textvertalign="middle" visible="yes"/>'
            '</widgets></widget>')

def tutor_page(n, advances, at, arrows=(), ok=False, icons=()):
    """Page n: its note at `at` with the text "%tutor_step_<n>%", the arrows (direction, left, top),
    an OK button and small pictures (resource, left, top, w, h; relative to the note)."""
    left, top = at
    text_h = 62 if ok else 100
    note = [f'<widget type="image_widget" name="panel" resourcename="img_tutor_panel" width="{TUTOR_PANEL_W}" height="{TUTOR_PANEL_H}" visible="yes"/>',
            f'<widget type="text_widget" name="text" resourcename="font_main" anchor_left="40" anchor_top="12" width="444" height="{text_h}" text="%tutor_step_{n}%" '
            'textalign="left" textvertalign="middle" multiline="yes" visible="yes"/>']
    note += [f'<widget type="image_widget" name="icon_{k}" resourcename="{res}" anchor_left="{x}" anchor_top="{y}" width="{w}" height="{h}" visible="yes"/>'
             for k, (res, x, y, w, h) in enumerate(icons)]
    widgets = [f'<widget type="group_widget" name="note" anchor_left="{left}" anchor_top="{top}" visible="yes"><widgets>' + "".join(note) + '</widgets></widget>']
    widgets += [tutor_arrow(f"arrow_{k}", d, x, y) for k, (d, x, y) in enumerate(arrows)]
    # Only a page with a button lets the mouse in (to the button, "states/<n>/button_ok", in the
    # note's corner); the note and the arrows let it through.
    stop = ' mousestop="yes"' if ok else ''
    if ok:
        widgets.append(tutor_ok(left + 364, top + 76))
    return (f'<widget type="group_widget" name="{n}" visible="no"{stop} extraparams="\\show_next_state={"yes" if advances else "no"}"><widgets>'
            + "".join(widgets) + '</widgets></widget>')

HEARTS = [("img_GameClientHeart", 40 + 20 * k, 88, 18, 16) for k in range(3)]
TUTOR_PAGES = [
    tutor_page(0, False, TUTOR_PAGE_BOTTOM, arrows=[("up", 105, 380)]),            # the first client's order bubble
    tutor_page(1, False, TUTOR_PAGE_BOTTOM, arrows=[("up", 113, 382)]),            # its money bag
    tutor_page(2, True, TUTOR_PAGE_BOTTOM, arrows=[("down", 417, 218)]),           # the client waiting at station_3
    tutor_page(3, True, TUTOR_PAGE_BOTTOM, arrows=[("up", 495, 380)], ok=True),    # its order bubble
    tutor_page(4, False, TUTOR_PAGE_BOTTOM),
    tutor_page(5, False, TUTOR_PAGE_BOTTOM, arrows=[("down", 27, 218)], icons=[("img_vip_yes", 458, 88, 22, 22)]),  # the VIP at station_1
    tutor_page(6, False, TUTOR_PAGE_BOTTOM, arrows=[("down", 75, 268)]),           # the bonus it left there
    tutor_page(7, True, TUTOR_PAGE_TOP, arrows=[("right", 520, 102)], ok=True),     # the first tool slot
    tutor_page(8, True, TUTOR_PAGE_TOP, ok=True, icons=HEARTS),
    tutor_page(9, True, TUTOR_PAGE_TOP, arrows=[("right", 520, 45)], ok=True),      # the money counter
    tutor_page(10, True, TUTOR_PAGE_TOP, arrows=[("up", 710, 92)], ok=True),        # the client counter
    tutor_page(11, True, TUTOR_PAGE_TOP, arrows=[("right", 520, 4)], ok=True),      # the timer
    tutor_page(12, False, TUTOR_PAGE_BOTTOM, arrows=[("down", 218, 22)]),           # the seed box
    tutor_page(13, False, TUTOR_PAGE_BOTTOM),
]
TW = []
for w in W:
    TW.append(w.replace('type="KestrelleControlGameMain"', 'type="KestrelleControlGameTutorial"'))
assert sum('type="KestrelleControlGameTutorial"' in w for w in TW) == 1
TW.append(button("button_skip", 610, 548, "%SkipTutorial%"))
TW.append('<widget type="states_widget" name="states" z="70" visible="yes" mousestop="yes"><widgets>' + "".join(TUTOR_PAGES) + '</widgets></widget>')
write("screen_game_tutorial.xml", "The guided level: the level screen with the guided control, the skip button and the step pages \"0\" .. \"13\" of \"states\". Named by GS_GameTutorial in Kestrelle.ini.",
      level_screen("KestrelleGameScreenGameTutorial", "GS_GameTutorial", TW))

# The guided level's results: the level's, under a title of their own and with no tip.
write("screen_stat_tutorial.xml", "The guided level's results: as the level's, with no tip. Named by GS_StatTutorial in Kestrelle.ini.",
      stat_screen("KestrelleGameScreenStatTutorial", "GS_StatTutorial", [l.replace("%title_Results%", "%title_TutorialResults%") for l in S]))

# Shown by the skip button. Closing it ends the guided level whatever it answers, so it is a note
# with one button rather than a question whose "No" would end the lesson too.
SKIP = ['<widget type="image_widget" name="image_panel" resourcename="img_query_panel" width="420" height="220" visible="yes"/>',
        '<widget type="text_widget" name="label_title" resourcename="font_title" anchor_left="20" anchor_top="14" width="380" height="40" text="%title_SkipTutorial%" textalign="center" textvertalign="middle" visible="yes"/>',
        '<widget type="text_widget" name="label_question" resourcename="font_main" anchor_left="30" anchor_top="60" width="360" height="80" text="%QuerySkipTutorial%" textalign="center" textvertalign="middle" multiline="yes" visible="yes"/>',
        button("button_yes", 120, 156, "%Continue%")]
write("screen_skip_tutorial.xml", "Tells that the guided level ends here. Named by GS_SkipTutorial in Kestrelle.ini.",
      '<gamescreen type="GameScreenQueryDialog" name="GS_SkipTutorial">\n  <window left="190" top="190" visible="no">\n    ' + zoom_effects(210, 110)
      + '\n    <widgets>\n      ' + "\n      ".join(SKIP) + '\n    </widgets>\n  </window>\n</gamescreen>')

# ----------------------------------------------------------------------------------- GS_StartLevel
SL = []
SL.append('<widget type="image_widget" name="panel" resourcename="img_panel_wide" width="620" height="380" visible="yes"/>')
SL.append('<widget type="text_widget" name="title" resourcename="font_title" anchor_left="20" anchor_top="6" width="580" height="44" text="%title_NewItems%" textalign="center" textvertalign="middle" visible="yes"/>')
SL.append('<widget type="text_widget" name="intro" resourcename="font_main" anchor_left="40" anchor_top="56" width="540" height="24" text="%NewItemsIntro%" textalign="center" visible="yes"/>')
SL.append('<widget type="group_widget" name="items" anchor_left="0" anchor_top="0" visible="yes" extraparams="\\total_width=120"/>')
SL.append('<widget type="group_widget" name="hint_group" visible="no"><widgets>'
          '<widget type="image_widget" name="hint_tool" resourcename="img_GameToolHint_1" anchor_left="50" anchor_top="226" width="56" height="56" visible="yes"/>'
          '<widget type="text_widget" name="hint_text" resourcename="font_main" anchor_left="120" anchor_top="222" width="460" height="64" text="%StartHintTool%" multiline="yes" textvertalign="middle" visible="yes"/>'
          '</widgets></widget>')
SL.append(button("button_ok", 220, 310, "%Play%"))
# The level file places each new item on this panel ("x", "y", "w", "h"); its name sits under it.
startlvl = ('<gamescreen type="KestrelleGameScreenStartLevel" name="GS_StartLevel">\n  <window left="90" top="110" visible="no">\n    '
            + zoom_effects(310, 190) + '\n    <widgetfactories>\n      '
            + factory("item", '<widget type="group_widget" name="%name%" anchor_left="%anchor_left%" anchor_top="%anchor_top%" visible="yes"><widgets>'
                              '<widget type="image_widget" name="picture" resourcename="%resourcename%" width="%width%" height="%height%" visible="yes"/>'
                              '<widget type="text_widget" name="text" resourcename="font_main" width="120" height="40" text="%text%" textalign="center" multiline="yes" visible="yes"/>'
                              '</widgets></widget>')
            + '\n    </widgetfactories>\n    <widgets>\n      ' + "\n      ".join(SL) + '\n    </widgets>\n  </window>\n</gamescreen>')
write("screen_start_level.xml", "Before a level: the items new in this level, and for level 2 a word about the hint tool. Named by GS_StartLevel in Kestrelle.ini.", startlvl)

# ----------------------------------------------------------------------------------- GS_StartToolLevel
ST = []
ST.append('<widget type="image_widget" name="panel" resourcename="img_panel_wide" width="620" height="380" visible="yes"/>')
ST.append('<widget type="text_widget" name="title" resourcename="font_title" anchor_left="20" anchor_top="6" width="580" height="44" text="%title_ChooseTools%" textalign="center" textvertalign="middle" visible="yes"/>')
ST.append('<widget type="text_widget" name="intro" resourcename="font_main" anchor_left="40" anchor_top="56" width="400" height="24" text="%ChooseToolsIntro%" visible="yes"/>')
ST.append('<widget type="text_widget" name="tools_left" resourcename="font_button" anchor_left="450" anchor_top="54" width="40" height="28" text="1" textalign="left" visible="yes"/>')
ST.append('<widget type="group_widget" name="available_tools" anchor_left="0" anchor_top="110" visible="yes" mousestop="yes" '
          'extraparams="\\x0_1=270\\shift_1=20\\x0_2=220\\shift_2=20\\x0_3=170\\shift_3=20\\x0_4=120\\shift_4=20\\x0_5=70\\shift_5=20\\x0_6=30\\shift_6=14\\x0_7=14\\shift_7=6"/>')
ST.append('<widget type="image_widget" name="popup_bg" resourcename="img_counter_box" visible="no"/>')
ST.append('<widget type="text_widget" name="popup" resourcename="font_main" anchor_left="40" anchor_top="220" width="540" height="70" text="" textalign="center" multiline="yes" visible="no"/>')
ST.append(button("button_ok", 220, 310, "%Play%"))
tool_icon = ('<widget type="CheckBoxControl" name="%name%" anchor_left="0" anchor_top="0" width="80" height="96" enabled="yes" visible="yes" mousestop="yes" '
             'extraparams="\\type=%type%\\quantity=%quantity%"><sounds><sound name="sound_buttonclick" resourcename="snd_click"/></sounds><widgets>'
             '<widget type="image_widget" name="image_uncheck_normal" resourcename="%resourcename%" width="80" height="80" visible="no"/>'
             '<widget type="group_widget" name="image_uncheck_selected" visible="no"><widgets><widget type="image_widget" name="icon" resourcename="%resourcename%" width="80" height="80" visible="yes"/>'
             '<widget type="image_widget" name="glow" resourcename="img_tool_selected" anchor_left="8" anchor_top="8" width="64" height="64" visible="yes"/></widgets></widget>'
             '<widget type="group_widget" name="image_check_normal" visible="no"><widgets><widget type="image_widget" name="icon" resourcename="%resourcename%" width="80" height="80" visible="yes"/>'
             '<widget type="image_widget" name="tick" resourcename="img_tool_tick" anchor_left="54" anchor_top="-2" width="28" height="28" visible="yes"/></widgets></widget>'
             '<widget type="group_widget" name="image_check_selected" visible="no"><widgets><widget type="image_widget" name="icon" resourcename="%resourcename%" width="80" height="80" visible="yes"/>'
             '<widget type="image_widget" name="glow" resourcename="img_tool_selected" anchor_left="8" anchor_top="8" width="64" height="64" visible="yes"/>'
             '<widget type="image_widget" name="tick" resourcename="img_tool_tick" anchor_left="54" anchor_top="-2" width="28" height="28" visible="yes"/></widgets></widget>'
             '<widget type="text_widget" name="quantity" resourcename="font_small" anchor_top="80" width="80" height="16" text="x%quantity%" textalign="center" visible="yes"/>'
             '</widgets></widget>')
starttool = ('<gamescreen type="KestrelleGameScreenStartToolLevel" name="GS_StartToolLevel">\n  <window left="90" top="110" visible="no">\n    '
             + zoom_effects(310, 190) + '\n    <widgetfactories>\n      ' + factory("tool_icon", tool_icon)
             + '\n    </widgetfactories>\n    <widgets>\n      ' + "\n      ".join(ST) + '\n    </widgets>\n  </window>\n</gamescreen>')
write("screen_start_tool_level.xml", "Before a level, when the player owns more tools than the panel has slots: the tools to tick, how many may still be taken, and a word on the tool under the mouse. Named by GS_StartToolLevel in Kestrelle.ini.", starttool)

