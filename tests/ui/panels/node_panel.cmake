# The node panel: its rows and click rules without Qt, and the panel driven by clicks and keys.
vintrel_test(test_ui_node_rows
  SOURCES ui/panels/node_rows_test.cpp
  LIBS vintrel_ui_node_panel_core)

vintrel_test(test_ui_node_panel
  SOURCES support/widget_test_main.cpp ui/panels/node_panel_test.cpp
  LIBS vintrel_ui_node_panel Qt6::Test
  PROPERTIES ENVIRONMENT QT_QPA_PLATFORM=offscreen)
