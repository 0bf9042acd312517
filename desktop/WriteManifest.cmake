# Keeps the list of installed files inside the installation, so that uninstalling
# needs neither the build folder nor guesses about what belongs to the program.
cmake_path(ABSOLUTE_PATH CMAKE_INSTALL_PREFIX NORMALIZE OUTPUT_VARIABLE prefix)
set(manifest "${prefix}/share/saporia/install_manifest.txt")
list(APPEND CMAKE_INSTALL_MANIFEST_FILES "$ENV{DESTDIR}${manifest}")
list(REMOVE_DUPLICATES CMAKE_INSTALL_MANIFEST_FILES)
set(listed "")
string(LENGTH "$ENV{DESTDIR}" staged)
foreach(file IN LISTS CMAKE_INSTALL_MANIFEST_FILES)
  string(SUBSTRING "${file}" ${staged} -1 file)
  string(APPEND listed "${file}\n")
endforeach()
file(WRITE "$ENV{DESTDIR}${manifest}" "${listed}")
message(STATUS "Installed: ${manifest}")
