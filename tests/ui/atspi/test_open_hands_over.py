"""Open hands the project over to a fresh editor process: the menu command "開く(&O)" shows the file
dialog, the chosen file is opened by a new process whose window is titled "sparks.stn - Vintrel",
and the first process ends. Driven through AT-SPI from a start without a file, in private HOME,
XDG and program folders so that no recovery prompt can come first."""

import sys
import tempfile

import atspi_session
import atspi_tree
import menu_text
import script_main
from atspi_tree import describe, node_name, role_name
from script_main import CheckFailed
from waiting import WaitTimedOut, wait_for

SAMPLE = "sparks.stn"
OPEN_MENU_TEXT = "開く(&O)\tCtrl+O"
EXPECTED_TITLE = "sparks.stn - Vintrel"

# Qt's own file dialog, untranslated or with Qt's Japanese translation.
DIALOG_ROLES = ("dialog", "file chooser")
FILE_NAME_LABELS = ("File name:", "ファイル名:", "ファイル名(&N):", "ファイル名(N):")
OPEN_BUTTON_NAMES = ("Open", "&Open", "開く", "開く(O)")
TEXT_ROLE = "text"
BUTTON_ROLE = "push button"

MENU_TIMEOUT_S = 20.0
DIALOG_TIMEOUT_S = 30.0
HAND_OVER_TIMEOUT_S = 60.0
OLD_PROCESS_EXIT_TIMEOUT_S = 30.0


def is_open_command(node):
    return "menu item" in role_name(node) and menu_text.names_menu_text(node_name(node), OPEN_MENU_TEXT)


def find_open_command(app):
    """The "Open" menu item, waited for shortly: the menus exist as soon as the window does."""
    try:
        return atspi_tree.wait_for_node(app, MENU_TIMEOUT_S, match=is_open_command)
    except atspi_session.AtspiError:
        raise CheckFailed(f"menu item not found: {menu_text.display_form(OPEN_MENU_TEXT)!r} "
                          f"(nor {sorted(menu_text.accepted_names(OPEN_MENU_TEXT))})") from None


def find_file_dialog(app):
    try:
        return atspi_tree.wait_for_node(app, DIALOG_TIMEOUT_S, what="the file dialog",
                                        match=lambda n: role_name(n) in DIALOG_ROLES)
    except atspi_session.AtspiError as error:
        raise CheckFailed(f"no file dialog appeared after the Open command: {error}") from None


def file_name_field(dialog):
    """The dialog's file-name field: the text field labelled as such, else the only text field
    that is not part of a combo box (the folder and file-type combos have their own)."""
    fields = atspi_tree.find_all(dialog, role=TEXT_ROLE)
    labelled = [f for f in fields if node_name(f) in FILE_NAME_LABELS]
    if labelled:
        return labelled[0]
    free = [f for f in fields if role_name(f.parent) != "combo box"]
    if len(free) == 1:
        return free[0]
    described = [describe(f) for f in fields]
    raise CheckFailed(f"no file-name field in the file dialog; its text fields: {described}")


def open_button(dialog):
    button = atspi_tree.find_first(dialog, role=BUTTON_ROLE,
                                   match=lambda n: node_name(n) in OPEN_BUTTON_NAMES)
    if button is None:
        buttons = [describe(b) for b in atspi_tree.find_all(dialog, role=BUTTON_ROLE)]
        raise CheckFailed(f"no Open button in the file dialog; buttons: {buttons}")
    return button


def choose_file(dialog, path):
    field = file_name_field(dialog)
    atspi_tree.set_text(field, path)
    button = open_button(dialog)
    # The button is enabled once the field holds a name.
    wait_for(lambda: atspi_tree.is_enabled(button), DIALOG_TIMEOUT_S, f"{describe(button)} to become enabled")
    atspi_tree.click(button)


def new_editor_with_title(old_pid):
    app = atspi_session.find_application_node(exclude_pids={old_pid})
    if app is not None and EXPECTED_TITLE in atspi_tree.window_titles(app):
        return app
    return None


def wait_for_hand_over(session, first_app):
    """Waits for the new process's window, then for the first process to end."""
    old_pid = session.editor_pid
    try:
        new_app = wait_for(lambda: new_editor_with_title(old_pid), HAND_OVER_TIMEOUT_S,
                           f"a new editor process with a window titled {EXPECTED_TITLE!r}")
    except WaitTimedOut as error:
        titles = atspi_tree.window_titles(first_app)
        raise CheckFailed(f"{error}; the first editor shows {titles}") from None
    print(f"new editor process {new_app.get_process_id()} shows {EXPECTED_TITLE!r}")
    try:
        wait_for(lambda: session.editor.poll() is not None, OLD_PROCESS_EXIT_TIMEOUT_S,
                 f"the first editor (process {old_pid}) to end")
    except WaitTimedOut as error:
        raise CheckFailed(str(error)) from None
    print(f"first editor ended with code {session.editor.returncode}")


def check_hand_over(options):
    with tempfile.TemporaryDirectory(prefix="vintrel-atspi-files-") as files:
        project = script_main.copy_sample(options, SAMPLE, files)
        with atspi_session.AtspiSession(options.editor, (), atspi_session.JAPANESE_LOCALE) as session:
            app = session.find_application()
            print(f"editor found, process {session.editor_pid}, windows {atspi_tree.window_titles(app)}")
            command = find_open_command(app)
            print(f"activating {describe(command)}")
            atspi_tree.click_opening_modal_dialog(command)
            dialog = find_file_dialog(app)
            print(f"file dialog {describe(dialog)}; choosing {project}")
            choose_file(dialog, project)
            wait_for_hand_over(session, app)


if __name__ == "__main__":
    sys.exit(script_main.run(__doc__.splitlines()[0], check_hand_over))
