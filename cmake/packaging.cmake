# SPDX-License-Identifier: MIT
# The Debian package: `cpack -G DEB` in a build folder (scripts/package.sh).
# Its dependencies come from dpkg-shlibdeps, so they follow the libraries the
# programs were really linked with.

set(CPACK_PACKAGE_NAME fernplot)
set(CPACK_PACKAGE_VENDOR "FERNPLOT developers")
set(CPACK_PACKAGE_CONTACT "FERNPLOT developers <fernplot@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "viewer for frequency response analyser sweep files")
string(CONCAT CPACK_PACKAGE_DESCRIPTION
       "FERNPLOT shows the .DAT sweep files of a frequency response analyser as\n"
       "pages with a Bode plot (gain in dB and phase in degrees against a\n"
       "logarithmic or linear frequency axis) and the sweep settings as text.\n"
       "Pages can be zoomed, read with a cross-hair, printed at true size,\n"
       "copied to the clipboard and saved as CSV. The headless fernplot-export\n"
       "writes the same pages as PNG, SVG or PDF, and the data as CSV or JSON.")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# A packaging revision: the package is not built by Debian's own tools from
# this tree, so it is not a native package.
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://example.org/fernplot")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The fonts the pages are measured and drawn with, and the platform plugins
# that dpkg-shlibdeps cannot see (Qt loads them at run time).
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-ipafont-gothic, qt6-qpa-plugins")
# The Python module's arrays are numpy's; the programs need neither.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n, python3-numpy")
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)

# Debian wants a copyright file and a changelog in the package's doc folder.
set(doc_dir ${CMAKE_INSTALL_DATADIR}/doc/${CPACK_PACKAGE_NAME})
set(changelog ${CMAKE_CURRENT_BINARY_DIR}/packaging/changelog.Debian)
# SOURCE_DATE_EPOCH, when set, fixes this date.
string(TIMESTAMP changelog_date "%a, %d %b %Y %H:%M:%S +0000" UTC)
file(WRITE ${changelog}
     "fernplot (${PROJECT_VERSION}-${CPACK_DEBIAN_PACKAGE_RELEASE}) stable; urgency=low\n\n"
     "  * Release ${PROJECT_VERSION}.\n\n"
     " -- ${CPACK_PACKAGE_CONTACT}  ${changelog_date}\n")
add_custom_command(
  OUTPUT ${changelog}.gz
  COMMAND ${GZIP_PROGRAM} -9nf -k ${changelog}
  DEPENDS ${changelog})
add_custom_target(fernplot_changelog ALL DEPENDS ${changelog}.gz)
file(READ ${PROJECT_SOURCE_DIR}/LICENSE license_text)
file(WRITE ${CMAKE_CURRENT_BINARY_DIR}/packaging/copyright
     "Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/\n"
     "Upstream-Name: fernplot\n\n"
     "Files: *\nCopyright: FERNPLOT developers\nLicense: MIT\n\n"
     "License: MIT\n")
string(REGEX REPLACE "\n\n" "\n.\n" license_text "${license_text}")
string(REGEX REPLACE "\n([^\n])" "\n \\1" license_text "${license_text}")
file(APPEND ${CMAKE_CURRENT_BINARY_DIR}/packaging/copyright " ${license_text}")
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/packaging/copyright DESTINATION ${doc_dir})
install(FILES ${changelog}.gz DESTINATION ${doc_dir} RENAME changelog.Debian.gz)

include(CPack)
