# Built with the main project (it needs the program's core); run by hand: <build>/store-parse.
add_executable(store-parse ${CMAKE_CURRENT_LIST_DIR}/store-parse.cpp)
target_link_libraries(store-parse PRIVATE dialtop_core)
