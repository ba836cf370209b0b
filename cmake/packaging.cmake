# Manual pages, licence files and the Debian package: `cpack -G DEB` in a build folder packs
# what `cmake --install` installs into corvane_<version>_<arch>.deb.

# Manual pages and the changelog are installed compressed as Debian wants them: gzip -9
# without name or time stamp. corvane_gzip(SOURCE OUT) writes OUT.gz at build time.
find_program(GZIP_PROGRAM gzip REQUIRED)
set(compressed_docs)
function(corvane_gzip source out)
  add_custom_command(OUTPUT ${out}.gz
                     COMMAND ${CMAKE_COMMAND} -E copy ${source} ${out}
                     COMMAND ${GZIP_PROGRAM} -9nf ${out}
                     DEPENDS ${source} VERBATIM)
  set(compressed_docs ${compressed_docs} ${out}.gz PARENT_SCOPE)
endfunction()

set(man_sources man/corvane-cli.1)
if(CORVANE_BUILD_UI)
  list(APPEND man_sources man/corvane.1)
endif()
foreach(source IN LISTS man_sources)
  get_filename_component(page ${source} NAME)
  corvane_gzip(${CMAKE_CURRENT_SOURCE_DIR}/${source} ${CMAKE_CURRENT_BINARY_DIR}/man/${page})
  install(FILES ${CMAKE_CURRENT_BINARY_DIR}/man/${page}.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endforeach()

set(CORVANE_PACKAGE_MAINTAINER "Corvane maintainers <maintainers@corvane.invalid>"
    CACHE STRING "Maintainer field of the Debian package and its changelog")

# Machine-readable copyright (DEP-5): the project licence, the credits for the data sources,
# and the full AGPL text taken from LICENSE, indented as the format wants (" ." for a blank line).
file(READ LICENSE AGPL_TEXT)
string(REGEX REPLACE "\n+$" "" AGPL_TEXT "${AGPL_TEXT}")
string(REPLACE "\n" "\n " AGPL_TEXT " ${AGPL_TEXT}")
string(REGEX REPLACE "\n \n" "\n .\n" AGPL_TEXT "${AGPL_TEXT}")
set(package_doc ${CMAKE_CURRENT_BINARY_DIR}/package-doc)
configure_file(packaging/copyright.in ${package_doc}/copyright @ONLY)
# The package's version has no Debian revision, so Debian takes it as native and wants its
# changelog as changelog.gz. The entry's date is SOURCE_DATE_EPOCH when that is set.
string(TIMESTAMP CHANGELOG_DATE "%a, %d %b %Y %H:%M:%S +0000" UTC)
configure_file(packaging/changelog.in ${package_doc}/changelog.in @ONLY)
corvane_gzip(${package_doc}/changelog.in ${package_doc}/changelog)
set(package_docdir ${CMAKE_INSTALL_DATAROOTDIR}/doc/corvane)
install(FILES ${package_doc}/copyright ${package_doc}/changelog.gz DESTINATION ${package_docdir})
# The JSON keys, where --help and the manual pages point.
install(FILES docs/json.md DESTINATION ${package_docdir})
if(TARGET corvane_python)
  install(FILES ${package_doc}/copyright ${package_doc}/changelog.gz
          DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/doc/python3-corvane COMPONENT python)
endif()
add_custom_target(corvane_docs ALL DEPENDS ${compressed_docs})

set(CPACK_PACKAGE_NAME corvane)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT ${CORVANE_PACKAGE_MAINTAINER})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Besides the libraries dpkg-shlibdeps finds: the Swiss Ephemeris data files that
# --engine swiss and the Options' precise engine read, and the fonts the windows ask for after
# Verdana and Courier New (ui/window_fonts.cpp), which the printed reading embeds as well.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "swe-standard-data, fonts-dejavu-core")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-liberation2")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Vedic special lagnas from birth details
Corvane computes a sidereal chart from a person's date, time and place of
birth: the planets, Rahu and Ketu, the ascendant, sunrise and sunset, and
thirteen special lagnas such as the Arudha, Hora, Ghati, Indu and Upapada
lagnas. It draws them in a square chart of the signs and explains each lagna
on its own page.

The package holds the Qt desktop program corvane and the command line
corvane-cli, which prints the chart as a report or as JSON and computes CSV
files of births.")
# The Python package goes into a second Debian package, python3-corvane: the desktop program
# and the command line need neither python3 nor pandas, and Debian names a package of Python
# modules python3-NAME. It needs the main package for the place file and the same version of
# it; Dask is only recommended, for corvane.dask.
if(TARGET corvane_python)
  math(EXPR next_minor "${Python3_VERSION_MINOR} + 1")
  set(CPACK_DEB_COMPONENT_INSTALL ON)
  set(CPACK_COMPONENTS_ALL Unspecified python)
  set(CPACK_DEBIAN_UNSPECIFIED_PACKAGE_NAME corvane)
  set(CPACK_DEBIAN_PYTHON_PACKAGE_NAME python3-corvane)
  set(CPACK_DEBIAN_PYTHON_PACKAGE_SECTION python)
  set(CPACK_DEBIAN_PYTHON_PACKAGE_DEPENDS
      "corvane (= ${PROJECT_VERSION}), python3 (>= ${Python3_VERSION_MAJOR}.${Python3_VERSION_MINOR}), python3 (<< ${Python3_VERSION_MAJOR}.${next_minor}), python3-numpy, python3-pandas")
  set(CPACK_DEBIAN_PYTHON_PACKAGE_RECOMMENDS "python3-dask, python3-distributed")
  set(CPACK_COMPONENT_PYTHON_DESCRIPTION
      "Vedic special lagnas from birth details - Python package
The Python 3 package corvane calculates the charts of the program Corvane
from Python: one chart as a dict, the same as the command line's JSON, or
many charts at once as a pandas DataFrame on all cores, and the charts of a
Dask DataFrame on a cluster (with python3-dask and python3-distributed).")
  set(CPACK_COMPONENT_UNSPECIFIED_DESCRIPTION "${CPACK_DEBIAN_PACKAGE_DESCRIPTION}")
  # Byte-compiled at installation and cleaned at removal, as Debian's Python packages are
  # (py3compile and py3clean), so that a purge leaves no __pycache__ behind.
  set(CPACK_DEBIAN_PYTHON_PACKAGE_CONTROL_EXTRA
      ${CMAKE_CURRENT_SOURCE_DIR}/packaging/python3-corvane/postinst
      ${CMAKE_CURRENT_SOURCE_DIR}/packaging/python3-corvane/prerm)
endif()
include(CPack)
