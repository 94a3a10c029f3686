# Compile settings shared by every target of the project's own code.

if(CMAKE_SIZEOF_VOID_P EQUAL 4)
    set(ZENTARIUM_ARCH x86)
else()
    set(ZENTARIUM_ARCH x64)
endif()

add_library(zentarium_options INTERFACE)
target_compile_definitions(zentarium_options INTERFACE
    UNICODE _UNICODE NOMINMAX _WIN32_WINNT=0x0601 WINVER=0x0601)
if(MSVC)
    target_compile_options(zentarium_options INTERFACE /W4 /WX /utf-8 /permissive- /EHsc)
    if(ZENTARIUM_ARCH STREQUAL "x86")
        # On 64-bit Windows a 32-bit process then has 4 GB of address space instead of 2 GB.
        target_link_options(zentarium_options INTERFACE /LARGEADDRESSAWARE)
    endif()
else()
    target_compile_options(zentarium_options INTERFACE
        -Wall -Wextra -Wshadow -Wnon-virtual-dtor -Wno-missing-field-initializers -Werror)
endif()

# Links a GUI or console exe with a wide entry point (wWinMain / wmain).
function(zentarium_wide_entry target)
    if(MINGW)
        target_link_options(${target} PRIVATE -municode)
    endif()
endfunction()
