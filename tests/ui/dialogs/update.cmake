# The update check's rules and where help is found, without Qt.
vintrel_test(test_update_rules
  SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/ui/dialogs/update_rules_test.cpp
          ${CMAKE_CURRENT_SOURCE_DIR}/ui/dialogs/help_location_test.cpp
  LIBS vintrel_update_rules)

# The update check against a loopback HTTP server, its dialog, the version dialog and the help
# command.
find_package(Qt6 REQUIRED COMPONENTS Network Test)
vintrel_test(test_ui_update
  SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/support/widget_test_main.cpp
          ${CMAKE_CURRENT_SOURCE_DIR}/ui/dialogs/loopback_http_server.cpp
          ${CMAKE_CURRENT_SOURCE_DIR}/ui/dialogs/update_check_test.cpp
          ${CMAKE_CURRENT_SOURCE_DIR}/ui/dialogs/update_dialogs_test.cpp
          ${CMAKE_CURRENT_SOURCE_DIR}/ui/dialogs/help_command_test.cpp
  LIBS vintrel_ui_update Qt6::Network Qt6::Test
  PROPERTIES ENVIRONMENT QT_QPA_PLATFORM=offscreen)
target_compile_definitions(test_ui_update PRIVATE VINTREL_VERSION="${PROJECT_VERSION}")
