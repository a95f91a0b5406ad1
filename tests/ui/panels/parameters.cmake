# The parameter panels built from their tables.
vintrel_test(test_ui_parameter_panels
  SOURCES support/widget_test_main.cpp ui/panels/parameter_panel_test.cpp
  LIBS vintrel_ui_parameters Qt6::Test
  PROPERTIES ENVIRONMENT QT_QPA_PLATFORM=offscreen)
