# Locates the LibreOffice SDK and defines the target office_uno: its headers (generated once by
# cppumaker into the build tree), the UNO libraries and the definitions the SDK headers expect.
set(OFFICE_PROGRAM_DIR /usr/lib/libreoffice/program CACHE PATH "LibreOffice program folder")
set(OFFICE_SDK_DIR /usr/lib/libreoffice/sdk CACHE PATH "LibreOffice SDK folder")

find_path(OFFICE_SDK_INCLUDE_DIR sal/config.h
  HINTS ${OFFICE_SDK_DIR}/include /usr/include/libreoffice REQUIRED)
find_program(OFFICE_CPPUMAKER cppumaker HINTS ${OFFICE_SDK_DIR}/bin NO_DEFAULT_PATH REQUIRED)
find_program(OFFICE_SOFFICE soffice HINTS ${OFFICE_PROGRAM_DIR} REQUIRED)

set(OFFICE_TYPE_FILES ${OFFICE_PROGRAM_DIR}/types.rdb ${OFFICE_PROGRAM_DIR}/types/offapi.rdb)
set(OFFICE_GENERATED_INCLUDE_DIR ${CMAKE_BINARY_DIR}/office-uno-headers)
set(office_stamp ${OFFICE_GENERATED_INCLUDE_DIR}/generated.stamp)

add_custom_command(OUTPUT ${office_stamp}
  COMMAND ${CMAKE_COMMAND} -E rm -rf ${OFFICE_GENERATED_INCLUDE_DIR}
  COMMAND ${OFFICE_CPPUMAKER} -O${OFFICE_GENERATED_INCLUDE_DIR} ${OFFICE_TYPE_FILES}
  COMMAND ${CMAKE_COMMAND} -E touch ${office_stamp}
  DEPENDS ${OFFICE_TYPE_FILES}
  COMMENT "Generating UNO C++ headers"
  VERBATIM)
add_custom_target(office_uno_headers DEPENDS ${office_stamp})

foreach(lib uno_cppuhelpergcc3 uno_cppu uno_sal uno_salhelpergcc3)
  find_library(OFFICE_LIB_${lib} ${lib} HINTS ${OFFICE_SDK_DIR}/lib ${OFFICE_PROGRAM_DIR}
    NO_DEFAULT_PATH REQUIRED)
  list(APPEND office_libs ${OFFICE_LIB_${lib}})
endforeach()

add_library(office_uno INTERFACE)
add_dependencies(office_uno office_uno_headers)
target_include_directories(office_uno SYSTEM INTERFACE
  ${OFFICE_SDK_INCLUDE_DIR} ${OFFICE_GENERATED_INCLUDE_DIR})
target_compile_definitions(office_uno INTERFACE LINUX UNX CPPU_ENV=gcc3)
target_link_libraries(office_uno INTERFACE ${office_libs})
target_link_options(office_uno INTERFACE "LINKER:-rpath,${OFFICE_PROGRAM_DIR}")
