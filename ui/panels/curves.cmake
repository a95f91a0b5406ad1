# The curve editor: the editing rules without Qt, and the widgets that paint curves and forward
# the mouse to those rules.
add_library(vintrel_ui_curves_core STATIC
  ${CMAKE_CURRENT_SOURCE_DIR}/curve_geometry.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/curve_shapes.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/colour_gradient.cpp
)
target_link_libraries(vintrel_ui_curves_core PUBLIC vintrel_model vintrel_edit)

add_library(vintrel_ui_curves STATIC
  ${CMAKE_CURRENT_SOURCE_DIR}/curve_painter.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/curve_menu.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/curve_thumbnail.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/curve_picture.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/curve_point_editor.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/gradient_strip.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/graph_zoom_popup.cpp
)
set_target_properties(vintrel_ui_curves PROPERTIES AUTOMOC ON)
target_link_libraries(vintrel_ui_curves PUBLIC
  vintrel_ui_curves_core vintrel_ui_document vintrel_ui_controls vintrel_ui_hints Qt6::Widgets)
