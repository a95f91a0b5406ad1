# The online update check, the version dialog and the help command.

# Qt-free: what the server's answer means, what each check does next, where help is found.
add_library(vintrel_update_rules STATIC
  ${CMAKE_CURRENT_SOURCE_DIR}/update_rules.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/help_location.cpp
)
target_link_libraries(vintrel_update_rules PUBLIC vintrel_platform)

find_package(Qt6 REQUIRED COMPONENTS Gui Network Widgets)
add_library(vintrel_ui_update STATIC
  ${CMAKE_CURRENT_SOURCE_DIR}/online_prompts.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/update_dialog.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/version_fetcher.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/update_checker.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/help_command.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/version_dialog.cpp
)
set_target_properties(vintrel_ui_update PROPERTIES AUTOMOC ON)
# The change history travels inside the program.
qt_add_resources(vintrel_ui_update vintrel_version_history
  PREFIX "/vintrel"
  BASE ${CMAKE_CURRENT_SOURCE_DIR}
  FILES ${CMAKE_CURRENT_SOURCE_DIR}/version_history.txt
)
target_link_libraries(vintrel_ui_update PUBLIC
  vintrel_update_rules vintrel_persist vintrel_ui_controls Qt6::Network Qt6::Widgets Qt6::Gui)
