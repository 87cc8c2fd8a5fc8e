# DIALTOP_SANITIZE: every target built with AddressSanitizer (leak checking included) and
# UndefinedBehaviorSanitizer. Any report ends the process with a failure, so a test that makes one
# fails. DIALTOP_SANITIZER_ENVIRONMENT holds the runtime options for the tests' ENVIRONMENT, so that
# ctest run by hand in such a tree behaves as scripts/test does.
option(DIALTOP_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)

set(DIALTOP_SANITIZER_ENVIRONMENT "")
if(DIALTOP_SANITIZE)
    add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=all)
    add_link_options(-fsanitize=address,undefined)
    set(asan_options
        "detect_leaks=1:halt_on_error=1:detect_stack_use_after_return=1:check_initialization_order=1:strict_string_checks=1")
    set(DIALTOP_SANITIZER_ENVIRONMENT
        "ASAN_OPTIONS=${asan_options}"
        "LSAN_OPTIONS=suppressions=${CMAKE_SOURCE_DIR}/tests/sanitizers/lsan.supp"
        "UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1")
endif()

# dialtop_sanitizer_full_stacks(test...): the tests' allocations are traced through libraries built
# without frame pointers (GLib, GStreamer), so that a leak report, and a suppression, can name the
# frames beyond them. Ten times slower, hence only where those libraries allocate.
function(dialtop_sanitizer_full_stacks)
    if(DIALTOP_SANITIZE)
        foreach(test ${ARGN})
            set_property(TEST ${test} APPEND PROPERTY ENVIRONMENT
                         "ASAN_OPTIONS=${asan_options}:fast_unwind_on_malloc=0")
        endforeach()
    endif()
endfunction()
