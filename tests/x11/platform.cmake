# The real window-system service against a real X server and window manager.
add_executable(platform_x11_window_test ${CMAKE_CURRENT_LIST_DIR}/platform_X11WindowSystemTest.cpp)
target_link_libraries(platform_x11_window_test PRIVATE dialtop_test_main dialtop_platform_linux)
dialtop_add_x11_test(platform_x11_window $<TARGET_FILE:platform_x11_window_test>)
set_property(TEST platform_x11_window APPEND PROPERTY ENVIRONMENT QT_QPA_PLATFORM=xcb)
