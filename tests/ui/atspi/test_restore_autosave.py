"""Crash recovery keeps the recovered work: two crashed runs left autosaves in the private program
folder's workspace; a start without a file offers the newer one, Yes opens it untitled and
modified ("無題.stn* - Vintrel"), only the offered autosave is gone (the older one waits for a
later start), and File > Exit asks before the recovered work is closed."""

import os
import shutil
import sys
import time

import atspi_session
import atspi_tree
import menu_text
import script_main
from atspi_tree import describe, node_name, role_name
from script_main import CheckFailed
from waiting import WaitTimedOut, wait_for

AUTOSAVE = "__autoSave.stn__"
OLDER_RUN, NEWER_RUN = "5000", "1000"  # the newer autosave sits in the folder that sorts first
EXPECTED_TITLE = "無題.stn* - Vintrel"
EXIT_MENU_TEXT = "終了(&E)\tAlt+F4"

BUTTON_ROLE = "push button"
YES_NAMES = ("Yes", "&Yes", "はい", "はい(&Y)", "はい(Y)")
CANCEL_NAMES = ("Cancel", "&Cancel", "キャンセル", "キャンセル(&C)")
TIMEOUT_S = 60.0


def lay_out_crashed_runs(options, session):
    workspace = session.path("program", "workspace")
    for run, sample, age_s in ((OLDER_RUN, "sparks.stn", 600), (NEWER_RUN, "fire.stn", 60)):
        folder = os.path.join(workspace, run)
        os.makedirs(folder)
        autosave = os.path.join(folder, AUTOSAVE)
        shutil.copyfile(os.path.join(options.source_dir, "samples", sample), autosave)
        written = time.time() - age_s
        os.utime(autosave, (written, written))


def dialog_with_button(app, names, what):
    """The first push button named one of `names`, waited for: message boxes are the only
    windows with such buttons."""
    def probe():
        atspi_tree.refresh(app)
        return atspi_tree.find_first(app, role=BUTTON_ROLE, match=lambda n: node_name(n) in names)

    try:
        return wait_for(probe, TIMEOUT_S, what)
    except WaitTimedOut as error:
        raise CheckFailed(f"{error}; windows {atspi_tree.window_titles(app)}") from None


def check_restore(options):
    with atspi_session.AtspiSession(options.editor, (), atspi_session.JAPANESE_LOCALE,
                                    before_launch=lambda s: lay_out_crashed_runs(options, s)) as session:
        app = session.find_application()
        yes = dialog_with_button(app, YES_NAMES, "the question whether to restore the autosave")
        print(f"restore question answered with {describe(yes)}")
        atspi_tree.click_opening_modal_dialog(yes)
        try:
            wait_for(lambda: EXPECTED_TITLE in atspi_tree.window_titles(app), TIMEOUT_S,
                     f"a window titled {EXPECTED_TITLE!r}")
        except WaitTimedOut as error:
            raise CheckFailed(f"{error}; windows {atspi_tree.window_titles(app)}") from None
        workspace = session.path("program", "workspace")
        if os.path.exists(os.path.join(workspace, NEWER_RUN, AUTOSAVE)):
            raise CheckFailed("the restored autosave was not deleted")
        if not os.path.isfile(os.path.join(workspace, OLDER_RUN, AUTOSAVE)):
            raise CheckFailed("the autosave that was not offered was deleted")
        print("the newer autosave was restored, the older one is kept")

        exit_item = atspi_tree.wait_for_node(
            app, TIMEOUT_S, what="the Exit menu item",
            match=lambda n: "menu item" in role_name(n) and menu_text.names_menu_text(node_name(n), EXIT_MENU_TEXT))
        atspi_tree.click_opening_modal_dialog(exit_item)
        cancel = dialog_with_button(app, CANCEL_NAMES, "the question whether to save the recovered work")
        print(f"Exit asks first; answering {describe(cancel)}")
        atspi_tree.click_opening_modal_dialog(cancel)
        time.sleep(1.0)
        if session.editor.poll() is not None:
            raise CheckFailed(f"the editor ended (code {session.editor.returncode}) although the close was cancelled")
        if EXPECTED_TITLE not in atspi_tree.window_titles(app):
            raise CheckFailed(f"after the cancelled close the windows are {atspi_tree.window_titles(app)}")
        print("the recovered project is still open")


if __name__ == "__main__":
    sys.exit(script_main.run(__doc__.splitlines()[0], check_restore))
