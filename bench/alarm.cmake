# Built with the main project (it needs the program's libraries and test doubles); run by bench/run.
add_executable(alarm-latency ${CMAKE_CURRENT_LIST_DIR}/alarm-latency.cpp)
target_link_libraries(alarm-latency PRIVATE dialtop_ui dialtop_platform_linux dialtop_fakes)
