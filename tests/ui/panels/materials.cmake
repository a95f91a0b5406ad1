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
          ui/panels/node_clip_test.cpp
  LIBS vintrel_ui_materials Qt6::Test
  PROPERTIES ENVIRONMENT QT_QPA_PLATFORM=offscreen)

# Nodes through the X server's clipboard between two processes of this program. Listed by hand:
# it needs the display to start.
add_executable(test_ui_node_clipboard_processes ui/panels/node_clipboard_processes_test.cpp)
target_link_libraries(test_ui_node_clipboard_processes PRIVATE vintrel_ui_materials Qt6::Test GTest::gtest)
target_include_directories(test_ui_node_clipboard_processes PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})
target_compile_options(test_ui_node_clipboard_processes PRIVATE -O0)
add_test(NAME NodeClipboardProcesses
  COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/support/with_xvfb.sh $<TARGET_FILE:test_ui_node_clipboard_processes>)
set_tests_properties(NodeClipboardProcesses PROPERTIES
  RESOURCE_LOCK xvfb TIMEOUT 180 ENVIRONMENT "ASAN_OPTIONS=detect_leaks=0")
