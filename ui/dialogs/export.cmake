# Export from the editor: the dialog's rules, the dialog, the preview still, and the runner that
# draws the frames on the worker and writes the output off the GUI thread.
add_library(vintrel_export_rules STATIC
  ${CMAKE_CURRENT_SOURCE_DIR}/export_rules.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/export_types.cpp
)
target_link_libraries(vintrel_export_rules PUBLIC vintrel_output)

add_library(vintrel_ui_export STATIC
  ${CMAKE_CURRENT_SOURCE_DIR}/export_prompts.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/export_preview.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/export_runner.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/export_dialog.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/export_details_dialog.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/flipbook_preview.cpp
)
set_target_properties(vintrel_ui_export PROPERTIES AUTOMOC ON)
target_link_libraries(vintrel_ui_export PUBLIC
  vintrel_export_rules vintrel_ui_document vintrel_ui_controls vintrel_ui_hints vintrel_ui_parameters
  vintrel_output Qt6::Widgets)
