"""The lists and the curve window by keyboard and screen reader, in Japanese and in English: the
rows of the material, viewpoint and history lists are list items found by their texts, real key
presses move the selection and Enter acts on it; a focused curve picture opens its window with
Enter and Escape closes it. In English no control, list row or Qt file chooser shows Japanese
(the node names are the file's own); in Japanese the file chooser speaks Japanese. The language
is VINTREL_TEST_LANGUAGE's, "ja" (the default) or "en"."""

import os
import re
import sys
import tempfile

import atspi_session
import atspi_tree
import keyboard_input
import menu_text
import script_main
from atspi_tree import node_name, role_name
from keyboard_input import list_rows, press
from script_main import CheckFailed
from waiting import WaitTimedOut, wait_for

MATERIALS = ["flame", "glow", "spark"]
LANGUAGES = {
    "ja": {
        "args": [],
        "material_list": "マテリアルリスト",
        "view_list": "視点リスト",
        "view_menu": "視点リスト(&V)\tCtrl+V",
        "add_row": "＜追加＞",
        "history_list": "履歴リスト",
        "history_menu": "履歴リスト(&H)\tCtrl+H",
        "first_entry": "スタート",
        "colour_tab": "色",
        "opacity_curve": "カラー【不透明度】",
        "open_menu": "開く(&O)\tCtrl+O",
        "cancel": ("キャンセル", "キャンセル(&C)"),
    },
    "en": {
        "args": ["--lang", "en"],
        "material_list": "Material list",
        "view_list": "Viewpoint list",
        "view_menu": "&Viewpoint list\tCtrl+V",
        "add_row": "<Add>",
        "history_list": "History list",
        "history_menu": "&History list\tCtrl+H",
        "first_entry": "Start",
        "colour_tab": "Colour",
        "opacity_curve": "Colour [opacity]",
        "open_menu": "&Open\tCtrl+O",
        "cancel": ("Cancel", "&Cancel"),
    },
}
JAPANESE = re.compile("[\u3040-\u30ff\u3400-\u9fff\uff01-\uffee]")
NODE_LIST = "Node list"
ROW_HEIGHT = 25  # the view and history lists' rows, in pixels
TIMEOUT_S = 30.0


def wait_until(probe, what):
    try:
        return wait_for(probe, TIMEOUT_S, what)
    except WaitTimedOut as error:
        raise CheckFailed(str(error)) from None


def wait_for_rows(app, list_name, accept, what):
    """The list's rows once accept(rows) holds."""
    def probe():
        rows = list_rows(app, list_name)
        return rows if rows is not None and accept(rows) else None

    try:
        return wait_for(probe, TIMEOUT_S, what)
    except WaitTimedOut as error:
        raise CheckFailed(f"{error}; the list {list_name!r} shows {list_rows(app, list_name)}") from None


def selected_text(rows):
    chosen = [text for text, selected in rows if selected]
    return chosen[0] if len(chosen) == 1 else None


def find_list(app, name):
    atspi_tree.refresh(app)
    found = atspi_tree.find_first(app, role="list", name=name)
    if found is None:
        raise CheckFailed(f"no list {name!r}")
    return found


def focus_below_rows(app, list_name, rows):
    """Clicks the list's empty space under its rows: the window takes the keyboard and the list
    the focus, and no row is acted on."""
    _, _, width, height = keyboard_input.extents(find_list(app, list_name))
    below = rows * ROW_HEIGHT + 8
    if below >= height:
        raise CheckFailed(f"the list {list_name!r} ({height} pixels) has no room under its {rows} rows")
    keyboard_input.click_inside(find_list(app, list_name), width // 3, below)


def click_menu(app, text):
    item = atspi_tree.find_first(app, match=lambda n: role_name(n) == "menu item"
                                 and menu_text.names_menu_text(node_name(n), text))
    if item is None:
        raise CheckFailed(f"no menu item {menu_text.display_form(text)!r}")
    atspi_tree.click(item)


def check_material_list(app, texts):
    wait_for_rows(app, texts["material_list"], lambda rows: [t for t, _ in rows] == MATERIALS,
                  "the sample's materials as rows")
    first = atspi_tree.children(find_list(app, texts["material_list"]))[0]
    keyboard_input.click_inside(first, 40, 10)
    wait_for_rows(app, texts["material_list"], lambda rows: selected_text(rows) == "flame", "flame selected by a click")
    press("Down", "Down")
    wait_for_rows(app, texts["material_list"], lambda rows: selected_text(rows) == "spark",
                  "spark selected by two Down keys")


def check_view_list(app, texts):
    click_menu(app, texts["view_menu"])
    rows = wait_for_rows(app, texts["view_list"], lambda r: r and r[-1][0] == texts["add_row"],
                         f"the viewpoint rows ending with {texts['add_row']!r}")
    count = len(rows)
    stored = stored_names(app, texts)
    focus_below_rows(app, texts["view_list"], count)
    press("End")
    wait_for_rows(app, texts["view_list"], lambda r: selected_text(r) == texts["add_row"],
                  f"{texts['add_row']!r} selected by End")
    press("Return")
    rows = wait_for_rows(app, texts["view_list"], lambda r: len(r) == count + 1,
                         "a viewpoint added by Enter on the add row")
    if rows[-1][0] != texts["add_row"]:
        raise CheckFailed(f"the add row is no longer last: {rows}")
    press("Up")
    wait_for_rows(app, texts["view_list"], lambda r: selected_text(r) == rows[-2][0],
                  f"the new viewpoint {rows[-2][0]!r} selected by Up")
    return stored


def spinner_up_buttons(app):
    """The '+' of each number field's arrows: the first push button of every two-button filler."""
    pairs = [children for children in (atspi_tree.children(n) for n in atspi_tree.find_all(app, role="filler"))
             if len(children) == 2 and all(role_name(c) == "push button" for c in children)]
    return [pair[0] for pair in pairs]


def check_history_list(app, texts):
    click_menu(app, texts["history_menu"])
    wait_for_rows(app, texts["history_list"], lambda r: [t for t, _ in r] == [texts["first_entry"]],
                  f"the history with {texts['first_entry']!r} alone")
    buttons = spinner_up_buttons(app)
    if len(buttons) < 2:
        raise CheckFailed(f"only {len(buttons)} number fields with arrows on the first tab")
    for button in buttons[:2]:
        atspi_tree.click(button)
    rows = wait_for_rows(app, texts["history_list"], lambda r: len(r) == 3 and r[2][1],
                         "two edits in the history, the last one selected")
    focus_below_rows(app, texts["history_list"], len(rows))
    press("Up", "Up")
    wait_for_rows(app, texts["history_list"], lambda r: selected_text(r) == texts["first_entry"],
                  "the first entry selected by two Up keys")
    press("Return")  # jumps back to the start: both edits undone
    press("Down", "Return")
    wait_for_rows(app, texts["history_list"], lambda r: selected_text(r) == rows[1][0],
                  f"the first edit {rows[1][0]!r} selected after Down and Enter")


def curve_window_open(app, title):
    return title in atspi_tree.window_titles(app)


def check_curve_window(app, texts):
    tab = atspi_tree.find_first(app, role="push button", name=texts["colour_tab"])
    if tab is None:
        raise CheckFailed(f"no tab {texts['colour_tab']!r}")
    keyboard_input.click_inside(tab, 5, 5)  # the main window takes the keyboard again
    title = texts["opacity_curve"]
    picture = atspi_tree.wait_for_node(app, TIMEOUT_S, role="push button", name=title)
    picture.queryComponent().grabFocus()
    press("Return")
    wait_until(lambda: curve_window_open(app, title), f"the curve window {title!r} opened by Enter")
    press("Escape")
    wait_until(lambda: not curve_window_open(app, title), f"the curve window {title!r} closed by Escape")


def check_file_chooser(app, texts, language):
    before = set(atspi_tree.window_titles(app))
    item = atspi_tree.find_first(app, match=lambda n: role_name(n) == "menu item"
                                 and menu_text.names_menu_text(node_name(n), texts["open_menu"]))
    if item is None:
        raise CheckFailed(f"no menu item {menu_text.display_form(texts['open_menu'])!r}")
    atspi_tree.click_opening_modal_dialog(item)

    def chooser():
        for window in atspi_tree.top_level_windows(app):
            if node_name(window) not in before:
                return window
        return None

    window = wait_until(chooser, "the file chooser")
    names = [(role_name(n), node_name(n)) for _, n in atspi_tree.walk(window)]
    cancel = atspi_tree.find_first(window, role="push button", match=lambda n: node_name(n) in texts["cancel"])
    problems = []
    if cancel is None:
        problems.append(f"no button {texts['cancel'][0]!r} in the file chooser: {names}")
    if language == "en":
        problems += [f"Japanese in the file chooser: {role} {name!r}" for role, name in names if JAPANESE.search(name)]
    if cancel is not None:
        atspi_tree.click(cancel)
        wait_until(lambda: chooser() is None, "the file chooser closed by Cancel")
    return problems


def check_language(options, language):
    texts = LANGUAGES[language]
    with tempfile.TemporaryDirectory(prefix="vintrel-keyboard-") as folder:
        sample = script_main.copy_sample(options, "fire.stn", folder)
        with atspi_session.AtspiSession(options.editor, texts["args"] + [sample],
                                        atspi_session.JAPANESE_LOCALE) as session:
            app = session.find_application()
            check_material_list(app, texts)
            stored = check_view_list(app, texts)
            check_history_list(app, texts)
            check_curve_window(app, texts)
            problems = check_file_chooser(app, texts, language)
            if language == "en":
                problems += english_problems(app, stored)
    if problems:
        raise CheckFailed(f"{language}: {len(problems)} problem(s):\n  " + "\n  ".join(problems))
    print(f"{language}: the lists, the curve window and the file chooser work by keyboard")


def stored_names(app, texts):
    """What the sample itself names: its nodes and its viewpoints (the rows the view list shows
    before anything is added); these keep their Japanese in English."""
    names = set()
    for found in atspi_tree.find_all(app, role="list", name=NODE_LIST):
        names.update(node_name(n) for n in atspi_tree.children(found))
    names.update(text for text, _ in list_rows(app, texts["view_list"]) or [] if text != texts["add_row"])
    return names


def english_problems(app, stored):
    """Japanese anywhere in the English editor once the file's own names are taken out of each
    text (a history entry starts with its node's name)."""
    atspi_tree.refresh(app)
    problems = []
    for _, node in atspi_tree.walk(app):
        text = node_name(node)
        for name in sorted(stored, key=len, reverse=True):
            text = text.replace(name, "")
        if JAPANESE.search(text):
            problems.append(f"Japanese in English: {role_name(node)} {node_name(node)!r}")
    return problems


def check_editor(options):
    # One language per process: the AT-SPI client stays bound to its first session's buses.
    language = os.environ.get("VINTREL_TEST_LANGUAGE", "ja")
    if language not in LANGUAGES:
        raise CheckFailed(f"VINTREL_TEST_LANGUAGE={language!r}: expected one of {sorted(LANGUAGES)}")
    check_language(options, language)


if __name__ == "__main__":
    sys.exit(script_main.run(__doc__.splitlines()[0], check_editor))
