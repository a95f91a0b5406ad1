# The starter library and its grid dialog, on the off-screen platform, over the shipped projects
# and the thumbnails the build drew.
vintrel_test(test_ui_library
  SOURCES support/widget_test_main.cpp ui/dialogs/library_test.cpp
  LIBS vintrel_ui_library vintrel_engine Qt6::Test)
target_compile_definitions(test_ui_library PRIVATE VINTREL_LIBRARY_SOURCE="${VINTREL_LIBRARY_SOURCE}"
                                                   VINTREL_LIBRARY_BUILT="${VINTREL_LIBRARY_BUILT}")
add_dependencies(test_ui_library vintrel-library)
