# Installs the desktop files into a scratch prefix, checks the layout a
# desktop expects and validates the installed tree as AppStream sees it.
file(REMOVE_RECURSE ${PREFIX})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${PREFIX} --component desktop
                RESULT_VARIABLE status OUTPUT_QUIET)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "cmake --install failed: ${status}")
endif()
foreach(file applications/${APP_ID}.desktop metainfo/${APP_ID}.metainfo.xml
             icons/hicolor/16x16/apps/dravelo.png icons/hicolor/32x32/apps/dravelo.png)
    if(NOT EXISTS ${PREFIX}/share/${file})
        message(FATAL_ERROR "not installed: share/${file}")
    endif()
endforeach()
execute_process(COMMAND ${APPSTREAMCLI} validate-tree --no-net ${PREFIX} RESULT_VARIABLE status)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "the installed tree does not validate: ${status}")
endif()
