# Export from the editor: the dialog's rules, the dialog on the off-screen platform.
vintrel_test(test_export_rules
  SOURCES ui/dialogs/export_rules_test.cpp
  LIBS vintrel_export_rules)

vintrel_test(test_ui_export_dialog
  SOURCES support/widget_test_main.cpp ui/dialogs/export_dialog_test.cpp
  LIBS vintrel_ui_export Qt6::Test
  PROPERTIES ENVIRONMENT QT_QPA_PLATFORM=offscreen)

vintrel_test(test_ui_flipbook_preview
  SOURCES support/widget_test_main.cpp ui/dialogs/flipbook_preview_test.cpp
  LIBS vintrel_ui_export Qt6::Test
  PROPERTIES ENVIRONMENT QT_QPA_PLATFORM=offscreen)
