# The editor's document and main window.
find_package(Qt6 REQUIRED COMPONENTS Test)

vintrel_test(test_ui_document
  SOURCES ui/document_test.cpp
  LIBS vintrel_ui_document Qt6::Test)

vintrel_test(test_ui_main_window
  SOURCES support/widget_test_main.cpp ui/main_window_test.cpp
  LIBS vintrel_ui Qt6::Test
  PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen;ASAN_OPTIONS=detect_leaks=0")
