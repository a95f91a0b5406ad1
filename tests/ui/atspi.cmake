# The editor as screen readers and GUI test tools see it, through the platform accessibility
# interface (AT-SPI): every menu command and picture button reachable by its text, and Open
# handing the project over to a new process. Python scripts in ui/atspi/; each starts its own
# virtual X server and buses (see atspi_session.py), and exits with 77, reported as skipped, when
# pyatspi cannot be imported.

# pyatspi is packaged for the distribution's interpreter; a python3 that comes first on PATH
# (pyenv, a virtual environment) would not see it.
find_program(VINTREL_ATSPI_PYTHON NAMES python3 PATHS /usr/bin NO_DEFAULT_PATH)
if(NOT VINTREL_ATSPI_PYTHON)
  find_program(VINTREL_ATSPI_PYTHON NAMES python3)
endif()

set(VINTREL_ATSPI_SKIP_CODE 77)
set(VINTREL_ATSPI_TIMEOUT_S 180)

# Further arguments are VARIABLE=value settings for the script.
function(vintrel_atspi_test name script)
  add_test(NAME ${name}
    COMMAND ${VINTREL_ATSPI_PYTHON} ${CMAKE_CURRENT_SOURCE_DIR}/ui/atspi/${script}
            --editor $<TARGET_FILE:vintrel> --source-dir ${PROJECT_SOURCE_DIR})
  # The scripts pick a free display themselves; the lock keeps them from running beside the
  # other whole-application tests, which share the machine's few cores.
  set_tests_properties(${name} PROPERTIES
    RESOURCE_LOCK xvfb
    TIMEOUT ${VINTREL_ATSPI_TIMEOUT_S}
    SKIP_RETURN_CODE ${VINTREL_ATSPI_SKIP_CODE}
    ENVIRONMENT "PYTHONDONTWRITEBYTECODE=1;${ARGN}")
endfunction()

if(VINTREL_ATSPI_PYTHON)
  # The scripts' own helpers (menu-text matching, bounded waits, ending processes): no display.
  add_test(NAME atspi_helpers
    COMMAND ${VINTREL_ATSPI_PYTHON} -m unittest discover -s ${CMAKE_CURRENT_SOURCE_DIR}/ui/atspi
            -p "*_test.py")
  set_tests_properties(atspi_helpers PROPERTIES ENVIRONMENT PYTHONDONTWRITEBYTECODE=1)
  vintrel_atspi_test(atspi_commands_reachable test_commands_reachable.py)
  vintrel_atspi_test(atspi_open_hands_over test_open_hands_over.py)
  vintrel_atspi_test(atspi_english_menus test_english_menus.py)
  vintrel_atspi_test(atspi_restore_autosave test_restore_autosave.py)
  vintrel_atspi_test(atspi_keyboard_lists_ja test_keyboard_lists.py VINTREL_TEST_LANGUAGE=ja)
  vintrel_atspi_test(atspi_keyboard_lists_en test_keyboard_lists.py VINTREL_TEST_LANGUAGE=en)
else()
  message(STATUS "python3 not found: the AT-SPI tests of the editor are not registered")
endif()
