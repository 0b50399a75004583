# cmake -DMSGFMT=... -DPO=<lang>.po -DMO=<out>.mo -P CompileCatalog.cmake
# msgfmt's checks, plus ours: a catalog ships complete, with no fuzzy or untranslated text.
get_filename_component(folder ${MO} DIRECTORY)
file(MAKE_DIRECTORY ${folder})
execute_process(COMMAND ${MSGFMT} -c --statistics -o ${MO} ${PO}
  RESULT_VARIABLE status ERROR_VARIABLE report)
string(STRIP "${report}" report)
if(NOT status EQUAL 0)
  file(REMOVE ${MO})
  message(FATAL_ERROR "${PO}: msgfmt failed:\n${report}")
endif()
if(report MATCHES "fuzzy|untranslated")
  file(REMOVE ${MO})
  message(FATAL_ERROR "${PO}: ${report}; translate them (and drop the fuzzy marks) before building")
endif()
message(STATUS "${PO}: ${report}")
