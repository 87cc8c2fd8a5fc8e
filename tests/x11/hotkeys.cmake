# X11 tests of the hotkeys: the real grab service and the real program, each in its own X session.

# A second X client that holds a combination, or tells whether it could.
add_executable(hotkey_holder ${CMAKE_CURRENT_LIST_DIR}/hotkey_holder.cpp)
target_link_libraries(hotkey_holder PRIVATE PkgConfig::XCB)

add_executable(hotkey_service_test ${CMAKE_CURRENT_LIST_DIR}/hotkey_service_test.cpp
               ${CMAKE_CURRENT_LIST_DIR}/hotkey_other_client.cpp)
target_link_libraries(hotkey_service_test PRIVATE dialtop_test_main dialtop_platform_linux)
dialtop_add_x11_test(hotkey_service $<TARGET_FILE:hotkey_service_test>)
set_property(TEST hotkey_service APPEND PROPERTY ENVIRONMENT QT_QPA_PLATFORM=xcb)

foreach(test press taken)
    dialtop_add_x11_test(hotkey_${test} ${DIALTOP_PYTHON} ${CMAKE_CURRENT_LIST_DIR}/hotkey_${test}.py)
    set_property(TEST hotkey_${test} APPEND PROPERTY ENVIRONMENT HOTKEY_HOLDER=$<TARGET_FILE:hotkey_holder>)
endforeach()
