# The DLLs the Windows programs load, copied beside them (CMAKE_RUNTIME_OUTPUT_DIRECTORY) so
# that they run in place under Wine: the MinGW runtime, zlib, libzip and libxlsxwriter. Qt's are
# gathered by scripts/windows/package.sh.
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
# libxlsxwriter's DLL sits in the bin folder beside the lib folder of its import library.
get_filename_component(xlsxwriter_prefix "${PYX_XLSXWRITER_LIBRARY}" DIRECTORY)
if(NOT EXISTS "${xlsxwriter_prefix}/../bin/libxlsxwriter.dll")
  message(FATAL_ERROR "No libxlsxwriter.dll beside ${PYX_XLSXWRITER_LIBRARY}")
endif()
list(APPEND PYX_WINDOWS_DLLS "${xlsxwriter_prefix}/../bin/libxlsxwriter.dll")
file(COPY ${PYX_WINDOWS_DLLS} DESTINATION ${CMAKE_RUNTIME_OUTPUT_DIRECTORY})
