# A day in the life: the real program driven through every window in one session, alarms ringing
# into a fake sink and power requests only logged. It waits up to 80 s for its alarm minute.
dialtop_add_x11_test(day_in_the_life ${DIALTOP_PYTHON} ${CMAKE_CURRENT_LIST_DIR}/day_in_the_life.py)
set_property(TEST day_in_the_life APPEND PROPERTY ENVIRONMENT "DIALTOP_AUDIO_SINK=fakesink sync=true"
             DIALTOP_POWER_ACTIONS=log DBUS_SYSTEM_BUS_ADDRESS=unix:path=/nonexistent/dialtop-test-system-bus)
set_tests_properties(day_in_the_life PROPERTIES TIMEOUT 600)
