# X11 tests of the tray icon; the tests start and stop their own trayer.
dialtop_add_x11_test(tray_icon ${DIALTOP_PYTHON} ${CMAKE_CURRENT_LIST_DIR}/tray_icon.py)
set_property(TEST tray_icon APPEND PROPERTY ENVIRONMENT DIALTOP_NO_TRAY=1)
dialtop_add_x11_test(tray_late_host ${DIALTOP_PYTHON} ${CMAKE_CURRENT_LIST_DIR}/tray_late_host.py)
set_property(TEST tray_late_host APPEND PROPERTY ENVIRONMENT DIALTOP_NO_TRAY=1)
