# Fails the configure step when a core source (outside a qt/ folder) includes a Qt header.
function(pyx_check_no_qt sources)
  foreach(src IN LISTS sources)
    file(STRINGS "${src}" hits REGEX "^[ \t]*#[ \t]*include[ \t]*[<\"](Q[A-Za-z]+|qt[a-z]*/)")
    if(hits)
      message(FATAL_ERROR "Qt header in core source ${src}: ${hits}")
    endif()
  endforeach()
endfunction()
