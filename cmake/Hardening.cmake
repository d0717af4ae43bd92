# The hardening Debian builds its packages with (dpkg-buildflags with
# DEB_BUILD_MAINT_OPTIONS=hardening=+all), for the Linux build only: a
# position-independent program, a stack protector and stack-clash probes,
# control-flow protection, format strings checked, checked buffer functions
# in optimised builds (at -O0 the C library warns that it cannot check),
# and a relocation table made read-only before the program starts. Flags the
# compiler lacks are left out. The Windows cross build goes without.
if(CMAKE_SYSTEM_NAME STREQUAL "Linux")
    include(CheckCXXCompilerFlag)
    include(CheckPIESupported)
    set(CMAKE_POSITION_INDEPENDENT_CODE ON)
    check_pie_supported(LANGUAGES CXX)
    foreach(flag -fstack-protector-strong -fstack-clash-protection -fcf-protection)
        string(MAKE_C_IDENTIFIER "DRAVELO_HAS${flag}" has_flag)
        check_cxx_compiler_flag(${flag} ${has_flag})
        if(${has_flag})
            add_compile_options(${flag})
        endif()
    endforeach()
    add_compile_options(-Wformat -Werror=format-security)
    add_compile_definitions($<$<NOT:$<CONFIG:Debug>>:_FORTIFY_SOURCE=2>)
    add_link_options(LINKER:-z,relro LINKER:-z,now)
endif()
