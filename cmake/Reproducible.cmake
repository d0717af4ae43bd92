# The same commit gives the same bytes wherever it is built: the source and
# build folders are written as "." in debug information and in __FILE__,
# and so in the build ID the stripped program keeps. (The last matching
# map wins: the build folder may lie inside the source folder.)
add_compile_options(-ffile-prefix-map=${PROJECT_SOURCE_DIR}=. -ffile-prefix-map=${PROJECT_BINARY_DIR}=.)

# Windows executables: no link time in the PE header (nor so in the checksum
# over it).
if(WIN32)
    add_link_options(LINKER:--no-insert-timestamp)
endif()
