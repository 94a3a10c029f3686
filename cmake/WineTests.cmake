# Test executables run under Wine in a prefix of the build tree (tools/wine-harness.sh).
# One executable per area keeps the number of Wine starts small.

set(ZENTARIUM_WINE_DIR ${CMAKE_BINARY_DIR}/wine)
set(ZENTARIUM_FIXTURE_DIR ${CMAKE_BINARY_DIR}/bin/fixtures)
set(ZENTARIUM_HARNESS ${CMAKE_SOURCE_DIR}/tools/wine-harness.sh)

if(ZENTARIUM_REGISTER_TESTS)
    enable_testing()
    add_test(NAME wine_start COMMAND ${ZENTARIUM_HARNESS} start ${ZENTARIUM_WINE_DIR})
    set_tests_properties(wine_start PROPERTIES FIXTURES_SETUP wine TIMEOUT 600 LABELS harness)
    add_test(NAME wine_stop COMMAND ${ZENTARIUM_HARNESS} stop ${ZENTARIUM_WINE_DIR})
    set_tests_properties(wine_stop PROPERTIES FIXTURES_CLEANUP wine TIMEOUT 120 LABELS harness)
endif()

# zentarium_add_test(<name> LABELS <label>... SOURCES <file>... [LIBRARIES <lib>...]
#                    [DEPENDS <target>...] [LOCALE <unix locale>] [TIMEOUT <seconds>]
#                    [ENVIRONMENT <VAR=value>...])
# Builds the test exe <name> and registers one run of it. LABELS: unit, integration or gui.
# LOCALE defaults to zh_CN.UTF-8 (ANSI code page 936, as on the tool's users' machines).
function(zentarium_add_test name)
    cmake_parse_arguments(ARG "" "LOCALE;TIMEOUT" "LABELS;SOURCES;LIBRARIES;DEPENDS;ENVIRONMENT" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE zentarium_options gtest_main ${ARG_LIBRARIES})
    if(ARG_DEPENDS)
        add_dependencies(${name} ${ARG_DEPENDS})
    endif()
    zentarium_register_test(${name} TARGET ${name} LABELS ${ARG_LABELS}
        LOCALE "${ARG_LOCALE}" TIMEOUT "${ARG_TIMEOUT}" ENVIRONMENT ${ARG_ENVIRONMENT})
endfunction()

# zentarium_register_test(<test name> TARGET <exe target> LABELS <label>...
#                         [LOCALE <unix locale>] [TIMEOUT <seconds>] [ENVIRONMENT <VAR=value>...]
#                         [ARGS <argument>...])
# One more run of an existing test exe, for example under another locale.
function(zentarium_register_test name)
    cmake_parse_arguments(ARG "" "TARGET;LOCALE;TIMEOUT" "LABELS;ENVIRONMENT;ARGS" ${ARGN})
    if(NOT ZENTARIUM_REGISTER_TESTS)
        return()
    endif()
    if(NOT ARG_LOCALE)
        set(ARG_LOCALE zh_CN.UTF-8)
    endif()
    if(NOT ARG_TIMEOUT)
        set(ARG_TIMEOUT 300)
    endif()
    add_test(NAME ${name}
        COMMAND ${ZENTARIUM_HARNESS} run ${ZENTARIUM_WINE_DIR} ${ARG_LOCALE} $<TARGET_FILE:${ARG_TARGET}>
                --gtest_color=no ${ARG_ARGS})
    set_tests_properties(${name} PROPERTIES
        FIXTURES_REQUIRED wine LABELS "${ARG_LABELS}" TIMEOUT ${ARG_TIMEOUT})
    if(ARG_ENVIRONMENT)
        set_tests_properties(${name} PROPERTIES ENVIRONMENT "${ARG_ENVIRONMENT}")
    endif()
endfunction()
