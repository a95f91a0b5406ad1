"""Real key presses and clicks for the editor under test, sent through AT-SPI's device event
controller (XTest on the session's virtual X server). With no window manager the keyboard goes
to the window Qt last activated, which a click on it does."""

import time

import atspi_session
import atspi_tree

# X key symbols of the keys the tests press.
KEYSYMS = {
    "Up": 0xFF52, "Down": 0xFF54, "Left": 0xFF51, "Right": 0xFF53,
    "Home": 0xFF50, "End": 0xFF57, "Return": 0xFF0D, "Escape": 0xFF1B, "Tab": 0xFF09,
}
# Time for the X server and the application to take one event before the next.
EVENT_GAP_S = 0.15


def extents(node):
    """(x, y, width, height) of the node on the screen."""
    box = node.queryComponent().getExtents(atspi_session.pyatspi().DESKTOP_COORDS)
    return box.x, box.y, box.width, box.height


def click_at(x, y):
    atspi_session.pyatspi().Registry.generateMouseEvent(int(x), int(y), "b1c")
    time.sleep(EVENT_GAP_S)


def click_inside(node, dx, dy):
    """A left click at (dx, dy) from the node's top-left corner."""
    x, y, _, _ = extents(node)
    click_at(x + dx, y + dy)


def press(*keys):
    module = atspi_session.pyatspi()
    for key in keys:
        module.Registry.generateKeyboardEvent(KEYSYMS[key], None, module.KEY_SYM)
        time.sleep(EVENT_GAP_S)


def is_selected(node):
    try:
        return node.getState().contains(atspi_session.pyatspi().STATE_SELECTED)
    except Exception:
        return False


def list_rows(app, list_name):
    """The texts of the list's items as the application shows them now, and which is selected:
    [(text, selected), ...]; None while there is no such list."""
    atspi_tree.refresh(app)
    found = atspi_tree.find_first(app, role="list", name=list_name)
    if found is None:
        return None
    return [(atspi_tree.node_name(item), is_selected(item))
            for item in atspi_tree.children(found) if atspi_tree.role_name(item) == "list item"]
