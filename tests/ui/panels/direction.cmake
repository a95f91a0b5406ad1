# The move direction: the dial rules, and the indicator and picker widgets.
vintrel_test(test_ui_direction_geometry
  SOURCES ui/panels/direction_geometry_test.cpp
  LIBS vintrel_ui_direction_core)

vintrel_test(test_ui_direction_widgets
  SOURCES support/widget_test_main.cpp ui/panels/direction_widgets_test.cpp
  LIBS vintrel_ui_direction Qt6::Test
  PROPERTIES ENVIRONMENT QT_QPA_PLATFORM=offscreen)
