# Lays the prepared workbooks and templates out in the program folder: the flat ODF sources here
# are converted to .xls and .doc by a headless soffice with a profile of the build's own.
set(program_sources ${CMAKE_SOURCE_DIR}/resources/program)
set(staging ${CMAKE_BINARY_DIR}/prepared-files)
set(build_profile "file://${CMAKE_BINARY_DIR}/office-build-profile")
set(export_folder ${PROGRAM_FOLDER}/校迅通导出文件)
set(template_folder ${PROGRAM_FOLDER}/文本模板)

set(workbooks complete-pupils unfinished-pupils class-names)
set(workbook_sources ${workbooks})
list(TRANSFORM workbook_sources PREPEND ${program_sources}/)
list(TRANSFORM workbook_sources APPEND .fods)

set(prepared_files
  ${export_folder}/全部完成学生名单.xls
  ${export_folder}/未完成作业学生名单.xls
  ${export_folder}/当天/当天全部完成学生名单.xls
  ${export_folder}/当天/当天未完成作业学生名单.xls
  ${PROGRAM_FOLDER}/班级姓名.xls
  ${PROGRAM_FOLDER}/班级姓名2.xls
  "${template_folder}/未完成作业汇总(不超30次)导出模板.doc"
  "${template_folder}/未完成作业汇总(超过30次)导出模板.doc")

set(template_generator ${program_sources}/summary-template.cmake)
add_custom_command(OUTPUT ${prepared_files}
  COMMAND ${CMAKE_COMMAND} -E rm -rf ${staging}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${staging}
  COMMAND ${CMAKE_COMMAND} -DOUTPUT=${staging}/short-summary.fodt -DTABLES=50 -DITEM_ROWS=15
          -DTABLES_PER_PAGE=2 -DROW_HEIGHT=6.8mm -P ${template_generator}
  COMMAND ${CMAKE_COMMAND} -DOUTPUT=${staging}/long-summary.fodt -DTABLES=50 -DITEM_ROWS=30
          -DTABLES_PER_PAGE=1 -DROW_HEIGHT=7.6mm -P ${template_generator}
  COMMAND ${OFFICE_SOFFICE} -env:UserInstallation=${build_profile} --headless --norestore
          --convert-to xls --outdir ${staging} ${workbook_sources}
  COMMAND ${OFFICE_SOFFICE} -env:UserInstallation=${build_profile} --headless --norestore
          --convert-to doc --outdir ${staging} ${staging}/short-summary.fodt ${staging}/long-summary.fodt
  COMMAND ${CMAKE_COMMAND} -E make_directory ${export_folder}/当天 ${template_folder}
  COMMAND ${CMAKE_COMMAND} -E copy ${staging}/complete-pupils.xls ${export_folder}/全部完成学生名单.xls
  COMMAND ${CMAKE_COMMAND} -E copy ${staging}/unfinished-pupils.xls ${export_folder}/未完成作业学生名单.xls
  COMMAND ${CMAKE_COMMAND} -E copy ${staging}/complete-pupils.xls ${export_folder}/当天/当天全部完成学生名单.xls
  COMMAND ${CMAKE_COMMAND} -E copy ${staging}/unfinished-pupils.xls ${export_folder}/当天/当天未完成作业学生名单.xls
  COMMAND ${CMAKE_COMMAND} -E copy ${staging}/class-names.xls ${PROGRAM_FOLDER}/班级姓名.xls
  COMMAND ${CMAKE_COMMAND} -E copy ${staging}/class-names.xls ${PROGRAM_FOLDER}/班级姓名2.xls
  COMMAND ${CMAKE_COMMAND} -E copy ${staging}/short-summary.doc
          "${template_folder}/未完成作业汇总(不超30次)导出模板.doc"
  COMMAND ${CMAKE_COMMAND} -E copy ${staging}/long-summary.doc
          "${template_folder}/未完成作业汇总(超过30次)导出模板.doc"
  DEPENDS ${workbook_sources} ${template_generator}
  COMMENT "Converting the prepared workbooks and templates"
  VERBATIM)
add_custom_target(program_files ALL DEPENDS ${prepared_files})
file(MAKE_DIRECTORY ${PROGRAM_FOLDER}/文本生成/未完作业汇总)
# The tests check that building the program alone lays these out.
set(PREPARED_FILES ${prepared_files} PARENT_SCOPE)
