# The installed program: `cmake --install` of this tree into a temporary prefix, run from there.
dialtop_add_x11_test(install_run ${DIALTOP_PYTHON} ${CMAKE_CURRENT_SOURCE_DIR}/install_run.py)
set_property(TEST install_run APPEND PROPERTY ENVIRONMENT DIALTOP_BUILD_TREE=${CMAKE_BINARY_DIR})
