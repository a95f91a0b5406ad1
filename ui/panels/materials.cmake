# The material panel: the rules that keep the nodes' references on their materials by name and
# the list's arithmetic without Qt, and the panel with the file work it needs images for.
add_library(vintrel_material_rules STATIC
  ${CMAKE_CURRENT_SOURCE_DIR}/material_references.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/material_list_geometry.cpp
)
target_link_libraries(vintrel_material_rules PUBLIC vintrel_model)

add_library(vintrel_ui_materials STATIC
  ${CMAKE_CURRENT_SOURCE_DIR}/material_files.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/material_operations.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/material_prompts.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/material_artwork.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/material_row.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/material_panel.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/node_clip.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/node_clipboard.cpp
)
set_target_properties(vintrel_ui_materials PROPERTIES AUTOMOC ON)
# The command buttons and their cell layout are the node panel's.
target_link_libraries(vintrel_ui_materials PUBLIC
  vintrel_material_rules vintrel_ui_node_panel vintrel_ui_document vintrel_ui_controls vintrel_ui_hints
  vintrel_persist Qt6::Widgets Qt6::Gui)
