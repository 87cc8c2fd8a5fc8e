# X11 tests of the blank screen and the penguins: with a window manager, and without one.
dialtop_add_x11_test(fullscreen ${DIALTOP_PYTHON} ${CMAKE_CURRENT_LIST_DIR}/fullscreen.py)
dialtop_add_x11_test(fullscreen_no_wm ${DIALTOP_PYTHON} ${CMAKE_CURRENT_LIST_DIR}/fullscreen.py)
set_property(TEST fullscreen_no_wm APPEND PROPERTY ENVIRONMENT DIALTOP_NO_WM=1)
