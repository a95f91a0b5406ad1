# The node panel: the list's rows, lines, hit-testing and click rules without Qt, and the panel
# with its buttons, list view and rename field over them.
add_library(vintrel_ui_node_panel_core STATIC
  ${CMAKE_CURRENT_SOURCE_DIR}/node_rows.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/node_click_rule.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/node_drop_rule.cpp
)
target_link_libraries(vintrel_ui_node_panel_core PUBLIC vintrel_model)

add_library(vintrel_ui_node_panel STATIC
  ${CMAKE_CURRENT_SOURCE_DIR}/node_panel_artwork.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/node_command_button.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/node_list_model.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/node_row_delegate.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/node_list_view.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/node_panel.cpp
)
set_target_properties(vintrel_ui_node_panel PROPERTIES AUTOMOC ON)
target_link_libraries(vintrel_ui_node_panel PUBLIC
  vintrel_ui_node_panel_core vintrel_ui_document vintrel_ui_controls vintrel_ui_hints Qt6::Widgets)
