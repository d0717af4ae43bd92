# Packs the installer (cmake -P, from the build). wixl finds the files it
# packs by name in the folder it runs in, so the program and its icon are
# staged there, with the sources' date (SourceDateEpoch.cmake) as their
# time: the package's cabinet records it, and the same sources then give the
# same files and tables.
# Variables: WIXL MSIBUILD WXS PROGRAM ICON VERSION PRODUCT_CODE SOURCE_DIR STAGING OUTPUT
include(${CMAKE_CURRENT_LIST_DIR}/../../cmake/SourceDateEpoch.cmake)

file(REMOVE_RECURSE ${STAGING})
file(MAKE_DIRECTORY ${STAGING})
file(COPY_FILE ${PROGRAM} ${STAGING}/Morlane.exe)
file(COPY_FILE ${ICON} ${STAGING}/dravelo.ico)
dravelo_source_date_epoch(epoch ${SOURCE_DIR})
if(epoch)
    execute_process(COMMAND touch -d @${epoch} Morlane.exe dravelo.ico
                    WORKING_DIRECTORY ${STAGING} COMMAND_ERROR_IS_FATAL ANY)
endif()
# The cabinet writes times as local times: those of one zone for all.
set(ENV{TZ} UTC)
execute_process(COMMAND ${WIXL} -a x64 -D Version=${VERSION} -D ProductCode=${PRODUCT_CODE}
                        -D ProgramFile=Morlane.exe -D IconFile=dravelo.ico -o dravelo.msi ${WXS}
                WORKING_DIRECTORY ${STAGING} COMMAND_ERROR_IS_FATAL ANY)
# What wixl 0.101 cannot write from dravelo.wxs, written into its tables:
# each component installs in one context only, per user without ALLUSERS,
# per machine with it.
execute_process(COMMAND ${MSIBUILD} dravelo.msi
    -q "UPDATE `Component` SET `Condition` = 'NOT ALLUSERS' WHERE `Component` = 'UserProgram' OR `Component` = 'UserProgramsFolder'"
    -q "UPDATE `Component` SET `Condition` = 'ALLUSERS' WHERE `Component` = 'MachineProgram' OR `Component` = 'MachineShortcut'"
    WORKING_DIRECTORY ${STAGING} COMMAND_ERROR_IS_FATAL ANY)
file(RENAME ${STAGING}/dravelo.msi ${OUTPUT})
