# Read by cpack before it packs (CPACK_PROJECT_CONFIG_FILE). The Debian
# generator writes SOURCE_DATE_EPOCH as the time of every file and archive
# header (ar members, tar entries, gzip headers); without it in the
# environment, the sources' date stands in (SourceDateEpoch.cmake), so that
# the same sources give the same package, from a checkout or a tarball.
include(${CMAKE_CURRENT_LIST_DIR}/SourceDateEpoch.cmake)
dravelo_source_date_epoch(package_date "${CPACK_DRAVELO_SOURCE_DIR}")
if(package_date STREQUAL "")
    message(WARNING "No date for the sources (SOURCE_DATE_EPOCH, git history, dist/debian/changelog): the package carries the time it is made.")
else()
    set(ENV{SOURCE_DATE_EPOCH} ${package_date})
endif()
