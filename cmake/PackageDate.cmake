# Read by cpack before it packs (CPACK_PROJECT_CONFIG_FILE). The Debian
# generator writes SOURCE_DATE_EPOCH as the time of every file and archive
# header; without it in the environment, the last commit's time stands in,
# so that the same sources give the same package.
include(${CMAKE_CURRENT_LIST_DIR}/SourceDateEpoch.cmake)
dravelo_source_date_epoch(package_date "${CPACK_DRAVELO_SOURCE_DIR}")
if(package_date STREQUAL "")
    message(WARNING "Neither SOURCE_DATE_EPOCH nor a git history: the package carries the time it is made.")
else()
    set(ENV{SOURCE_DATE_EPOCH} ${package_date})
endif()
