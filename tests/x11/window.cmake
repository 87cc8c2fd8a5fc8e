# X11 tests of the clock window's behaviour and of the second country's clock.
foreach(test window_behaviour second_clock)
    dialtop_add_x11_test(${test} ${DIALTOP_PYTHON} ${CMAKE_CURRENT_SOURCE_DIR}/${test}.py)
endforeach()
