# SOURCE_DATE_EPOCH, the time a reproducible build writes wherever a tool
# would write the time of the build: from the environment, or else the time
# of the source tree's last commit. Empty when neither is known.
# Included by the build, by cpack and by build-time scripts.
function(dravelo_source_date_epoch out source_dir)
    set(epoch "$ENV{SOURCE_DATE_EPOCH}")
    if(epoch STREQUAL "")
        execute_process(COMMAND git -C ${source_dir} log -1 --format=%ct
                        OUTPUT_VARIABLE epoch OUTPUT_STRIP_TRAILING_WHITESPACE
                        RESULT_VARIABLE status ERROR_QUIET)
        if(NOT status EQUAL 0 OR NOT epoch MATCHES "^[0-9]+$")
            set(epoch "")
        endif()
    endif()
    set(${out} "${epoch}" PARENT_SCOPE)
endfunction()
