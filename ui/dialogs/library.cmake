# File > New from library: the starter effects' table, their thumbnails and the grid dialog.
add_library(vintrel_ui_library STATIC
  ${CMAKE_CURRENT_SOURCE_DIR}/starter_library.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/library_dialog.cpp
)
set_target_properties(vintrel_ui_library PROPERTIES AUTOMOC ON)
target_link_libraries(vintrel_ui_library PUBLIC vintrel_persist Qt6::Widgets)
