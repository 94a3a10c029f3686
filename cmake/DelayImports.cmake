# System DLLs that are not KnownDLLs are found in the exe's own folder first: a DLL of that name
# downloaded beside the exe would run as administrator before the first line of the program.
# They are linked through delay-import libraries instead, so that each is loaded on its first
# call, after wWinMain has limited the search to the system folder. Use zentarium_delay::<name>
# in place of <name>; a DLL added to the project that is no KnownDLL belongs in this list.
set(ZENTARIUM_DELAY_LOADED_DLLS bcrypt comctl32 crypt32 msimg32 winhttp wininet wintrust)

if(MINGW)
    find_program(ZENTARIUM_NM ${ZENTARIUM_MINGW_TRIPLE}-nm REQUIRED)
    find_program(ZENTARIUM_DLLTOOL ${ZENTARIUM_MINGW_TRIPLE}-dlltool REQUIRED)
    set(delay_script ${CMAKE_SOURCE_DIR}/tools/make_delay_import.py)
    set_property(DIRECTORY ${CMAKE_SOURCE_DIR} APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${delay_script})
endif()

foreach(dll IN LISTS ZENTARIUM_DELAY_LOADED_DLLS)
    add_library(zentarium_delay_${dll} INTERFACE)
    add_library(zentarium_delay::${dll} ALIAS zentarium_delay_${dll})
    if(MINGW)
        find_library(ZENTARIUM_IMPORT_${dll} NAMES ${dll} REQUIRED)
        set(delay_library ${CMAKE_BINARY_DIR}/delay-imports/lib${dll}_delay.a)
        if(NOT EXISTS ${delay_library} OR ${delay_script} IS_NEWER_THAN ${delay_library}
           OR ${ZENTARIUM_IMPORT_${dll}} IS_NEWER_THAN ${delay_library})
            file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/delay-imports)
            execute_process(
                COMMAND python3 ${delay_script} ${ZENTARIUM_ARCH} ${ZENTARIUM_NM} ${ZENTARIUM_DLLTOOL}
                        ${ZENTARIUM_IMPORT_${dll}} ${dll}.dll ${delay_library}
                COMMAND_ERROR_IS_FATAL ANY)
        endif()
        if(ZENTARIUM_ARCH STREQUAL "x86")
            # GNU ld for i386 would drop the stubs (make_delay_import.py says why); the object
            # comes first, so that the library is searched for what it names.
            target_link_libraries(zentarium_delay_${dll} INTERFACE ${delay_library}.keep.o)
        endif()
        target_link_libraries(zentarium_delay_${dll} INTERFACE ${delay_library})
    else()
        target_link_libraries(zentarium_delay_${dll} INTERFACE ${dll} delayimp)
        target_link_options(zentarium_delay_${dll} INTERFACE /DELAYLOAD:${dll}.dll)
    endif()
endforeach()
