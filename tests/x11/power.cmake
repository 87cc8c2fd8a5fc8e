# X11 tests of the shutdown scheduler: the real program, its power requests only logged.
dialtop_add_x11_test(power_schedule ${DIALTOP_PYTHON} ${CMAKE_CURRENT_SOURCE_DIR}/power_schedule.py)
set_property(TEST power_schedule APPEND PROPERTY ENVIRONMENT
             DIALTOP_POWER_ACTIONS=log DBUS_SYSTEM_BUS_ADDRESS=unix:path=/nonexistent/dialtop-test-system-bus)
