# Copies SOURCE to DESTINATION unless something is there already: the list
# of strings to remove beside the program belongs to the user once it
# exists, and neither a build nor an install may replace the user's edits.
if(EXISTS "${DESTINATION}")
    if(DEFINED CMAKE_INSTALL_PREFIX)
        message(STATUS "Keeping the existing: ${DESTINATION}")
    endif()
    return()
endif()

get_filename_component(folder "${DESTINATION}" DIRECTORY)
file(MAKE_DIRECTORY "${folder}")
file(COPY_FILE "${SOURCE}" "${DESTINATION}")
if(DEFINED CMAKE_INSTALL_PREFIX)
    message(STATUS "Installing: ${DESTINATION}")
    list(APPEND CMAKE_INSTALL_MANIFEST_FILES "${DESTINATION}")
endif()
