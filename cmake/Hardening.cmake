# The hardening Debian builds its packages with (dpkg-buildflags): checked
# buffer functions in optimised builds, and a relocation table made read-only
# before the program starts. Only for Linux; the sanitizer build (Debug) and
# the Windows cross build go without.
if(CMAKE_SYSTEM_NAME STREQUAL "Linux")
    add_compile_definitions($<$<NOT:$<CONFIG:Debug>>:_FORTIFY_SOURCE=2>)
    add_link_options(LINKER:-z,relro LINKER:-z,now)
endif()
