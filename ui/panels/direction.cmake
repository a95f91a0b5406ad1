# The move direction: the dial rules without Qt, and the move panel's indicator, the picker
# dialog and the artwork they draw.
add_library(vintrel_ui_direction_core STATIC
  ${CMAKE_CURRENT_SOURCE_DIR}/direction_geometry.cpp
)
target_link_libraries(vintrel_ui_direction_core PUBLIC vintrel_platform)

add_library(vintrel_ui_direction STATIC
  ${CMAKE_CURRENT_SOURCE_DIR}/direction_artwork.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/direction_dial_painting.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/direction_dial.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/direction_indicator.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/direction_picker.cpp
)
set_target_properties(vintrel_ui_direction PROPERTIES AUTOMOC ON)
target_link_libraries(vintrel_ui_direction PUBLIC
  vintrel_ui_direction_core vintrel_ui_document vintrel_ui_controls vintrel_ui_hints Qt6::Widgets)
