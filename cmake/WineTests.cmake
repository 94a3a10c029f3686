# Test executables run under Wine (tools/wine-harness.sh) in one WOW64 prefix beside the build
# trees, which the x64 and the x86 tests share. One executable per area keeps the number of Wine
# starts small.

# Both trees' tests can run in one CTest run: the x86 names and fixtures carry a suffix.
if(ZENTARIUM_ARCH STREQUAL "x86")
    set(ZENTARIUM_TEST_SUFFIX _x86)
else()
    set(ZENTARIUM_TEST_SUFFIX "")
endif()

cmake_path(GET CMAKE_BINARY_DIR PARENT_PATH build_parent)
set(ZENTARIUM_WINE_DIR ${build_parent}/wine CACHE PATH "State of the Wine prefix and display the tests share")
set(ZENTARIUM_FIXTURE_DIR ${CMAKE_BINARY_DIR}/bin/fixtures)
# One test PKI beside the shared prefix: both trees sign with it, so either tree's Wine start
# trusts what both signed. Made once; the script is no dependency, or a change to it would make
# one tree sign with new keys that the other tree's fixtures do not have.
set(ZENTARIUM_TEST_PKI_DIR ${build_parent}/test-pki CACHE PATH "Test PKI of the signed fixtures")
set(ZENTARIUM_TEST_PKI ${ZENTARIUM_TEST_PKI_DIR}/stamp)
add_custom_command(OUTPUT ${ZENTARIUM_TEST_PKI}
    COMMAND ${CMAKE_SOURCE_DIR}/tools/make_test_pki.sh ${ZENTARIUM_TEST_PKI_DIR}
    COMMENT "Making the test PKI")
add_custom_target(test_pki DEPENDS ${ZENTARIUM_TEST_PKI})
set(ZENTARIUM_HARNESS ${CMAKE_SOURCE_DIR}/tools/wine-harness.sh)
set(ZENTARIUM_X86_TEST_TREE "" CACHE PATH
    "Build tree of the x86 exes whose tests this tree's CTest runs too (tests labelled x86)")
set(ZENTARIUM_FUZZ_TEST_TREE "" CACHE PATH
    "Native fuzz build tree whose corpus replays this tree's CTest runs too (tests labelled fuzz)")

if(ZENTARIUM_REGISTER_TESTS)
    enable_testing()
    # Every test of this tree is labelled by its architecture: ctest -L x86 runs the x86 ones.
    set_property(DIRECTORY ${CMAKE_SOURCE_DIR} PROPERTY LABELS ${ZENTARIUM_ARCH})
    # Either tree's start serves both: the second start of a run begins the same prefix afresh.
    add_test(NAME wine_start${ZENTARIUM_TEST_SUFFIX}
        COMMAND ${ZENTARIUM_HARNESS} start ${ZENTARIUM_WINE_DIR} ${ZENTARIUM_TEST_PKI_DIR}/root.der)
    set_tests_properties(wine_start${ZENTARIUM_TEST_SUFFIX} PROPERTIES
        FIXTURES_SETUP wine TIMEOUT 600 LABELS harness)
    add_test(NAME wine_stop${ZENTARIUM_TEST_SUFFIX} COMMAND ${ZENTARIUM_HARNESS} stop ${ZENTARIUM_WINE_DIR})
    set_tests_properties(wine_stop${ZENTARIUM_TEST_SUFFIX} PROPERTIES
        FIXTURES_CLEANUP wine TIMEOUT 120 LABELS harness)
    if(ZENTARIUM_X86_TEST_TREE)
        file(WRITE ${CMAKE_BINARY_DIR}/x86-tests.cmake "subdirs(\"${ZENTARIUM_X86_TEST_TREE}\")\n")
        set_property(DIRECTORY ${CMAKE_SOURCE_DIR} APPEND PROPERTY TEST_INCLUDE_FILES
            ${CMAKE_BINARY_DIR}/x86-tests.cmake)
    endif()
    # The native fuzz tree's corpus replays (label fuzz) run in the same CTest run.
    if(ZENTARIUM_FUZZ_TEST_TREE)
        file(WRITE ${CMAKE_BINARY_DIR}/fuzz-tests.cmake "subdirs(\"${ZENTARIUM_FUZZ_TEST_TREE}\")\n")
        set_property(DIRECTORY ${CMAKE_SOURCE_DIR} APPEND PROPERTY TEST_INCLUDE_FILES
            ${CMAKE_BINARY_DIR}/fuzz-tests.cmake)
    endif()
endif()

# zentarium_add_test(<name> LABELS <label>... SOURCES <file>... [LIBRARIES <lib>...]
#                    [DEPENDS <target>...] [LOCALE <unix locale>] [TIMEOUT <seconds>]
#                    [ENVIRONMENT <VAR=value>...] [FIXTURES <fixture>...] [UNMANAGED])
# Builds the test exe <name> and registers one run of it. LABELS: unit, integration or gui.
# LOCALE defaults to zh_CN.UTF-8 (ANSI code page 936, as on the tool's users' machines).
# FIXTURES: what the run needs besides the Wine prefix (vendor_server). UNMANAGED: the exe's
# windows stay unmanaged (see zentarium_unmanaged_windows).
function(zentarium_add_test name)
    cmake_parse_arguments(ARG "UNMANAGED" "LOCALE;TIMEOUT"
        "LABELS;SOURCES;LIBRARIES;DEPENDS;ENVIRONMENT;FIXTURES" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE zentarium_options test_main ${ARG_LIBRARIES})
    if(ARG_DEPENDS)
        add_dependencies(${name} ${ARG_DEPENDS})
    endif()
    if(ARG_UNMANAGED)
        zentarium_unmanaged_windows(${name} LABELS ${ARG_LABELS})
        list(APPEND ARG_FIXTURES ${name}_unmanaged)
    endif()
    zentarium_register_test(${name} TARGET ${name} LABELS ${ARG_LABELS} LOCALE "${ARG_LOCALE}"
        TIMEOUT "${ARG_TIMEOUT}" ENVIRONMENT ${ARG_ENVIRONMENT} FIXTURES ${ARG_FIXTURES})
endfunction()

# zentarium_register_test(<test name> TARGET <exe target> LABELS <label>...
#                         [LOCALE <unix locale>] [TIMEOUT <seconds>] [ENVIRONMENT <VAR=value>...]
#                         [FIXTURES <fixture>...] [ARGS <argument>...])
# One more run of an existing test exe, for example under another locale.
function(zentarium_register_test name)
    cmake_parse_arguments(ARG "" "TARGET;LOCALE;TIMEOUT" "LABELS;ENVIRONMENT;FIXTURES;ARGS" ${ARGN})
    if(NOT ZENTARIUM_REGISTER_TESTS)
        return()
    endif()
    if(NOT ARG_LOCALE)
        set(ARG_LOCALE zh_CN.UTF-8)
    endif()
    if(NOT ARG_TIMEOUT)
        set(ARG_TIMEOUT 300)
    endif()
    zentarium_test_name(test ${name})
    add_test(NAME ${test}
        COMMAND ${ZENTARIUM_HARNESS} run ${ZENTARIUM_WINE_DIR} ${ARG_LOCALE} $<TARGET_FILE:${ARG_TARGET}>
                --gtest_color=no ${ARG_ARGS})
    zentarium_fixture_names(required wine ${ARG_FIXTURES})
    set_tests_properties(${test} PROPERTIES
        FIXTURES_REQUIRED "${required}" LABELS "${ARG_LABELS}" TIMEOUT ${ARG_TIMEOUT})
    if(ARG_ENVIRONMENT)
        set_tests_properties(${test} PROPERTIES ENVIRONMENT "${ARG_ENVIRONMENT}")
    endif()
endfunction()

# The test display has no window manager, and Wine waits two seconds for one each time a window
# it hands to a manager is hidden or destroyed. A test exe's windows stay unmanaged, which
# changes nothing it looks at; Wine reads the setting when the exe starts, so a fixture
# <exe>_unmanaged sets it before.
function(zentarium_unmanaged_windows exe)
    cmake_parse_arguments(ARG "" "" "LABELS" ${ARGN})
    if(NOT ZENTARIUM_REGISTER_TESTS)
        return()
    endif()
    zentarium_test_name(test ${exe}_unmanaged)
    add_test(NAME ${test}
        COMMAND ${ZENTARIUM_HARNESS} run ${ZENTARIUM_WINE_DIR} C.UTF-8 reg add
                "HKCU\\Software\\Wine\\AppDefaults\\${exe}.exe\\X11 Driver" /v Managed /d N /f)
    set_tests_properties(${test} PROPERTIES
        FIXTURES_REQUIRED wine FIXTURES_SETUP ${test} LABELS "${ARG_LABELS}" TIMEOUT 60)
endfunction()

# The names a test or fixture of this tree registers under; the shared prefix "wine" keeps its own.
function(zentarium_test_name variable name)
    set(${variable} ${name}${ZENTARIUM_TEST_SUFFIX} PARENT_SCOPE)
endfunction()

function(zentarium_fixture_names variable)
    set(names)
    foreach(fixture IN LISTS ARGN)
        if(fixture STREQUAL "wine")
            list(APPEND names wine)
        else()
            list(APPEND names ${fixture}${ZENTARIUM_TEST_SUFFIX})
        endif()
    endforeach()
    set(${variable} "${names}" PARENT_SCOPE)
endfunction()
