# cmake -DSRC=<src folder> -DWORK=<scratch folder> -P CheckLayersPlanted.cmake
# The include check must catch what it is for: on a copy of the sources with one wrong
# include planted at a time (a lower folder including a higher one, a Qt header in the core,
# a system header outside base/) it has to fail and name the file.
cmake_minimum_required(VERSION 3.24)
set(checker ${CMAKE_CURRENT_LIST_DIR}/CheckLayers.cmake)

function(expect_caught file line expected)
  file(REMOVE_RECURSE "${WORK}")
  file(COPY "${SRC}/" DESTINATION "${WORK}")
  file(READ "${WORK}/${file}" text)
  file(WRITE "${WORK}/${file}" "${line}\n${text}")
  execute_process(COMMAND ${CMAKE_COMMAND} -DSRC=${WORK} -P ${checker} RESULT_VARIABLE status
                  OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(status EQUAL 0)
    message(FATAL_ERROR "the include check passed with `${line}` planted in ${file}")
  endif()
  string(FIND "${err}" "${expected}" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "the include check failed without naming `${expected}`:\n${err}")
  endif()
  message(STATUS "caught: ${file}: ${line}")
endfunction()

expect_caught(base/utf8.h "#include \"data/model.h\"" "base/utf8.h: includes data/model.h")
expect_caught(data/model.h "#include \"platform/canvas.h\"" "data/model.h: includes platform/canvas.h")
expect_caught(curves/marks.h "#include \"analysis/breakpoint_fit.h\"" "curves/marks.h: includes analysis/")
expect_caught(reports/report_build.h "#include \"mainwin/main_window.h\"" "reports/report_build.h: includes mainwin/")
expect_caught(platform/qt/tool_icons.cpp "#include \"mainwin/main_window.h\"" "platform/qt/tool_icons.cpp: includes mainwin/")
expect_caught(eval/evaluation.cpp "#include <QString>" "eval/evaluation.cpp: includes the Qt header QString")
expect_caught(data/settings.cpp "#include <unistd.h>" "data/settings.cpp: includes the system header unistd.h")
file(REMOVE_RECURSE "${WORK}")
