# Read by CTest after the discovered test lists: unit tests run with no display at all, GUI
# tests without the accessibility bridge (it waits for a bus Xvfb doesn't have).
if(unit_tests_TESTS)
  set_tests_properties(${unit_tests_TESTS} PROPERTIES ENVIRONMENT "DISPLAY=;WAYLAND_DISPLAY=")
endif()
if(gui_tests_TESTS)
  set_tests_properties(${gui_tests_TESTS} PROPERTIES ENVIRONMENT "NO_AT_BRIDGE=1;GTK_A11Y=none")
endif()
