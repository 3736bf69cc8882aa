# The folders of src/ bottom up, each with the folders it builds on directly; a folder may
# include its own files and those of every folder below it (the closure of this table), no
# other. ARCHITECTURE.md explains the order. A folder's qt/ subfolder is a layer of its own,
# the only place where Qt headers may be included; base/ is the only place for system headers.
set(PYX_LAYERS
    "base:"
    "platform:base"
    "data:base"
    "eval:data"
    "tables:eval platform"
    "curves:eval platform"
    "session:tables curves"
    "analysis:session"
    "reports:analysis"
    "dialogs:reports"
    "rawview:reports"
    "mainwin:dialogs rawview"
    "platform/qt:platform"
    "curves/qt:curves platform/qt"
    "rawview/qt:rawview platform/qt"
    "reports/qt:reports platform/qt"
    "analysis/qt:analysis platform/qt"
    "dialogs/qt:dialogs reports/qt"
    "mainwin/qt:mainwin curves/qt rawview/qt analysis/qt dialogs/qt"
    "cli:mainwin reports/qt")

# Sets <prefix>_NAMES to the layers in order and <prefix>_BELOW_<layer> (with "/" as "_") to
# every layer the layer may include, its own excluded.
function(pyx_read_layers prefix)
  set(names)
  foreach(entry IN LISTS PYX_LAYERS)
    string(REPLACE ":" ";" parts "${entry}")
    list(GET parts 0 name)
    list(LENGTH parts n)
    set(direct)
    if(n GREATER 1)
      list(GET parts 1 deps)
      string(REPLACE " " ";" direct "${deps}")
    endif()
    set(below)
    foreach(dep IN LISTS direct)
      if(NOT dep IN_LIST names)
        message(FATAL_ERROR "layer ${name} builds on ${dep}, which is not below it")
      endif()
      string(REPLACE "/" "_" key "${dep}")
      list(APPEND below ${dep} ${_below_${key}})
    endforeach()
    list(REMOVE_DUPLICATES below)
    string(REPLACE "/" "_" key "${name}")
    set(_below_${key} "${below}")
    set(${prefix}_BELOW_${key} "${below}" PARENT_SCOPE)
    set(${prefix}_DIRECT_${key} "${direct}" PARENT_SCOPE)
    list(APPEND names ${name})
  endforeach()
  set(${prefix}_NAMES "${names}" PARENT_SCOPE)
endfunction()

# The layer of a path relative to src/: "folder" or "folder/qt".
function(pyx_layer_of rel out)
  string(REGEX MATCH "^[^/]+/qt/" qt "${rel}")
  if(qt)
    string(REGEX REPLACE "/$" "" layer "${qt}")
  else()
    string(REGEX MATCH "^[^/]+" layer "${rel}")
  endif()
  set(${out} "${layer}" PARENT_SCOPE)
endfunction()
