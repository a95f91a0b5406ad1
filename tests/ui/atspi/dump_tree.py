"""Starts the editor where AT-SPI can see it and writes its accessibility tree to a file: one line
per node with its role, name and actions. A look at what screen readers and GUI tests find.

    /usr/bin/python3 tests/ui/atspi/dump_tree.py --editor build/<dir>/app/editor/vintrel \
        -o tree.txt -- samples/fire.stn
"""

import argparse
import os
import sys

import atspi_session
import atspi_tree


def parse_arguments():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--editor", required=True, help="the vintrel executable")
    parser.add_argument("-o", "--output", required=True, help="the file the tree is written to")
    parser.add_argument("editor_args", nargs="*", help="arguments for the editor (after --)")
    return parser.parse_args()


def main():
    options = parse_arguments()
    if not atspi_session.pyatspi_available():
        print("pyatspi is not installed (Debian: python3-pyatspi)", file=sys.stderr)
        return atspi_session.SKIP_EXIT_CODE
    try:
        # The editor runs in the session's own folder: relative paths would not reach it.
        editor_args = [os.path.abspath(a) if os.path.exists(a) else a for a in options.editor_args]
        with atspi_session.AtspiSession(options.editor, editor_args) as session:
            app = session.find_application()
            atspi_tree.wait_for_node(app, atspi_session.EDITOR_STARTUP_TIMEOUT_S,
                                     match=lambda n: atspi_tree.role_name(n) in atspi_tree.WINDOW_ROLES,
                                     what="the editor's first window")
            lines = atspi_tree.dump_tree(app)
    except atspi_session.AtspiError as error:
        print(f"error: {error}", file=sys.stderr)
        return 1
    with open(options.output, "w", encoding="utf-8") as out:
        out.write("\n".join(lines) + "\n")
    print(f"{len(lines)} nodes written to {options.output}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
