# X11 test of the actions from outside: `dialtop --action` against real clocks on a private session bus.
dialtop_add_x11_test(control_actions ${DIALTOP_PYTHON} ${CMAKE_CURRENT_LIST_DIR}/control_actions.py)
