# The parameter panels: one builder over the panel tables of the model, the tab bar and the area
# that holds them.
add_library(vintrel_ui_parameters STATIC
  ${CMAKE_CURRENT_SOURCE_DIR}/spinner_buttons.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/reading_order.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/parameter_panel.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/parameter_tab_bar.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/parameter_area.cpp
)
set_target_properties(vintrel_ui_parameters PROPERTIES AUTOMOC ON)
target_link_libraries(vintrel_ui_parameters PUBLIC
  vintrel_ui_curves vintrel_ui_direction vintrel_ui_document vintrel_ui_controls vintrel_ui_hints
  Qt6::Widgets)
