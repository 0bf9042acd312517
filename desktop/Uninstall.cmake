# Removes what an installation lists in its manifest, and nothing else:
#   cmake -DMANIFEST=PREFIX/share/saporia/install_manifest.txt -P Uninstall.cmake
# The user's data location may be inside the prefix (~/.local/share/saporia), so
# only listed files are removed, never a folder that still holds anything.
if(NOT EXISTS "${MANIFEST}")
  message(FATAL_ERROR "No Saporia installation there: ${MANIFEST} does not exist.")
endif()
cmake_path(GET MANIFEST PARENT_PATH own_folder)
cmake_path(GET own_folder PARENT_PATH share)
cmake_path(GET share PARENT_PATH prefix)

file(STRINGS "${MANIFEST}" files)
foreach(file IN LISTS files)
  cmake_path(IS_PREFIX prefix "${file}" NORMALIZE inside)
  if(inside AND NOT IS_DIRECTORY "${file}" AND (EXISTS "${file}" OR IS_SYMLINK "${file}"))
    file(REMOVE "${file}")
    message(STATUS "Removed ${file}")
  endif()
endforeach()

# rmdir removes a folder only when it is empty.
foreach(folder "${own_folder}/sr28" "${own_folder}/links" "${own_folder}")
  execute_process(COMMAND rmdir "${folder}" OUTPUT_QUIET ERROR_QUIET)
endforeach()
