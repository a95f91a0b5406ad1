# The hint strip and the picture-button artwork: the Qt-free hint table, and the widgets on the
# off-screen platform (the test's own main selects it before the QApplication starts).
vintrel_test(test_ui_hints
  SOURCES ui/hints/hint_table_test.cpp
  LIBS vintrel_ui_hints_core)

find_package(Qt6 REQUIRED COMPONENTS Widgets)
vintrel_test(test_ui_shell_parts
  SOURCES support/widget_test_main.cpp ui/hints/status_window_test.cpp
          ui/shell/button_artwork_test.cpp
  LIBS vintrel_ui_hints vintrel_ui_button_artwork vintrel_ui_controls
  PROPERTIES ENVIRONMENT QT_QPA_PLATFORM=offscreen)
