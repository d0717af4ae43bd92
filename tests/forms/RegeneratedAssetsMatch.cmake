# Runs the picture generator into a scratch directory and requires every file
# to match the one kept in the repository.
execute_process(COMMAND ${PYTHON} ${ASSETS_DIR}/make_assets.py --output ${OUTPUT_DIR}
                RESULT_VARIABLE status OUTPUT_QUIET)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "make_assets.py failed: ${status}")
endif()
set(files copertina.bmp icona.ico dravelo.ico)
foreach(size 16 32 48 64 128 256)
    list(APPEND files hicolor/${size}x${size}/dravelo.png)
endforeach()
foreach(file IN LISTS files)
    execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${ASSETS_DIR}/${file} ${OUTPUT_DIR}/${file}
                    RESULT_VARIABLE different)
    if(different)
        message(FATAL_ERROR "${file} differs from what make_assets.py writes")
    endif()
endforeach()
