# SPDX-License-Identifier: MIT
# Run by CPack after it has built the packages: takes the maintainer scripts that only call
# ldconfig out of libvapomet1, whose ldconfig trigger does the same, and builds it again.
find_program(dpkg_deb NAMES dpkg-deb REQUIRED)
foreach(package ${CPACK_PACKAGE_FILES})
  get_filename_component(name "${package}" NAME)
  if(NOT name MATCHES "^libvapomet1_")
    continue()
  endif()
  set(tree "${CPACK_TOPLEVEL_DIRECTORY}/libvapomet1-tree")
  file(REMOVE_RECURSE "${tree}")
  execute_process(COMMAND ${dpkg_deb} --raw-extract "${package}" "${tree}"
                  COMMAND_ERROR_IS_FATAL ANY)
  file(REMOVE "${tree}/DEBIAN/postinst" "${tree}/DEBIAN/postrm")
  execute_process(COMMAND ${dpkg_deb} --root-owner-group --build "${tree}" "${package}"
                  OUTPUT_QUIET COMMAND_ERROR_IS_FATAL ANY)
  file(REMOVE_RECURSE "${tree}")
endforeach()
