# Compile settings shared by every target of the project's own code.

add_library(zentarium_options INTERFACE)
target_compile_definitions(zentarium_options INTERFACE
    UNICODE _UNICODE NOMINMAX _WIN32_WINNT=0x0601 WINVER=0x0601)
if(MSVC)
    target_compile_options(zentarium_options INTERFACE /W4 /WX /utf-8 /permissive- /EHsc)
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
