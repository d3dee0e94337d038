# The Debian package: where each part of the program is installed, and CPack's description of it.
set(HOMEWORK_INSTALL_DIR lib/homework-tracker)
set(HOMEWORK_FILES_DIR share/homework-tracker/program)

# An installed program knows itself by its prepared files found at this place beside it.
file(RELATIVE_PATH HOMEWORK_INSTALLED_FILES_FROM_EXECUTABLE /${HOMEWORK_INSTALL_DIR} /${HOMEWORK_FILES_DIR})
target_compile_definitions(homework-tracker PRIVATE
  INSTALLED_FILES_FROM_EXECUTABLE="${HOMEWORK_INSTALLED_FILES_FROM_EXECUTABLE}")
