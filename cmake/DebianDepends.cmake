# Read by cpack. The Depends of the package are those of the executable alone: the office engine's
# UNO libraries must not make LibreOffice a dependency, as the program runs without it.
if(NOT CPACK_GENERATOR STREQUAL "DEB")
  return()
endif()
# dpkg-shlibdeps insists on a debian/control, though it reads nothing from it here.
file(MAKE_DIRECTORY ${HOMEWORK_SHLIBDEPS_FOLDER}/debian)
file(TOUCH ${HOMEWORK_SHLIBDEPS_FOLDER}/debian/control)
execute_process(COMMAND dpkg-shlibdeps -O ${HOMEWORK_EXECUTABLE}
  WORKING_DIRECTORY ${HOMEWORK_SHLIBDEPS_FOLDER}
  OUTPUT_VARIABLE shlibs OUTPUT_STRIP_TRAILING_WHITESPACE
  ERROR_VARIABLE shlibs_error
  RESULT_VARIABLE shlibs_result)
if(NOT shlibs_result EQUAL 0 OR NOT shlibs MATCHES "^shlibs:Depends=(.+)")
  message(FATAL_ERROR "dpkg-shlibdeps failed on ${HOMEWORK_EXECUTABLE}: ${shlibs_error}")
endif()
# The Chinese glyphs come from a font package and Qt's own texts in Chinese from its translations,
# which no library names.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "${CMAKE_MATCH_1}, fonts-noto-cjk, qt6-translations-l10n")
