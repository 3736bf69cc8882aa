# The DLLs the Windows programs load, copied beside them (CMAKE_RUNTIME_OUTPUT_DIRECTORY) so
# that they run in place under Wine: the MinGW runtime, zlib and libzip. Qt's are gathered by
# scripts/windows/package.sh.
set(PYX_WINDOWS_DLLS)
foreach(dll libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll zlib1.dll)
  execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${dll}
                  OUTPUT_VARIABLE path OUTPUT_STRIP_TRAILING_WHITESPACE)
  if(NOT IS_ABSOLUTE "${path}" OR NOT EXISTS "${path}")
    message(FATAL_ERROR "The MinGW runtime has no ${dll}")
  endif()
  list(APPEND PYX_WINDOWS_DLLS "${path}")
endforeach()
foreach(config RELEASE RELWITHDEBINFO NOCONFIG)
  get_target_property(path libzip::zip IMPORTED_LOCATION_${config})
  if(path)
    list(APPEND PYX_WINDOWS_DLLS "${path}")
    break()
  endif()
endforeach()
file(COPY ${PYX_WINDOWS_DLLS} DESTINATION ${CMAKE_RUNTIME_OUTPUT_DIRECTORY})
