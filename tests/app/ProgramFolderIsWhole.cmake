# Building what run.sh builds must lay the whole program folder out, or every export of the demo
# says a file is missing: each file must be made on the way to the program's own targets.
execute_process(COMMAND ${MAKE_PROGRAM} -C ${BUILD_FOLDER} -t commands homework-tracker make-demo-folder
                OUTPUT_VARIABLE commands RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "cannot list the build commands of the program")
endif()
foreach(file IN LISTS FILES)
  # Ninja names what it links relative to the build folder, what custom commands make in full.
  file(RELATIVE_PATH relative ${BUILD_FOLDER} ${file})
  string(FIND "${commands}" "${file}" at)
  string(FIND "${commands}" " ${relative}" relative_at)
  if(at EQUAL -1 AND relative_at EQUAL -1)
    message(SEND_ERROR "not made by building the program: ${file}")
  endif()
endforeach()
