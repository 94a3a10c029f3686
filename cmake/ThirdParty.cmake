# Third-party libraries, built from Debian's source packages as static libraries.
# tools/setup.sh downloads the packages (.dsc and tarballs) into ZENTARIUM_DEPS_CACHE; each is
# unpacked once per build tree with dpkg-source, which also applies Debian's patches (the
# TinyXML security fixes among them). Where dpkg-source is missing (a Windows machine), point
# ZENTARIUM_<NAME>_SOURCE_DIR at an unpacked tree instead.

if(DEFINED ENV{ZENTARIUM_DEPS_CACHE})
    set(deps_cache_default "$ENV{ZENTARIUM_DEPS_CACHE}")
else()
    set(deps_cache_default "/var/cache/zentarium-deps")
endif()
set(ZENTARIUM_DEPS_CACHE "${deps_cache_default}" CACHE PATH "Folder with Debian source packages")
set(ZENTARIUM_GTEST_SOURCE_DIR "/usr/src/googletest" CACHE PATH "GoogleTest sources")
set(ZENTARIUM_STB_INCLUDE_DIR "/usr/include/stb" CACHE PATH "Folder holding stb_image.h")

function(zentarium_unpack_source package out_var)
    string(TOUPPER "${package}" upper)
    string(REGEX REPLACE "[^A-Z0-9]" "_" upper "${upper}")
    set(override "ZENTARIUM_${upper}_SOURCE_DIR")
    if(DEFINED ${override} AND EXISTS "${${override}}")
        set(${out_var} "${${override}}" PARENT_SCOPE)
        return()
    endif()
    set(dest "${CMAKE_BINARY_DIR}/_deps/${package}")
    if(NOT EXISTS "${dest}/.unpacked")
        file(GLOB dsc "${ZENTARIUM_DEPS_CACHE}/${package}_*.dsc")
        if(NOT dsc)
            message(FATAL_ERROR "No source package ${package} in ${ZENTARIUM_DEPS_CACHE}: run tools/setup.sh")
        endif()
        list(GET dsc 0 dsc)
        file(REMOVE_RECURSE "${dest}")
        file(MAKE_DIRECTORY "${CMAKE_BINARY_DIR}/_deps")
        execute_process(COMMAND dpkg-source --no-check -x "${dsc}" "${dest}"
                        RESULT_VARIABLE rc OUTPUT_QUIET)
        if(NOT rc EQUAL 0)
            message(FATAL_ERROR "dpkg-source failed for ${dsc}")
        endif()
        file(TOUCH "${dest}/.unpacked")
    endif()
    set(${out_var} "${dest}" PARENT_SCOPE)
endfunction()

function(zentarium_third_party target)
    set_target_properties(${target} PROPERTIES POSITION_INDEPENDENT_CODE OFF)
    if(MSVC)
        target_compile_options(${target} PRIVATE /W0 /utf-8)
    else()
        target_compile_options(${target} PRIVATE -w)
    endif()
endfunction()

# TinyXML 2.6 (the STL build, as Debian's patch enforces)
zentarium_unpack_source(tinyxml TINYXML_DIR)
add_library(tinyxml STATIC
    ${TINYXML_DIR}/tinyxml.cpp ${TINYXML_DIR}/tinystr.cpp
    ${TINYXML_DIR}/tinyxmlerror.cpp ${TINYXML_DIR}/tinyxmlparser.cpp)
target_include_directories(tinyxml SYSTEM PUBLIC ${TINYXML_DIR})
target_compile_definitions(tinyxml PUBLIC TIXML_USE_STL)
zentarium_third_party(tinyxml)

# JsonCpp
zentarium_unpack_source(libjsoncpp JSONCPP_DIR)
add_library(jsoncpp STATIC
    ${JSONCPP_DIR}/src/lib_json/json_reader.cpp
    ${JSONCPP_DIR}/src/lib_json/json_value.cpp
    ${JSONCPP_DIR}/src/lib_json/json_writer.cpp)
target_include_directories(jsoncpp SYSTEM PUBLIC ${JSONCPP_DIR}/include)
target_include_directories(jsoncpp PRIVATE ${JSONCPP_DIR}/src/lib_json)
zentarium_third_party(jsoncpp)

# The 7z decoder of the LZMA SDK (C/ of the 7zip sources)
zentarium_unpack_source(7zip SEVENZIP_DIR)
set(LZMA_C ${SEVENZIP_DIR}/C)
add_library(lzma7z STATIC
    ${LZMA_C}/7zAlloc.c ${LZMA_C}/7zArcIn.c ${LZMA_C}/7zBuf.c ${LZMA_C}/7zBuf2.c
    ${LZMA_C}/7zCrc.c ${LZMA_C}/7zCrcOpt.c ${LZMA_C}/7zDec.c ${LZMA_C}/7zFile.c
    ${LZMA_C}/7zStream.c ${LZMA_C}/Bcj2.c ${LZMA_C}/Bra.c ${LZMA_C}/Bra86.c
    ${LZMA_C}/BraIA64.c ${LZMA_C}/CpuArch.c ${LZMA_C}/Delta.c ${LZMA_C}/Lzma2Dec.c
    ${LZMA_C}/LzmaDec.c ${LZMA_C}/Ppmd7.c ${LZMA_C}/Ppmd7Dec.c)
target_include_directories(lzma7z SYSTEM PUBLIC ${LZMA_C})
target_compile_definitions(lzma7z PUBLIC Z7_PPMD_SUPPORT Z7_EXTRACT_ONLY)
zentarium_third_party(lzma7z)

# zlib: Debian's MinGW build (libz-mingw-w64-dev); on Windows any find_package(ZLIB) install
if(MINGW)
    find_library(ZENTARIUM_ZLIB_LIBRARY NAMES libz.a z REQUIRED)
    find_path(ZENTARIUM_ZLIB_INCLUDE_DIR zlib.h REQUIRED)
    add_library(zlib STATIC IMPORTED GLOBAL)
    set_target_properties(zlib PROPERTIES IMPORTED_LOCATION ${ZENTARIUM_ZLIB_LIBRARY}
                          INTERFACE_INCLUDE_DIRECTORIES ${ZENTARIUM_ZLIB_INCLUDE_DIR})
elseif(ZENTARIUM_FUZZ)
    # From Debian's source, so the fuzz tree instruments it too.
    zentarium_unpack_source(zlib ZLIB_DIR)
    file(GLOB zlib_sources ${ZLIB_DIR}/*.c)
    list(FILTER zlib_sources EXCLUDE REGEX "/(example|minigzip)[^/]*\\.c$")
    add_library(zlib STATIC ${zlib_sources})
    target_include_directories(zlib SYSTEM PUBLIC ${ZLIB_DIR})
    zentarium_third_party(zlib)
else()
    find_package(ZLIB REQUIRED)
    add_library(zlib INTERFACE)
    target_link_libraries(zlib INTERFACE ZLIB::ZLIB)
endif()

# stb_image (header only; the implementation is compiled once in ui/render)
add_library(stb INTERFACE)
target_include_directories(stb SYSTEM INTERFACE ${ZENTARIUM_STB_INCLUDE_DIR})

# GoogleTest, built for the target from Debian's sources
if(ZENTARIUM_BUILD_TESTS)
    set(GTEST_DIR ${ZENTARIUM_GTEST_SOURCE_DIR}/googletest)
    add_library(gtest STATIC ${GTEST_DIR}/src/gtest-all.cc)
    target_include_directories(gtest SYSTEM PUBLIC ${GTEST_DIR}/include)
    target_include_directories(gtest PRIVATE ${GTEST_DIR})
    zentarium_third_party(gtest)
endif()
