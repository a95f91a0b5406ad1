"""Every menu command and every picture button of the editor can be found through AT-SPI by its
text: a menu item by its menu text, a picture button as a push button named by its hint, and the
recent-files submenu. Starts the editor on a copy of samples/fire.stn, checks the window title,
walks the whole accessibility tree once and reports every missing name together."""

import sys
import tempfile

import atspi_session
import atspi_tree
import menu_text
import script_main
from script_main import CheckFailed
from waiting import WaitTimedOut, wait_for

SAMPLE = "fire.stn"
EXPECTED_TITLE = "fire.stn - Vintrel"
TITLE_TIMEOUT_S = 30.0

# Command id, menu text, hint of its picture button (None: no button), in menu order.
COMMANDS = (
    (40009, "新規作成(&N)\tCtrl+N", "新しくエフェクトを作成する。"),
    (40010, "開く(&O)\tCtrl+O", "エフェクトを開く。"),
    (40011, "上書き保存(&S)\tCtrl+S", "上書き保存する。"),
    (40012, "名前を付けて保存(&A)\tCtrl+Shift+S", None),
    (40013, "書き出し(&W)\tCtrl+W", "画像ファイルに書き出し。"),
    (40014, "終了(&E)\tAlt+F4", None),
    (40025, "元に戻す(&U)\tCtrl+Z", "元に戻す。"),
    (40030, "やりなおし(&R)\tCtrl+Y", "やりなおし。"),
    (40038, "リメイク(&M)\tCtrl+R", "設定をそのままにエフェクトを作り直す。"),
    (40018, "プロジェクトの設定(&P)\tCtrl+P", "「プロジェクトの設定」ダイアログを表示。"),
    (40033, "カメラの設定(&C)\tCtrl+C", "「カメラの設定」ダイアログを表示。"),
    (40034, "背景色の設定(&B)\tCtrl+B", "「背景色の設定」ダイアログを表示。"),
    (40075, "マスクの設定(&K)\tCtrl+M", "「マスクの設定」ダイアログを表示。"),
    (40059, "現在のフレーム(&F)\tCtrl+F", None),
    (40060, "現在のパーティクル数(&P)\tCtrl+T", None),
    (40061, "現在のFPS(&S)\tCtrl+L", None),
    (40080, "エミッターのガイド(&G)\tCtrl+G", None),
    (40028, "履歴リスト(&H)\tCtrl+H", "「履歴リスト」を表示。"),
    (40035, "視点リスト(&V)\tCtrl+V", "「視点リスト」を表示。"),
    (40015, "オンラインヘルプ(&H)\tF1", "オンラインヘルプ"),
    (40071, "アップデート確認(&U)", None),
    (40016, "バージョン情報(&V)", None),
)
RECENT_FILES_SUBMENU = "最近使ったファイル(&F)"

# The picture buttons from left to right.
BUTTON_ORDER = (
    40009, 40010, 40011, 40013, 40025, 40030, 40038, 40018, 40033, 40034, 40075, 40028, 40035, 40015,
)

# Qt gives a checkable item or a submenu's item other roles than a plain command.
MENU_ITEM_ROLES = ("menu item", "check menu item", "radio menu item", "menu")
BUTTON_ROLE = "push button"


def hint_of(command):
    return next(hint for cid, _, hint in COMMANDS if cid == command)


def collect_nodes(app):
    """(role, name, node) of every node of the application, read in one walk."""
    atspi_tree.refresh(app)
    return [(atspi_tree.role_name(n), atspi_tree.node_name(n), n) for _, n in atspi_tree.walk(app)]


def missing_menu_items(nodes):
    menu_names = [name for role, name, _ in nodes if role in MENU_ITEM_ROLES]
    wanted = [(f"command {cid}", text) for cid, text, _ in COMMANDS]
    wanted.append(("the recent-files submenu", RECENT_FILES_SUBMENU))
    return [
        f"no menu item {menu_text.display_form(text)!r} ({what})"
        for what, text in wanted
        if not any(menu_text.names_menu_text(name, text) for name in menu_names)
    ]


def find_buttons(nodes):
    """The picture buttons found, by command id."""
    found = {}
    for command in BUTTON_ORDER:
        hint = hint_of(command)
        match = next((n for role, name, n in nodes if role == BUTTON_ROLE and name == hint), None)
        if match is not None:
            found[command] = match
    return found


def missing_buttons(buttons):
    return [f"no push button {hint_of(c)!r} (picture button {c})" for c in BUTTON_ORDER if c not in buttons]


def left_edge(node):
    return node.queryComponent().getExtents(atspi_session.pyatspi().DESKTOP_COORDS).x


def button_order_problems(buttons):
    """A message when the buttons found do not stand from left to right in the table's order."""
    present = [c for c in BUTTON_ORDER if c in buttons]
    by_position = sorted(present, key=lambda c: left_edge(buttons[c]))
    if by_position == present:
        return []
    return [f"picture buttons out of order: from left to right {by_position}, expected {present}"]


def title_problems(app):
    try:
        wait_for(lambda: EXPECTED_TITLE in atspi_tree.window_titles(app), TITLE_TIMEOUT_S,
                 f"the title {EXPECTED_TITLE!r}")
        return []
    except WaitTimedOut:
        return [f"no window titled {EXPECTED_TITLE!r}: the windows are {atspi_tree.window_titles(app)}"]


def problems_of_running_editor(app):
    problems = title_problems(app)
    print(f"windows: {atspi_tree.window_titles(app)}")
    nodes = collect_nodes(app)
    print(f"{len(nodes)} accessible nodes walked")
    buttons = find_buttons(nodes)
    return problems + missing_menu_items(nodes) + missing_buttons(buttons) + button_order_problems(buttons)


def check_editor(options):
    with tempfile.TemporaryDirectory(prefix="vintrel-atspi-files-") as files:
        project = script_main.copy_sample(options, SAMPLE, files)
        with atspi_session.AtspiSession(options.editor, [project], atspi_session.JAPANESE_LOCALE) as session:
            app = session.find_application()
            print(f"application {app.name!r} found, process {app.get_process_id()}")
            problems = problems_of_running_editor(app)
    if problems:
        raise CheckFailed(f"{len(problems)} problem(s) seen through AT-SPI:\n  " + "\n  ".join(problems))
    print(f"all {len(COMMANDS) + 1} menu items and {len(BUTTON_ORDER)} picture buttons found, "
          "the buttons in order")


if __name__ == "__main__":
    sys.exit(script_main.run(__doc__.splitlines()[0], check_editor))
