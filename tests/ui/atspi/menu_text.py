"""How a menu text of the command table appears as an accessible name.

A menu text such as "新規作成(&N)\\tCtrl+N" holds a mnemonic marker ("&") and, after a tab, the key
shown at the right of the item. Qt names a menu item by its action's text with the markers
removed and "&&" turned into "&" ("新規作成(N)"); the key is part of that name only when it was
written into the action's text after a tab, and is otherwise reported as the item's key binding.
Some platform themes remove a whole "(&N)" group from translated texts ("新規作成"), so that form is
accepted too.
"""

import re

KEY_SEPARATOR = "\t"
_MNEMONIC_GROUP = re.compile(r"\(&[^&)]\)")


def _without_key(text):
    return text.split(KEY_SEPARATOR, 1)[0]


def _strip_mnemonic_markers(text):
    # "&&" is a literal ampersand; a single "&" marks the next character.
    return re.sub(r"&(.)", r"\1", text)


def accepted_names(menu_text):
    """The accessible names, without any key part, under which the item counts as present."""
    label = _without_key(menu_text)
    return {_strip_mnemonic_markers(label), _strip_mnemonic_markers(_MNEMONIC_GROUP.sub("", label))}


def names_menu_text(accessible_name, menu_text):
    """True when a menu item with this accessible name shows this menu text."""
    return _without_key(accessible_name) in accepted_names(menu_text)


def display_form(menu_text):
    """The name Qt gives an item with this text and its key bound separately: "新規作成(N)"."""
    return _strip_mnemonic_markers(_without_key(menu_text))
