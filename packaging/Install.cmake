# SPDX-License-Identifier: GPL-3.0-or-later
# What `cmake --install` puts under the prefix besides the two programs (their rules are in cli/
# and ui/), and the Debian package CPack makes of it. Nothing that only tests or benchmarks use
# is installed.

set(ORVELLE_PACKAGING_DIR ${PROJECT_SOURCE_DIR}/packaging)

# A manual page, compressed as Debian keeps them (gzip -9n: no name or time stamp inside).
find_program(GZIP_EXECUTABLE gzip REQUIRED)
function(orvelle_gzipped_file source output target)
    configure_file(${source} ${output} @ONLY)
    add_custom_command(OUTPUT ${output}.gz
        COMMAND ${GZIP_EXECUTABLE} -9nkf ${output}
        DEPENDS ${output}
        COMMENT "Compressing ${target}")
    add_custom_target(${target} ALL DEPENDS ${output}.gz)
endfunction()

if(TARGET orvelle-cli)
    set(ORVELLE_MAN_PAGE ${PROJECT_BINARY_DIR}/packaging/orvelle-cli.1)
    orvelle_gzipped_file(${ORVELLE_PACKAGING_DIR}/orvelle-cli.1.in ${ORVELLE_MAN_PAGE} orvelle_man_page)
    install(FILES ${ORVELLE_MAN_PAGE}.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
    # bash-completion loads it on demand, by the command's name.
    install(FILES ${ORVELLE_PACKAGING_DIR}/orvelle-cli.bash-completion
        DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions RENAME orvelle-cli)
endif()

if(TARGET orvelle)
    orvelle_gzipped_file(${ORVELLE_PACKAGING_DIR}/orvelle.1.in ${PROJECT_BINARY_DIR}/packaging/orvelle.1
        orvelle_window_man_page)
    install(FILES ${PROJECT_BINARY_DIR}/packaging/orvelle.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
    # The menu entry, the scalable icon beside the drawn sizes (ui/), and the software centres' data.
    install(FILES ${ORVELLE_PACKAGING_DIR}/orvelle.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
    install(FILES ${ORVELLE_PACKAGING_DIR}/orvelle.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
    install(FILES ${ORVELLE_PACKAGING_DIR}/io.github.orvelle.orvelle.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
endif()

# Debian's package documents: the licence in machine-readable form and the changelog (a native
# package's changelog.gz).
set(ORVELLE_DOC_DIR ${CMAKE_INSTALL_DATADIR}/doc/orvelle)
install(FILES ${ORVELLE_PACKAGING_DIR}/copyright DESTINATION ${ORVELLE_DOC_DIR})
orvelle_gzipped_file(${ORVELLE_PACKAGING_DIR}/changelog.in ${PROJECT_BINARY_DIR}/packaging/changelog
    orvelle_changelog)
install(FILES ${PROJECT_BINARY_DIR}/packaging/changelog.gz DESTINATION ${ORVELLE_DOC_DIR})

# The user guide is installed with the window (ui/), where the help menu looks for it.

# The Debian package: orvelle_VERSION_ARCH.deb in the build folder, for /usr, its dependencies
# read from the libraries the programs link (dpkg-shlibdeps).
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME orvelle)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "Orvelle developers <orvelle@users.noreply.github.com>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "batch downloader for the photo albums of Chinese sites")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Orvelle lists the photo albums of an account, a forum or a shop on Chinese\n"
    "photo, blog, micro-blog, forum and shop sites (Qzone, Baidu, NetEase, Renren,\n"
    "Sina, Taobao and more), shows them in a grid and downloads the pictures of\n"
    "the chosen albums into save folder / owner / album, named by per-site rules.\n"
    "\n"
    "The package holds the Qt window (orvelle) and the command line (orvelle-cli).")
string(JOIN "" CPACK_DEBIAN_PACKAGE_DESCRIPTION ${CPACK_DEBIAN_PACKAGE_DESCRIPTION})
set(CPACK_DEBIAN_PACKAGE_SECTION net)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Loaded at run time, so dpkg-shlibdeps cannot see them: WebP covers, Chinese text, opening folders.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-image-formats-plugins, fonts-noto-cjk, xdg-utils")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
include(CPack)
