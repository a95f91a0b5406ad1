"""--lang en gives the editor an English interface even on a Japanese desktop: the menus and the
picture buttons are found by their English texts and no menu item is left in Japanese. (The
Japanese interface under a ja_JP locale without the option is what test_commands_reachable sees.)"""

import re
import sys

import atspi_session
import atspi_tree
import menu_text
import script_main
from script_main import CheckFailed

MENU_TEXTS = ("&File", "&Edit", "&Settings", "&View", "&Help", "&Open\tCtrl+O", "Save &As\tCtrl+Shift+S")
BUTTON_NAMES = ("Create a new effect.", "Save the project.", "Open the camera settings.")
MENU_ITEM_ROLES = ("menu item", "check menu item", "radio menu item", "menu")
JAPANESE = re.compile("[\u3040-\u30ff\u3400-\u9fff\uff01-\uffee]")
TIMEOUT_S = 30.0


def check_editor(options):
    with atspi_session.AtspiSession(options.editor, ["--lang", "en"], atspi_session.JAPANESE_LOCALE) as session:
        app = session.find_application()
        atspi_tree.wait_for_node(app, TIMEOUT_S, what="the File menu",
                                 match=lambda n: menu_text.names_menu_text(atspi_tree.node_name(n), "&File"))
        atspi_tree.refresh(app)
        nodes = [(atspi_tree.role_name(n), atspi_tree.node_name(n)) for _, n in atspi_tree.walk(app)]
    menus = [name for role, name in nodes if role in MENU_ITEM_ROLES]
    buttons = [name for role, name in nodes if role == "push button"]
    problems = [f"no menu item {menu_text.display_form(t)!r}" for t in MENU_TEXTS
                if not any(menu_text.names_menu_text(name, t) for name in menus)]
    problems += [f"no push button {b!r}" for b in BUTTON_NAMES if b not in buttons]
    problems += [f"menu item still in Japanese: {name!r}" for name in menus if JAPANESE.search(name)]
    if problems:
        raise CheckFailed(f"{len(problems)} problem(s):\n  " + "\n  ".join(problems))
    print(f"{len(menus)} menu items and {len(buttons)} buttons in English")


if __name__ == "__main__":
    sys.exit(script_main.run(__doc__.splitlines()[0], check_editor))
