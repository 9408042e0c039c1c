# One target that every library, executable and test of the project links:
# the language standard, warnings as errors for our own code, and the Qt
# defines that keep string conversions and connections explicit.
add_library(purlex_common INTERFACE)
target_compile_features(purlex_common INTERFACE cxx_std_20)
target_compile_options(purlex_common INTERFACE
    -Wall -Wextra -Wpedantic -Werror)
target_compile_definitions(purlex_common INTERFACE
    QT_NO_CAST_FROM_ASCII
    QT_NO_CAST_TO_ASCII
    QT_NO_CONTEXTLESS_CONNECT
    QT_NO_KEYWORDS
    QT_DISABLE_DEPRECATED_BEFORE=0x060400
    QT_DISABLE_DEPRECATED_UP_TO=0x060400)

# Adds one Qt Test executable and registers it with CTest. Widget tests run
# on the offscreen platform so that they need no display.
function(purlex_add_test name)
    cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE purlex_common Qt6::Test ${ARG_LIBS})
    add_test(NAME ${name} COMMAND ${name})
    set_tests_properties(${name} PROPERTIES
        ENVIRONMENT "QT_QPA_PLATFORM=offscreen;LC_ALL=C.UTF-8;LANG=C.UTF-8"
        TIMEOUT 300)
endfunction()
