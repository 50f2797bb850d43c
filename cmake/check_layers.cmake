# Fails when a product file includes from a folder its own folder may not use.
# Usage: cmake -DSOURCE_DIR=<tree> -P check_layers.cmake
cmake_minimum_required(VERSION 3.25)
# The arrows, also in the README's layout table: each folder may include from
# itself and from the folders listed for it, nothing else.
set(uses_runtime "")
set(uses_core "runtime")
set(uses_automation "runtime")
set(uses_search "core;automation;runtime")
set(uses_ui "core;runtime;resources")
set(uses_app "ui;search;automation;core;runtime;resources")

set(violations "")
foreach(folder runtime core automation search ui app)
  file(GLOB sources ${SOURCE_DIR}/${folder}/*.h ${SOURCE_DIR}/${folder}/*.cpp)
  foreach(source IN LISTS sources)
    file(STRINGS ${source} includes REGEX "^#include \"[a-z_]+/")
    foreach(line IN LISTS includes)
      string(REGEX REPLACE "^#include \"([a-z_]+)/.*" "\\1" used "${line}")
      if(NOT used STREQUAL folder AND NOT used IN_LIST uses_${folder})
        file(RELATIVE_PATH name ${SOURCE_DIR} ${source})
        list(APPEND violations "${name}: ${line}")
      endif()
    endforeach()
  endforeach()
endforeach()

if(violations)
  list(JOIN violations "\n  " text)
  message(FATAL_ERROR "includes against the layering:\n  ${text}")
endif()
