# The Debian package: where each part of the program is installed, and CPack's description of it.
set(HOMEWORK_INSTALL_DIR lib/homework-tracker)
set(HOMEWORK_FILES_DIR share/homework-tracker/program)
set(packaging_folder ${CMAKE_BINARY_DIR}/package)
set(package_resources ${CMAKE_SOURCE_DIR}/resources/package)
file(MAKE_DIRECTORY ${packaging_folder})
# The maintainer also signs the changelog.
set(CPACK_PACKAGE_CONTACT "Homework tracker developers <homework-tracker@example.org>")

# An installed program knows itself by its prepared files found at this place beside it.
file(RELATIVE_PATH HOMEWORK_INSTALLED_FILES_FROM_EXECUTABLE /${HOMEWORK_INSTALL_DIR} /${HOMEWORK_FILES_DIR})
target_compile_definitions(homework-tracker PRIVATE
  INSTALLED_FILES_FROM_EXECUTABLE="${HOMEWORK_INSTALLED_FILES_FROM_EXECUTABLE}")

set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
  OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(office_engine_file homework-office.so)
include(${CMAKE_CURRENT_LIST_DIR}/Hardening.cmake)
homework_harden(homework_core homework_gui homework-tracker homework_office_module)
install(TARGETS homework-tracker homework_office_module
  RUNTIME DESTINATION ${HOMEWORK_INSTALL_DIR} LIBRARY DESTINATION ${HOMEWORK_INSTALL_DIR})
# Stripped as dh_strip does: the compiler's .comment goes with the symbols.
install(CODE "
  if(CMAKE_INSTALL_DO_STRIP)
    foreach(binary homework-tracker ${office_engine_file})
      execute_process(COMMAND ${CMAKE_OBJCOPY} --remove-section=.comment
        \$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${HOMEWORK_INSTALL_DIR}/\${binary}
        COMMAND_ERROR_IS_FATAL ANY)
    endforeach()
  endif()")
file(CREATE_LINK ../${HOMEWORK_INSTALL_DIR}/homework-tracker ${packaging_folder}/homework-tracker SYMBOLIC)
install(FILES ${packaging_folder}/homework-tracker DESTINATION bin)
# The program finds its scan sounds beside itself.
install(FILES ${SCAN_SOUND_FILES} DESTINATION ${HOMEWORK_INSTALL_DIR}/sounds)

# The prepared workbooks and templates, as program_files lays them out.
foreach(file IN LISTS PREPARED_FILES)
  file(RELATIVE_PATH relative ${PROGRAM_FOLDER} ${file})
  get_filename_component(folder "${relative}" DIRECTORY)
  install(FILES ${file} DESTINATION "${HOMEWORK_FILES_DIR}/${folder}")
endforeach()
install(DIRECTORY DESTINATION ${HOMEWORK_FILES_DIR}/文本生成/未完作业汇总)

find_program(GZIP gzip REQUIRED)
string(TIMESTAMP release_date "%a, %d %b %Y %H:%M:%S +0000" UTC)
configure_file(${package_resources}/changelog.in ${packaging_folder}/changelog @ONLY)
# The office engine loads LibreOffice's UNO libraries from LibreOffice's own folder.
configure_file(${package_resources}/lintian-overrides.in ${packaging_folder}/lintian-overrides @ONLY)
# Debian wants these compressed reproducibly: no name, no time stamp.
function(homework_compress source output)
  add_custom_command(OUTPUT ${output} COMMAND ${GZIP} -9nc ${source} > ${output} DEPENDS ${source} VERBATIM)
endfunction()
homework_compress(${packaging_folder}/changelog ${packaging_folder}/changelog.gz)
homework_compress(${package_resources}/homework-tracker.1 ${packaging_folder}/homework-tracker.1.gz)
add_custom_target(package_extras ALL DEPENDS ${packaging_folder}/changelog.gz ${packaging_folder}/homework-tracker.1.gz)

install(FILES ${package_resources}/homework-tracker.desktop DESTINATION share/applications)
install(FILES ${package_resources}/homework-tracker.svg DESTINATION share/icons/hicolor/scalable/apps)
# The program's own 256 px icon (src/ui), drawn when the program is built.
install(FILES ${HOMEWORK_ICON_PNG} DESTINATION share/icons/hicolor/256x256/apps RENAME homework-tracker.png)
install(FILES ${package_resources}/io.github.homework_tracker.HomeworkTracker.metainfo.xml DESTINATION share/metainfo)
install(FILES ${packaging_folder}/homework-tracker.1.gz DESTINATION share/man/man1)
install(FILES ${package_resources}/copyright ${packaging_folder}/changelog.gz
  DESTINATION share/doc/homework-tracker)
install(FILES ${packaging_folder}/lintian-overrides DESTINATION share/lintian/overrides
  RENAME homework-tracker)

# What package.sh builds before cpack, so that a release build leaves the tests and benchmarks out.
add_custom_target(package_contents DEPENDS homework-tracker homework_office_module program_files scan_sounds package_extras)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME homework-tracker)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "homework tracker for primary-school teachers")
set(CPACK_PACKAGE_DESCRIPTION [[
The teacher publishes the day's homework for each exercise book, then scans
the barcode on each pupil's book as it is handed in: the pupil is marked and
the pupils still missing that book are listed. From the same records the
program lists each pupil's unfinished homework, fills workbooks with a message
to parents, prints summaries and analyses class tests.
The windows are in Chinese.]])
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# Without LibreOffice the program still starts and scans; only exports and imports need it.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "libreoffice-calc, libreoffice-writer")
# Depends are computed from the executable alone (cmake/DebianDepends.cmake), never from the
# office engine: its UNO libraries would otherwise make LibreOffice a dependency.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS OFF)
set(CPACK_PROJECT_CONFIG_FILE ${packaging_folder}/cpack-project.cmake)
file(GENERATE OUTPUT ${CPACK_PROJECT_CONFIG_FILE} CONTENT
  "set(HOMEWORK_EXECUTABLE \"$<TARGET_FILE:homework-tracker>\")
set(HOMEWORK_SHLIBDEPS_FOLDER \"${packaging_folder}/shlibdeps\")
include(\"${CMAKE_SOURCE_DIR}/cmake/DebianDepends.cmake\")\n")
include(CPack)
