"""How menu texts of the command table are matched against the names Qt reports."""

import unittest

from menu_text import accepted_names, display_form, names_menu_text

NEW = "新規作成(&N)\tCtrl+N"
UPDATE = "アップデート確認(&U)"


class NamesMenuTextTest(unittest.TestCase):
    def test_names_qt_reports_for_a_menu_text(self):
        cases = (
            # accessible name, menu text, counts as that item
            ("新規作成(N)\tCtrl+N", NEW, True),   # key written into the action's text
            ("新規作成(N)", NEW, True),           # key bound separately
            ("新規作成", NEW, True),              # "(&N)" group removed by the platform theme
            ("新規作成\tCtrl+N", NEW, True),
            ("新規作成(O)", NEW, False),          # another mnemonic
            ("新規作成(&N)", NEW, False),         # marker not stripped: not what Qt reports
            ("新規", NEW, False),
            ("", NEW, False),
            ("アップデート確認(U)", UPDATE, True),
            ("アップデート確認(U)\tF5", UPDATE, True),
            ("アップデート", UPDATE, False),
            ("最近使ったファイル(F)", "最近使ったファイル(&F)", True),
        )
        for name, text, expected in cases:
            with self.subTest(name=name, text=text):
                self.assertEqual(names_menu_text(name, text), expected)

    def test_double_ampersand_is_a_literal_ampersand(self):
        self.assertEqual(accepted_names("保存&&終了(&X)\tCtrl+Q"), {"保存&終了(X)", "保存&終了"})

    def test_display_form_drops_the_marker_and_the_key(self):
        self.assertEqual(display_form(NEW), "新規作成(N)")
        self.assertEqual(display_form("名前を付けて保存(&A)\tCtrl+Shift+S"), "名前を付けて保存(A)")
        self.assertEqual(display_form(UPDATE), "アップデート確認(U)")


if __name__ == "__main__":
    unittest.main()
