# SPDX-License-Identifier: MIT
# Installing Vapomet and building its Debian packages (cpack -G DEB), from two components:
#   runtime      -> vapomet: vapomet and vapomet-cli, the desktop entry, icon and AppStream
#                   metainfo, the manual pages;
#   library      -> libvapomet1: the C interface, libvapomet.so.1;
#   development  -> libvapomet-dev: the property library (static library, its two public headers
#                   under include/property/, the CMake package "vapomet" with vapomet::property),
#                   and the C interface's header vapomet/vapomet.h with libvapomet.so;
#   python       -> python3-vapomet: the Python module vapomet, where it is built.
# Each package has its copyright file and a changelog.gz made from CHANGELOG.md. Install paths
# come from GNUInstallDirs; the top-level CMakeLists.txt puts the library in the multiarch folder.
include(GNUInstallDirs)
include(CMakePackageConfigHelpers)

set(VAPOMET_APP_ID org.vapomet.Vapomet)
set(VAPOMET_CONTACT "The Vapomet developers <vapomet@example.org>")
set(VAPOMET_CMAKE_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/vapomet)
set(packaging_dir ${PROJECT_SOURCE_DIR}/packaging)
set(packaging_out ${PROJECT_BINARY_DIR}/packaging)
set(runtime_package vapomet)
set(development_package libvapomet-dev)
set(library_package libvapomet1)
set(python_package python3-vapomet)
set(package_components runtime development library)
if(TARGET vapomet_python)
  list(APPEND package_components python)
endif()

# ---- Programs -------------------------------------------------------------------------------
foreach(program vapomet vapomet-cli)
  if(TARGET ${program})
    install(TARGETS ${program} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT runtime)
  endif()
endforeach()

# ---- The property library and its CMake package ---------------------------------------------
add_library(vapomet::property ALIAS vapomet_property)
set_target_properties(vapomet_property PROPERTIES EXPORT_NAME property)
install(TARGETS vapomet_property EXPORT vapometTargets
        ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT development)
install(FILES ${PROJECT_SOURCE_DIR}/property/property.h ${PROJECT_SOURCE_DIR}/property/state.h
        DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/property COMPONENT development)
install(EXPORT vapometTargets NAMESPACE vapomet:: DESTINATION ${VAPOMET_CMAKE_DIR}
        COMPONENT development)
configure_package_config_file(${packaging_dir}/vapometConfig.cmake.in
                              ${packaging_out}/vapometConfig.cmake
                              INSTALL_DESTINATION ${VAPOMET_CMAKE_DIR})
write_basic_package_version_file(${packaging_out}/vapometConfigVersion.cmake
                                 VERSION ${PROJECT_VERSION} COMPATIBILITY SameMajorVersion)
install(FILES ${packaging_out}/vapometConfig.cmake ${packaging_out}/vapometConfigVersion.cmake
        DESTINATION ${VAPOMET_CMAKE_DIR} COMPONENT development)

# ---- The C interface --------------------------------------------------------------------------
install(TARGETS vapomet_c LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT library
                                  NAMELINK_COMPONENT development)
install(FILES ${PROJECT_SOURCE_DIR}/capi/include/vapomet/vapomet.h
        DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/vapomet COMPONENT development)

# ---- Desktop integration --------------------------------------------------------------------
configure_file(${packaging_dir}/${VAPOMET_APP_ID}.metainfo.xml.in
               ${packaging_out}/${VAPOMET_APP_ID}.metainfo.xml @ONLY)
if(TARGET vapomet)
  install(FILES ${packaging_dir}/${VAPOMET_APP_ID}.desktop
          DESTINATION ${CMAKE_INSTALL_DATADIR}/applications COMPONENT runtime)
  install(FILES ${packaging_dir}/${VAPOMET_APP_ID}.svg
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps COMPONENT runtime)
  install(FILES ${packaging_out}/${VAPOMET_APP_ID}.metainfo.xml
          DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo COMPONENT runtime)
endif()

# ---- Compressed documents: manual pages and the Debian changelog ------------------------------
find_program(VAPOMET_GZIP gzip REQUIRED)
set(compressed)
# Compresses `file` into `output` as Debian keeps its documents: maximal and without a time.
function(compress file output)
  add_custom_command(OUTPUT ${output}
                     COMMAND sh -c "\"$1\" -9nc \"$2\" > \"$3\"" sh ${VAPOMET_GZIP} ${file} ${output}
                     DEPENDS ${file} ${ARGN}
                     COMMENT "Compressing ${output}"
                     VERBATIM)
  set(compressed ${compressed} ${output} PARENT_SCOPE)
endfunction()

set(manual_pages)
foreach(program vapomet vapomet-cli)
  if(TARGET ${program})
    # The version in the page's heading comes from project().
    configure_file(${packaging_dir}/${program}.1.in ${packaging_out}/${program}.1 @ONLY)
    compress(${packaging_out}/${program}.1 ${packaging_out}/${program}.1.gz)
    list(APPEND manual_pages ${packaging_out}/${program}.1.gz)
  endif()
endforeach()
install(FILES ${manual_pages} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1 COMPONENT runtime)

add_custom_command(OUTPUT ${packaging_out}/changelog
                   COMMAND sh -c "\"$1\" \"$2\" vapomet \"$3\" > \"$4\"" sh
                           ${packaging_dir}/debian-changelog.sh ${PROJECT_SOURCE_DIR}/CHANGELOG.md
                           ${VAPOMET_CONTACT} ${packaging_out}/changelog
                   DEPENDS ${packaging_dir}/debian-changelog.sh ${PROJECT_SOURCE_DIR}/CHANGELOG.md
                   COMMENT "Writing the Debian changelog from CHANGELOG.md"
                   VERBATIM)
compress(${packaging_out}/changelog ${packaging_out}/changelog.gz)
add_custom_target(vapomet_documents ALL DEPENDS ${compressed})

configure_file(${packaging_dir}/copyright.in ${packaging_out}/copyright @ONLY)
foreach(component ${package_components})
  install(FILES ${packaging_out}/copyright ${packaging_out}/changelog.gz
          DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/doc/${${component}_package}
          COMPONENT ${component})
endforeach()
install(FILES ${PROJECT_SOURCE_DIR}/README.md
        DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/doc/${runtime_package} COMPONENT runtime)

# ---- The Debian packages --------------------------------------------------------------------
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME vapomet)
set(CPACK_PACKAGE_VENDOR "The Vapomet developers")
set(CPACK_PACKAGE_CONTACT "${VAPOMET_CONTACT}")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${CPACK_PACKAGE_CONTACT}")
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${PROJECT_HOMEPAGE_URL}")
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEB_COMPONENT_INSTALL ON)
# Each component's description starts with its own synopsis line.
set(CPACK_COMPONENTS_ALL ${package_components})

set(CPACK_DEBIAN_RUNTIME_PACKAGE_NAME ${runtime_package})
set(CPACK_DEBIAN_RUNTIME_PACKAGE_SECTION science)
# dpkg-shlibdeps finds the runtime packages of the programs' shared libraries (Qt, the C++
# library).
set(CPACK_DEBIAN_RUNTIME_PACKAGE_SHLIBDEPS ON)
set(CPACK_COMPONENT_RUNTIME_DESCRIPTION
    "properties of water and steam after IAPWS-IF97
Vapomet is a small desktop calculator of the properties of water and steam.
Type a pressure in MPa and a temperature in K, press Calculate, and read
saturated water and steam at the temperature and at the pressure, and the
single-phase state at both.
.
The package holds the desktop program vapomet and the command-line companion
vapomet-cli, which also writes property tables of many states.")

set(CPACK_DEBIAN_LIBRARY_PACKAGE_NAME ${library_package})
set(CPACK_DEBIAN_LIBRARY_PACKAGE_SECTION libs)
# A shared library's shlibs file and its ldconfig trigger, as Debian's own libraries have them
# (no ldconfig call in maintainer scripts); its own dependencies (the C and C++ libraries) from
# dpkg-shlibdeps.
set(CPACK_DEBIAN_LIBRARY_PACKAGE_SHLIBDEPS ON)
file(WRITE ${packaging_out}/shlibs
     "libvapomet ${PROJECT_VERSION_MAJOR} ${library_package} (>= ${PROJECT_VERSION})\n")
file(WRITE ${packaging_out}/triggers "activate-noawait ldconfig\n")
set(CPACK_DEBIAN_LIBRARY_PACKAGE_CONTROL_EXTRA ${packaging_out}/shlibs ${packaging_out}/triggers)
# CPack writes maintainer scripts that call ldconfig for a library below /usr/lib; the trigger
# does that in Debian's way, so they are taken out once the package is built.
set(CPACK_POST_BUILD_SCRIPTS ${packaging_dir}/without-ldconfig-scripts.cmake)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_COMPONENT_LIBRARY_DESCRIPTION
    "properties of water and steam after IAPWS-IF97 - C library
The C interface of Vapomet's property library: the states of water and steam
after the industrial formulation IAPWS-IF97 from any two of their properties,
the saturated liquid and vapour, and metastable vapour, with the IAPS 1985
viscosity and thermal conductivity, for C and whatever calls C.")

set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_NAME ${development_package})
set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_SECTION libdevel)
set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_DEPENDS "${library_package} (= ${PROJECT_VERSION})")
set(CPACK_COMPONENT_DEVELOPMENT_DESCRIPTION
    "properties of water and steam after IAPWS-IF97 - development files
The property library of Vapomet: the thermodynamic properties of water and
steam after the industrial formulation IAPWS-IF97 (1997 release), the IAPS
1985 viscosity and the industrial thermal conductivity, as a static C++
library with its header and the CMake package vapomet (vapomet::property).
.
The library needs no other library; the programs of the vapomet package are
built on it.")

set(CPACK_DEBIAN_PYTHON_PACKAGE_NAME ${python_package})
set(CPACK_DEBIAN_PYTHON_PACKAGE_SECTION python)
# The module is built for one Python 3 version and uses NumPy at run time; its shared libraries
# (QtCore, the C++ library) come from dpkg-shlibdeps.
set(CPACK_DEBIAN_PYTHON_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PYTHON_PACKAGE_DEPENDS "${VAPOMET_PYTHON_DEPENDS}, python3-numpy")
set(CPACK_COMPONENT_PYTHON_DESCRIPTION
    "properties of water and steam after IAPWS-IF97 - Python 3 module
The Python module vapomet: the states of water and steam after the industrial
formulation IAPWS-IF97 from any two of their properties, and the saturated
liquid and vapour, with their transport and derived properties, on numbers or
on NumPy arrays computed on every core.")

# Stripped as Debian strips: no debugging sections, comments or notes in the programs, none of
# the debugging sections in the static library. The packages are built from what is installed.
set(CPACK_STRIP_FILES OFF)
set(CPACK_PRE_BUILD_SCRIPTS ${packaging_dir}/strip.cmake)
include(CPack)
