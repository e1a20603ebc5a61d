# Installing Vapomet and building its Debian package (cpack -G DEB).
#
# Installed: vapomet and vapomet-cli; the property library (static library, its one public
# header under include/property/ and the CMake package "vapomet" with the target
# vapomet::property); the desktop entry, icon and AppStream metainfo; the manual pages.
include(GNUInstallDirs)
include(CMakePackageConfigHelpers)

set(VAPOMET_APP_ID org.vapomet.Vapomet)
set(VAPOMET_CMAKE_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/vapomet)
set(packaging_dir ${PROJECT_SOURCE_DIR}/packaging)
set(packaging_out ${PROJECT_BINARY_DIR}/packaging)

# ---- Programs -------------------------------------------------------------------------------
foreach(program vapomet vapomet-cli)
  if(TARGET ${program})
    install(TARGETS ${program} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  endif()
endforeach()

# ---- The property library and its CMake package ---------------------------------------------
add_library(vapomet::property ALIAS vapomet_property)
set_target_properties(vapomet_property PROPERTIES EXPORT_NAME property)
install(TARGETS vapomet_property EXPORT vapometTargets
        ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR})
install(FILES ${PROJECT_SOURCE_DIR}/property/property.h
        DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/property)
install(EXPORT vapometTargets NAMESPACE vapomet:: DESTINATION ${VAPOMET_CMAKE_DIR})
configure_package_config_file(${packaging_dir}/vapometConfig.cmake.in
                              ${packaging_out}/vapometConfig.cmake
                              INSTALL_DESTINATION ${VAPOMET_CMAKE_DIR})
write_basic_package_version_file(${packaging_out}/vapometConfigVersion.cmake
                                 VERSION ${PROJECT_VERSION} COMPATIBILITY SameMajorVersion)
install(FILES ${packaging_out}/vapometConfig.cmake ${packaging_out}/vapometConfigVersion.cmake
        DESTINATION ${VAPOMET_CMAKE_DIR})

# ---- Desktop integration --------------------------------------------------------------------
if(TARGET vapomet)
  install(FILES ${packaging_dir}/${VAPOMET_APP_ID}.desktop
          DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  install(FILES ${packaging_dir}/${VAPOMET_APP_ID}.svg
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
  install(FILES ${packaging_dir}/${VAPOMET_APP_ID}.metainfo.xml
          DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
endif()

# ---- Manual pages, compressed as Debian keeps them ------------------------------------------
set(manual_pages)
foreach(program vapomet vapomet-cli)
  if(TARGET ${program})
    list(APPEND manual_pages ${program}.1)
  endif()
endforeach()
find_program(VAPOMET_GZIP gzip)
set(installed_manual_pages)
foreach(page ${manual_pages})
  # The version in the page's heading comes from project().
  configure_file(${packaging_dir}/${page}.in ${packaging_out}/${page} @ONLY)
  if(VAPOMET_GZIP)
    add_custom_command(OUTPUT ${packaging_out}/${page}.gz
                       COMMAND sh -c "\"$1\" -9nc \"$2\" > \"$3\"" sh
                               ${VAPOMET_GZIP} ${packaging_out}/${page} ${packaging_out}/${page}.gz
                       DEPENDS ${packaging_out}/${page}
                       COMMENT "Compressing the manual page ${page}"
                       VERBATIM)
    list(APPEND installed_manual_pages ${packaging_out}/${page}.gz)
  else()
    list(APPEND installed_manual_pages ${packaging_out}/${page})
  endif()
endforeach()
add_custom_target(vapomet_manual_pages ALL DEPENDS ${installed_manual_pages})
install(FILES ${installed_manual_pages} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

# ---- Documents ------------------------------------------------------------------------------
install(FILES ${PROJECT_SOURCE_DIR}/README.md ${PROJECT_SOURCE_DIR}/CHANGELOG.md
        DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/doc/vapomet)

# ---- The Debian package ---------------------------------------------------------------------
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME vapomet)
set(CPACK_PACKAGE_VENDOR "The Vapomet developers")
set(CPACK_PACKAGE_CONTACT "The Vapomet developers <vapomet@example.org>")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${CPACK_PACKAGE_CONTACT}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "properties of water and steam after IAPWS-IF97")
set(CPACK_PACKAGE_DESCRIPTION
    "Vapomet is a small desktop calculator of the properties of water and steam.
Type a pressure in MPa and a temperature in K, press Calculate, and read
saturated water and steam at the temperature and at the pressure, and the
single-phase state at both.
The package holds the desktop program vapomet, the command-line companion
vapomet-cli, and the static property library with its header and CMake
package for other programs.")
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# dpkg-shlibdeps finds the runtime packages of the programs' shared libraries (Qt, the C++
# library).
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Programs without their debugging sections; the static library keeps its symbols.
set(CPACK_STRIP_FILES ON)
include(CPack)
