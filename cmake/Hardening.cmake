# Debian's build flags for a C++ program (dpkg-buildflags with hardening=+all): stack protector,
# fortified functions, full RELRO with BIND_NOW, control-flow protection. Every build tree gets
# them, so the package the tests check is built as the released one; optimisation and debug
# information stay the build type's (package.sh builds Release). The sanitizer build checks more
# than the hardening does and goes without it.
function(homework_debian_flags kind output)
  execute_process(COMMAND ${CMAKE_COMMAND} -E env DEB_BUILD_MAINT_OPTIONS=hardening=+all
                          ${DPKG_BUILDFLAGS} --get ${kind}
    WORKING_DIRECTORY ${CMAKE_SOURCE_DIR}
    OUTPUT_VARIABLE flags OUTPUT_STRIP_TRAILING_WHITESPACE
    COMMAND_ERROR_IS_FATAL ANY)
  separate_arguments(flags UNIX_COMMAND "${flags}")
  list(FILTER flags EXCLUDE REGEX "^-(g|O.*)$")
  set(${output} ${flags} PARENT_SCOPE)
endfunction()

function(homework_harden)
  if(HOMEWORK_SANITIZE)
    return()
  endif()
  find_program(DPKG_BUILDFLAGS dpkg-buildflags REQUIRED)
  homework_debian_flags(CXXFLAGS compile_flags)
  homework_debian_flags(CPPFLAGS preprocessor_flags)
  homework_debian_flags(LDFLAGS link_flags)
  foreach(target IN LISTS ARGN)
    target_compile_options(${target} PRIVATE ${compile_flags}
      # The fortified functions exist only where the compiler optimises.
      "$<$<NOT:$<CONFIG:Debug>>:${preprocessor_flags}>")
    target_link_options(${target} PRIVATE ${link_flags})
  endforeach()
endfunction()
