# Installing and packaging. The program finds its "data" folder next to its
# executable (through /proc/self/exe, which resolves links), so the executables and
# the folder go to lib/quorvane/ and bin/ holds links to them.
include(GNUInstallDirs)
set(QUORVANE_APP_ID org.quorvane.Quorvane)
# lib/, not the multiarch folder: the folder is the program's own.
set(app_dir lib/quorvane)
set(linux_dir ${PROJECT_SOURCE_DIR}/resources/linux)

install(TARGETS quorvane quorvane-cli quorvane-datakit RUNTIME DESTINATION ${app_dir})
install(DIRECTORY ${QUORVANE_DATA_FOLDER} DESTINATION ${app_dir})
foreach(program IN ITEMS quorvane quorvane-cli quorvane-datakit)
  install(CODE "
    set(bin \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}\")
    file(MAKE_DIRECTORY \"\${bin}\")
    file(CREATE_LINK ../${app_dir}/${program} \"\${bin}/${program}\" SYMBOLIC)
    message(STATUS \"Installing link: \${bin}/${program}\")")
endforeach()

install(FILES ${linux_dir}/${QUORVANE_APP_ID}.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${linux_dir}/${QUORVANE_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(DIRECTORY ${linux_dir}/icons DESTINATION ${CMAKE_INSTALL_DATADIR})

# The command-line programs' manual pages are written from their own --help texts.
set(man_dir ${CMAKE_BINARY_DIR}/man)
set(man_pages ${man_dir}/quorvane.1.gz)
add_custom_command(
  OUTPUT ${man_dir}/quorvane.1.gz
  COMMAND ${CMAKE_COMMAND} -E make_directory ${man_dir}
  COMMAND ${CMAKE_COMMAND} -E copy ${linux_dir}/quorvane.1 ${man_dir}/quorvane.1
  COMMAND gzip -9nf ${man_dir}/quorvane.1
  DEPENDS ${linux_dir}/quorvane.1)
foreach(program IN ITEMS quorvane-cli quorvane-datakit)
  if(program STREQUAL "quorvane-cli")
    set(summary "command-line tool of the solar irradiance database viewer Quorvane")
  else()
    set(summary "generator of sample databases for Quorvane")
  endif()
  add_custom_command(
    OUTPUT ${man_dir}/${program}.1.gz
    COMMAND ${CMAKE_COMMAND} -E make_directory ${man_dir}
    COMMAND ${CMAKE_COMMAND} -DPROGRAM=$<TARGET_FILE:${program}> "-DSUMMARY=${summary}"
            -DOUT=${man_dir}/${program}.1 -DVERSION=${PROJECT_VERSION}
            -P ${PROJECT_SOURCE_DIR}/cmake/ManPage.cmake
    DEPENDS ${program} ${PROJECT_SOURCE_DIR}/cmake/ManPage.cmake
    COMMENT "Writing the manual page of ${program}")
  list(APPEND man_pages ${man_dir}/${program}.1.gz)
endforeach()
add_custom_target(quorvane_man_pages ALL DEPENDS ${man_pages})
install(FILES ${man_pages} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

# Debian wants a copyright file and a compressed changelog in the package's doc folder
# (a package of our own, so "changelog", not "changelog.Debian").
set(doc_dir ${CMAKE_INSTALL_DATADIR}/doc/quorvane)
set(changelog ${CMAKE_BINARY_DIR}/debian/changelog)
file(WRITE ${changelog}
     "quorvane (${PROJECT_VERSION}) stable; urgency=medium\n\n"
     "  * First release.\n\n"
     " -- The Quorvane developers <developers@quorvane.org>  Tue, 08 Dec 2026 00:00:00 +0000\n")
add_custom_command(
  OUTPUT ${changelog}.gz
  COMMAND gzip -9nkf ${changelog}
  DEPENDS ${changelog}
  COMMENT "Compressing the package changelog")
add_custom_target(quorvane_changelog ALL DEPENDS ${changelog}.gz)
install(FILES ${linux_dir}/copyright ${changelog}.gz DESTINATION ${doc_dir})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME quorvane)
set(CPACK_PACKAGE_VENDOR "The Quorvane developers")
set(CPACK_PACKAGE_CONTACT "The Quorvane developers <developers@quorvane.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "viewer for Japanese solar irradiance databases")
# CPack puts the summary first and indents these lines.
set(CPACK_PACKAGE_DESCRIPTION
    "Quorvane browses the hourly standard-year database HORIX-11 and the monthly
database KALVERA-11 of solar irradiance at Japanese sites and a set of
irradiance colour maps: graphs, irradiation on tilted planes, day rankings,
printing, and export to CSV, EnergyPlus, SAM and TMY3 files. The package
holds the program, its command-line tool, the maps and tables it reads, and
a generator of sample databases.")
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://quorvane.org/)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "fonts-ipafont-gothic, fonts-ipafont-mincho, qt6-translations-l10n")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "r-cran-mapdata")
# The executables are built with debug information; the package carries them stripped.
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
