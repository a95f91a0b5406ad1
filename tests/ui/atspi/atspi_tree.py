"""Reading and driving an application's accessibility tree over AT-SPI: walking it, finding nodes
by role and name, reading window titles, doing actions and setting text.

Nodes are pyatspi accessibles. Every call goes over D-Bus to the application and can fail when
the node has gone away in the meantime; the helpers here treat such a node as absent instead of
failing the walk. Role names are AT-SPI's ("push button", "menu item", "text", "frame", ...).
"""

import atspi_session
from atspi_session import AtspiError, pyatspi
from waiting import WaitTimedOut, wait_for

# Roles of an application's top-level windows.
WINDOW_ROLES = ("frame", "dialog", "window", "file chooser", "alert")
# A walk deeper than this means a cycle in the tree, not a real window.
MAX_DEPTH = 64
# Action names tried in order when a node is "clicked"; Qt names its main action "Press".
CLICK_ACTIONS = ("press", "click", "activate", "jump")
# The limit for an action whose handler runs a modal dialog (see click_opening_modal_dialog).
MODAL_ACTION_TIMEOUT_MS = 1500
# libatspi's errors: the domain, and ATSPI_ERROR_IPC (no reply in time, or the connection went
# away), which its typelib does not name.
ATSPI_ERROR_DOMAIN = "atspi_error"
ATSPI_ERROR_IPC = 1


def role_name(node):
    try:
        return node.getRoleName()
    except Exception:
        return "?"


def node_name(node):
    try:
        return node.name or ""
    except Exception:
        return ""


def describe(node):
    return f"{role_name(node)} {node_name(node)!r}"


def children(node):
    """The node's children that could be read; a vanished child is left out."""
    try:
        count = node.childCount
    except Exception:
        return []
    found = []
    for index in range(count):
        try:
            child = node.getChildAtIndex(index)
        except Exception:
            continue
        if child is not None:
            found.append(child)
    return found


def refresh(node):
    """Drops the client-side cache of the node so that the next walk reads the application anew
    (windows that opened since the last walk, changed names)."""
    try:
        node.clear_cache()
    except Exception:
        pass


def walk(root, max_depth=MAX_DEPTH):
    """Yields (depth, node) for the root and every descendant, depth first, in child order."""
    stack = [(0, root)]
    while stack:
        depth, node = stack.pop()
        yield depth, node
        if depth < max_depth:
            stack.extend((depth + 1, child) for child in reversed(children(node)))


def find_all(root, role=None, name=None, match=None):
    """Nodes below root (root included) with this role name, this exact name, and for which
    match(node) is true; each criterion left out matches everything."""
    return [
        node
        for _, node in walk(root)
        if (role is None or role_name(node) == role)
        and (name is None or node_name(node) == name)
        and (match is None or match(node))
    ]


def find_first(root, role=None, name=None, match=None):
    found = find_all(root, role, name, match)
    return found[0] if found else None


def wait_for_node(root, seconds, role=None, name=None, match=None, what=None):
    """The first node find_first() gives, waited for with a deadline."""
    label = what or (f"{role or 'a node'} named {name!r}" if name is not None else role or "a matching node")

    def probe():
        refresh(root)
        return find_first(root, role, name, match)

    try:
        return wait_for(probe, seconds, label)
    except WaitTimedOut as error:
        raise AtspiError(str(error)) from None


def top_level_windows(app):
    refresh(app)
    return [child for child in children(app) if role_name(child) in WINDOW_ROLES]


def window_titles(app):
    """The titles (accessible names) of the application's top-level windows."""
    return [node_name(window) for window in top_level_windows(app)]


def is_enabled(node):
    try:
        return node.getState().contains(pyatspi().STATE_ENABLED)
    except Exception:
        return False


def action_names(node):
    try:
        action = node.queryAction()
        return [action.getName(i) for i in range(action.nActions)]
    except Exception:
        return []


def key_bindings(node):
    """The key bindings the node's actions report (for a menu item, its shortcut)."""
    try:
        action = node.queryAction()
        return [action.getKeyBinding(i) for i in range(action.nActions)]
    except Exception:
        return []


def _click_action(node):
    names = action_names(node)
    lowered = [n.lower() for n in names]
    index = next((lowered.index(a) for a in CLICK_ACTIONS if a in lowered), None)
    if index is None:
        raise AtspiError(f"{describe(node)} has no press or click action (it has {names})")
    return index, names[index]


def click(node):
    """Does the node's press or click action and waits for the application to confirm it."""
    index, name = _click_action(node)
    if not node.queryAction().doAction(index):
        raise AtspiError(f"{describe(node)} refused its action {name!r}")


def _is_ipc_error(error):
    from gi.repository import GLib

    return (isinstance(error, GLib.GError) and error.domain == ATSPI_ERROR_DOMAIN
            and error.code == ATSPI_ERROR_IPC)


def click_opening_modal_dialog(node):
    """Does the node's press or click action when its handler runs a modal dialog. Qt answers such
    a call only after the dialog has closed, so it is sent with a short limit, and running out of
    it (an IPC error) is expected; the caller then waits for the dialog itself."""
    index, name = _click_action(node)
    module = pyatspi()
    # Both limits: libatspi allows the longer start-up limit to applications that registered
    # recently.
    module.setTimeout(MODAL_ACTION_TIMEOUT_MS, MODAL_ACTION_TIMEOUT_MS)
    try:
        node.queryAction().doAction(index)
    except Exception as error:
        if not _is_ipc_error(error):
            raise AtspiError(f"{describe(node)}: action {name!r} failed: {error}") from error
    finally:
        module.setTimeout(atspi_session.METHOD_CALL_TIMEOUT_MS, atspi_session.APP_STARTUP_TIMEOUT_MS)


def set_text(node, text):
    """Replaces the text of an editable text node."""
    try:
        editable = node.queryEditableText()
    except NotImplementedError as error:
        raise AtspiError(f"{describe(node)} has no editable text") from error
    if not editable.setTextContents(text):
        raise AtspiError(f"{describe(node)} refused the text {text!r}")


def dump_tree(root):
    """One line per node, indented by depth: role, name, then the actions and the key bindings
    where there are any."""
    lines = []
    for depth, node in walk(root):
        actions = action_names(node)
        keys = [key for key in key_bindings(node) if key]
        suffix = f"  [{', '.join(actions)}]" if actions else ""
        suffix += f"  keys {keys}" if keys else ""
        lines.append(f"{'  ' * depth}{describe(node)}{suffix}")
    return lines
