# SOURCE_DATE_EPOCH, the time a reproducible build writes wherever a tool
# would write the time of the build: from the environment; else the time of
# the source tree's last commit; else, in a release tarball, which has no
# history, the date of the newest entry of the Debian changelog, as Debian's
# own tools take it. Empty when none is known.
# Included by the build, by cpack and by build-time scripts.
function(dravelo_source_date_epoch out source_dir)
    set(epoch "$ENV{SOURCE_DATE_EPOCH}")
    if(NOT epoch MATCHES "^[0-9]+$")
        # Only the tree's own history: a tarball unpacked inside another
        # checkout must not take that checkout's last commit.
        execute_process(COMMAND git -C ${source_dir} rev-parse --show-toplevel
                        OUTPUT_VARIABLE top OUTPUT_STRIP_TRAILING_WHITESPACE RESULT_VARIABLE status ERROR_QUIET)
        file(REAL_PATH "${source_dir}" source_real)
        if(status EQUAL 0 AND top STREQUAL source_real)
            execute_process(COMMAND git -C ${source_dir} log -1 --format=%ct
                            OUTPUT_VARIABLE epoch OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
        endif()
    endif()
    if(NOT epoch MATCHES "^[0-9]+$")
        execute_process(COMMAND dpkg-parsechangelog -l ${source_dir}/dist/debian/changelog -STimestamp
                        OUTPUT_VARIABLE epoch OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
    endif()
    if(NOT epoch MATCHES "^[0-9]+$")
        set(epoch "")
    endif()
    set(${out} "${epoch}" PARENT_SCOPE)
endfunction()
