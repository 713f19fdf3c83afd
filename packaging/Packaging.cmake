# The Debian package (make package): what goes into it besides the two programs, and its control data.
# Included from the top-level CMakeLists.txt after src/, so the install rules of the programs exist.
include(GNUInstallDirs)

set(TELMO_PACKAGE_MAINTAINER "Telmo maintainers <maintainers@telmo.example.org>"
    CACHE STRING "Maintainer field of the Debian package")
set(TELMO_APPSTREAM_ID "org.telmo.Telmo")
set(TELMO_DOC_DIR ${CMAKE_INSTALL_DATADIR}/doc/telmo)

# The release date in the changelog's form, "Wed, 09 Dec 2026 00:00:00 +0000" (Sakamoto's weekday rule).
string(REGEX MATCH "^([0-9]+)-([0-9]+)-([0-9]+)$" _date "${TELMO_RELEASE_DATE}")
if(NOT _date)
  message(FATAL_ERROR "TELMO_RELEASE_DATE must be YYYY-MM-DD, not '${TELMO_RELEASE_DATE}'")
endif()
math(EXPR _y "${CMAKE_MATCH_1}")
math(EXPR _m "${CMAKE_MATCH_2}")
math(EXPR _d "${CMAKE_MATCH_3}")
set(_offsets 0 3 2 5 0 3 5 1 4 6 2 4)
math(EXPR _mi "${_m} - 1")
list(GET _offsets ${_mi} _offset)
if(_m LESS 3)
  math(EXPR _y "${_y} - 1")
endif()
math(EXPR _wd "(${_y} + ${_y} / 4 - ${_y} / 100 + ${_y} / 400 + ${_offset} + ${_d}) % 7")
set(_days Sun Mon Tue Wed Thu Fri Sat)
set(_months Jan Feb Mar Apr May Jun Jul Aug Sep Oct Nov Dec)
list(GET _days ${_wd} _day)
list(GET _months ${_mi} _month)
set(TELMO_RELEASE_DATE_RFC2822 "${_day}, ${CMAKE_MATCH_3} ${_month} ${CMAKE_MATCH_1} 00:00:00 +0000")

set(_gen ${PROJECT_BINARY_DIR}/packaging)
configure_file(${CMAKE_CURRENT_LIST_DIR}/telmo.metainfo.xml.in ${_gen}/${TELMO_APPSTREAM_ID}.metainfo.xml @ONLY)
configure_file(${CMAKE_CURRENT_LIST_DIR}/changelog.in ${_gen}/changelog @ONLY)
configure_file(${CMAKE_CURRENT_LIST_DIR}/telmo.1.in ${_gen}/telmo.1 @ONLY)

# Manual pages and the changelog go in gzip-compressed, without a time stamp, as Debian wants them.
find_program(GZIP_PROGRAM gzip REQUIRED)
set(_compressed)
foreach(_file telmo.1 changelog)
  add_custom_command(OUTPUT ${_gen}/${_file}.gz
                     COMMAND ${GZIP_PROGRAM} -9nf -k ${_gen}/${_file}
                     DEPENDS ${_gen}/${_file} VERBATIM)
  list(APPEND _compressed ${_gen}/${_file}.gz)
endforeach()
if(TARGET telmo-manpage)
  add_custom_command(OUTPUT ${_gen}/telmo-cli.1 ${_gen}/telmo-cli.1.gz
                     COMMAND telmo-manpage ${_gen}/telmo-cli.1
                     COMMAND ${GZIP_PROGRAM} -9nf -k ${_gen}/telmo-cli.1
                     DEPENDS telmo-manpage VERBATIM)
  list(APPEND _compressed ${_gen}/telmo-cli.1.gz)
  install(FILES ${_gen}/telmo-cli.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endif()
add_custom_target(telmo_package_files ALL DEPENDS ${_compressed})

if(TARGET telmo)
  install(FILES ${_gen}/telmo.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
  install(FILES ${_gen}/${TELMO_APPSTREAM_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
endif()
install(FILES ${_gen}/changelog.gz ${CMAKE_CURRENT_LIST_DIR}/copyright DESTINATION ${TELMO_DOC_DIR})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME telmo)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT ${TELMO_PACKAGE_MAINTAINER})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "form-filling assistant: keyboard-and-mouse scripts, text clean-up")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Telmo pours many lines of data into the forms of other programs: a small\n\
script (copy the next data line, paste, press Tab, click here, wait) is\n\
replayed as real keyboard and mouse input, pass after pass. Beside the\n\
scripts stands a text workbench with nineteen clean-up operations, common\n\
regular expressions with replace-all, and UTF-8 and GBK text files.\n\
.\n\
The package holds the window (telmo) and the command line (telmo-cli).")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Loaded at run time, which dpkg-shlibdeps cannot see: the CJK font the window asks for and xdg-open
# for documents and addresses. The traditional/simplified tables are compiled in, so the
# dictionaries they are made from are needed at build time only.
set(_runtime "fonts-noto-cjk | fonts-wqy-microhei" "xdg-utils")
list(JOIN _runtime ", " CPACK_DEBIAN_PACKAGE_DEPENDS)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(CPACK_STRIP_FILES ON)
include(CPack)
