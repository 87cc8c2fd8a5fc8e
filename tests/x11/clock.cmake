# X11 tests of the clock window: the real program, each test file in its own X session.
foreach(test face taskbar tick menu battery)
    dialtop_add_x11_test(clock_${test} ${DIALTOP_PYTHON} ${CMAKE_CURRENT_SOURCE_DIR}/clock_${test}.py)
endforeach()

# The window's place follows the screen: once more on a smaller screen.
dialtop_add_x11_test(clock_face_800x600 ${DIALTOP_PYTHON} ${CMAKE_CURRENT_SOURCE_DIR}/clock_face.py)
set_property(TEST clock_face_800x600 APPEND PROPERTY ENVIRONMENT DIALTOP_TEST_SCREEN=800x600x24)

# A close request ends the program and lets its keys go; hotkey_holder tells whether they are free.
dialtop_add_x11_test(clock_close ${DIALTOP_PYTHON} ${CMAKE_CURRENT_SOURCE_DIR}/clock_close.py)
set_property(TEST clock_close APPEND PROPERTY ENVIRONMENT HOTKEY_HOLDER=$<TARGET_FILE:hotkey_holder>)
