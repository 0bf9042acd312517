# Writes share/applications/saporia.desktop for the prefix being installed to.
cmake_path(ABSOLUTE_PATH CMAKE_INSTALL_PREFIX NORMALIZE OUTPUT_VARIABLE prefix)
string(REGEX REPLACE "/$" "" prefix "${prefix}")

# Exec takes a quoted argument (backslash, quote, dollar and backquote escaped,
# then every backslash doubled again as in any entry value; % doubled).
set(launcher "${prefix}/bin/saporia-launcher")
string(REGEX REPLACE "([\\\\\"$`])" "\\\\\\1" launcher "${launcher}")
string(REPLACE "\\" "\\\\" launcher "${launcher}")
string(REPLACE "%" "%%" SAPORIA_LAUNCHER "${launcher}")

# The data location by the launcher's rule, for the user who installs.
if(DEFINED ENV{XDG_DATA_HOME} AND IS_ABSOLUTE "$ENV{XDG_DATA_HOME}")
  set(location "$ENV{XDG_DATA_HOME}/saporia")
else()
  set(location "$ENV{HOME}/.local/share/saporia")
endif()
set(SAPORIA_PATH_LINE "")
set(home "$ENV{HOME}")
set(own_prefix FALSE)
if(IS_ABSOLUTE "${home}" AND NOT home STREQUAL "/")
  cmake_path(IS_PREFIX home "${prefix}" NORMALIZE own_prefix)
endif()
if(own_prefix)
  string(REPLACE "\\" "\\\\" path_value "${location}")
  set(SAPORIA_PATH_LINE "Path=${path_value}\n")
  # A menu start fails when its working folder is missing. Not listed in the
  # manifest: the folder is where the user's data will live.
  if("$ENV{DESTDIR}" STREQUAL "")
    file(MAKE_DIRECTORY "${location}")
  endif()
endif()

configure_file("${SAPORIA_DESKTOP_TEMPLATE}" "${SAPORIA_DESKTOP_STAGE}/saporia.desktop" @ONLY)
file(INSTALL "${SAPORIA_DESKTOP_STAGE}/saporia.desktop" DESTINATION "${CMAKE_INSTALL_PREFIX}/share/applications")
