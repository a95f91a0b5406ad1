# The hint strip and the main window's picture-button artwork. Included from ui/CMakeLists.txt;
# paths are relative to this file so that the include works from any folder.

# The hint texts as data, without Qt, so that their test needs no display.
add_library(vintrel_ui_hints STATIC
  ${CMAKE_CURRENT_LIST_DIR}/hint_table.cpp
)
target_link_libraries(vintrel_ui_hints PUBLIC vintrel_model)

find_package(Qt6 REQUIRED COMPONENTS Gui Widgets)
add_library(vintrel_ui_shell_parts STATIC
  ${CMAKE_CURRENT_LIST_DIR}/status_window.cpp
  ${CMAKE_CURRENT_LIST_DIR}/hint_tracker.cpp
  ${CMAKE_CURRENT_LIST_DIR}/button_artwork.cpp
)
set_target_properties(vintrel_ui_shell_parts PROPERTIES AUTOMOC ON)
# vintrel_ui_controls supplies the interface colours and the panel font.
target_link_libraries(vintrel_ui_shell_parts PUBLIC
  vintrel_ui_hints vintrel_ui_controls vintrel_persist Qt6::Widgets Qt6::Gui)
