# The material panel: the reference keeping and list arithmetic without Qt, the material list of
# an opened package, and the file work and the panel on the off-screen platform.
vintrel_test(test_material_rules
  SOURCES ui/panels/material_references_test.cpp
  LIBS vintrel_material_rules)

vintrel_test(test_material_order
  SOURCES persist/material_order_test.cpp
  LIBS vintrel_persist)

vintrel_test(test_ui_materials
  SOURCES support/widget_test_main.cpp ui/panels/material_files_test.cpp ui/panels/material_panel_test.cpp
  LIBS vintrel_ui_materials Qt6::Test
  PROPERTIES ENVIRONMENT QT_QPA_PLATFORM=offscreen)
