# X11 tests of the information window: the real program in its own X session.
dialtop_add_x11_test(sysinfo_about ${DIALTOP_PYTHON} ${CMAKE_CURRENT_SOURCE_DIR}/sysinfo_about.py)
