# X11 tests of the clock window: the real program, each test file in its own X session.
foreach(test face taskbar tick menu battery)
    dialtop_add_x11_test(clock_${test} ${DIALTOP_PYTHON} ${CMAKE_CURRENT_SOURCE_DIR}/clock_${test}.py)
endforeach()

# The window's place follows the screen: once more on a smaller screen.
dialtop_add_x11_test(clock_face_800x600 ${DIALTOP_PYTHON} ${CMAKE_CURRENT_SOURCE_DIR}/clock_face.py)
set_property(TEST clock_face_800x600 APPEND PROPERTY ENVIRONMENT DIALTOP_TEST_SCREEN=800x600x24)
