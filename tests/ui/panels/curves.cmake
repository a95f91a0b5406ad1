# The curve editor: its editing rules without Qt, and the widgets on the off-screen platform.
vintrel_test(test_ui_curve_geometry
  SOURCES ui/panels/curve_geometry_test.cpp
  LIBS vintrel_ui_curves_core)

vintrel_test(test_ui_curve_widgets
  SOURCES ui/panels/curve_widgets_test.cpp
  LIBS vintrel_ui_curves Qt6::Test
  PROPERTIES ENVIRONMENT QT_QPA_PLATFORM=offscreen)
