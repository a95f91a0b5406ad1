# The parameter panels' tables against the node's fields, labels and hints.
vintrel_test(test_ui_parameter_table
  SOURCES ui/panels/parameter_table_test.cpp
  LIBS vintrel_model vintrel_ui_hints_core)
