# The editor's shared controls: their Qt-free rules, and the widgets on the off-screen platform
# (the test's own main selects it before the QApplication starts).
vintrel_test(test_ui_controls_core
  SOURCES ui/controls/scrollbar_model_test.cpp ui/controls/numeric_text_test.cpp
          ui/controls/dialog_units_test.cpp ui/controls/text_fit_test.cpp
  LIBS vintrel_ui_controls_core)

find_package(Qt6 REQUIRED COMPONENTS Test Widgets)
vintrel_test(test_ui_controls
  SOURCES support/widget_test_main.cpp ui/controls/original_scrollbar_test.cpp
          ui/controls/dark_look_test.cpp ui/controls/numeric_field_test.cpp
  LIBS vintrel_ui_controls Qt6::Test
  PROPERTIES ENVIRONMENT QT_QPA_PLATFORM=offscreen)
