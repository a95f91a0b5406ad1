# The settings dialogs: project, camera, mask and backdrop settings, the view list and the
# history list.

# Their rules without Qt (ranges, the export range of a new length, the viewpoint title, the
# mask defaults, the list rows), so that their tests need no display.
add_library(vintrel_ui_settings_core STATIC
  ${CMAKE_CURRENT_SOURCE_DIR}/project_settings_form.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/camera_fields.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/viewpoint_list.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/mask_form.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/row_list_geometry.cpp
)
target_link_libraries(vintrel_ui_settings_core PUBLIC vintrel_ui_controls_core vintrel_persist vintrel_model)

add_library(vintrel_ui_settings_dialogs STATIC
  ${CMAKE_CURRENT_SOURCE_DIR}/dialog_form_builder.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/project_settings_dialog.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/camera_settings_dialog.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/mask_settings_dialog.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/scrolled_row_list.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/view_list_dialog.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/history_list_dialog.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/history_entry_text.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/backdrop_dialog.cpp
)
set_target_properties(vintrel_ui_settings_dialogs PROPERTIES AUTOMOC ON)
target_link_libraries(vintrel_ui_settings_dialogs PUBLIC
  vintrel_ui_settings_core vintrel_ui_document vintrel_ui_controls vintrel_ui_hints vintrel_ui_parameters
  Qt6::Widgets)
