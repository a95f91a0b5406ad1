# The settings dialogs: their Qt-free rules, and the dialogs on the off-screen platform.
vintrel_test(test_settings_rules
  SOURCES ui/dialogs/settings_rules_test.cpp
  LIBS vintrel_ui_settings_core)

vintrel_test(test_ui_settings_dialogs
  SOURCES support/widget_test_main.cpp ui/dialogs/settings_dialogs_test.cpp ui/dialogs/list_dialogs_test.cpp
          ui/dialogs/backdrop_dialog_test.cpp
  LIBS vintrel_ui_settings_dialogs Qt6::Test
  PROPERTIES ENVIRONMENT QT_QPA_PLATFORM=offscreen)
