# X11 tests of the alarms: the real program rings with real GStreamer into a fake sink.
foreach(test ring)
    dialtop_add_x11_test(alarm_${test} ${DIALTOP_PYTHON} ${CMAKE_CURRENT_LIST_DIR}/alarm_${test}.py)
    set_property(TEST alarm_${test} APPEND PROPERTY ENVIRONMENT "DIALTOP_AUDIO_SINK=fakesink sync=true")
    # Each case waits for the start of its alarm minute, over two minutes when started late in one.
    set_tests_properties(alarm_${test} PROPERTIES TIMEOUT 480)
endforeach()
