# The editor's document and main window.
find_package(Qt6 REQUIRED COMPONENTS Test)

vintrel_test(test_ui_document
  SOURCES ui/document_test.cpp
  LIBS vintrel_ui_document Qt6::Test)

# An export job drawn on a thread of its own while the document is edited (also run under
# ThreadSanitizer).
vintrel_test(test_export_job
  SOURCES ui/export_job_test.cpp
  LIBS vintrel_ui_document vintrel_output)

vintrel_test(test_ui_main_window
  SOURCES support/widget_test_main.cpp ui/main_window_test.cpp
  LIBS vintrel_ui Qt6::Test
  PROPERTIES ENVIRONMENT QT_QPA_PLATFORM=offscreen)

# The whole editor on a virtual X server: a small effect made through the panels, then read back
# by vintrel-cli. Listed by hand: the program needs the display to start.
add_executable(test_ui_end_to_end ui/editing_end_to_end_test.cpp)
target_link_libraries(test_ui_end_to_end PRIVATE vintrel_ui Qt6::Test GTest::gtest)
target_include_directories(test_ui_end_to_end PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})
target_compile_options(test_ui_end_to_end PRIVATE -O0)
target_compile_definitions(test_ui_end_to_end PRIVATE VINTREL_CLI_PATH="$<TARGET_FILE:vintrel-cli>")
add_dependencies(test_ui_end_to_end vintrel-cli)
add_test(NAME EditingEndToEnd
  COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/support/with_xvfb.sh $<TARGET_FILE:test_ui_end_to_end>)
set_tests_properties(EditingEndToEnd PROPERTIES
  RESOURCE_LOCK xvfb TIMEOUT 240 ENVIRONMENT "ASAN_OPTIONS=detect_leaks=0")

# The panels on a screen scaled by 2.
vintrel_test(test_ui_high_dpi
  SOURCES support/widget_test_main.cpp ui/high_dpi_test.cpp
  LIBS vintrel_ui_parameters)
# Set by the program itself: gtest_discover_tests splits an environment list into property names.
target_compile_definitions(test_ui_high_dpi PRIVATE VINTREL_TEST_SCALE_FACTOR="2")

# The preview's transport, checked against the command-line trace.
vintrel_test(test_ui_playback
  SOURCES ui/playback_test.cpp
  LIBS vintrel_ui_document vintrel_cli_lib)
target_compile_definitions(test_ui_playback PRIVATE
  VINTREL_SOURCE_DIR="${PROJECT_SOURCE_DIR}"
  VINTREL_CLI_PATH="$<TARGET_FILE:vintrel-cli>")
add_dependencies(test_ui_playback vintrel-cli)

vintrel_test(test_ui_transport_bar
  SOURCES support/widget_test_main.cpp ui/transport_bar_test.cpp
  LIBS vintrel_ui Qt6::Test
  PROPERTIES ENVIRONMENT QT_QPA_PLATFORM=offscreen)

# The English interface against the translation file.
vintrel_test(test_ui_translation
  SOURCES support/widget_test_main.cpp ui/translation_test.cpp
  LIBS vintrel_ui Qt6::Test
  PROPERTIES ENVIRONMENT QT_QPA_PLATFORM=offscreen)
target_compile_definitions(test_ui_translation PRIVATE VINTREL_LIBRARY_BUILT="${VINTREL_LIBRARY_BUILT}")
add_dependencies(test_ui_translation vintrel-library)
