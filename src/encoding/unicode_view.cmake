# Writes unicode_view.inc, the rows {Nivo character, Ir character} of codes 128-255
# that unicode_view.cpp includes, from unicode_view.tsv. Plain CMake at configure
# time, so the cross builds need no host tool; an edit of the table re-runs it.
#   pelikar_unicode_view_include(TSV OUTPUT)
function(pelikar_unicode_view_include tsv output)
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${tsv})
  file(STRINGS ${tsv} rows REGEX "^[^#]")
  set(expected 128)
  set(content "// Written by CMake from unicode_view.tsv: edit that file, not this one.\n")
  foreach(row IN LISTS rows)
    if(NOT row MATCHES "^([0-9]+)\t([0-9A-Fa-f]+)\t([0-9A-Fa-f]+)$")
      message(FATAL_ERROR "${tsv}: not a line of code, Nivo and Ir in hex: '${row}'")
    endif()
    # Rows are the array's entries in order, so a gap or a repeat would shift every
    # code after it.
    if(NOT CMAKE_MATCH_1 EQUAL expected)
      message(FATAL_ERROR "${tsv}: code ${expected} expected, found '${row}'")
    endif()
    string(APPEND content "{0x${CMAKE_MATCH_2}, 0x${CMAKE_MATCH_3}},  // ${CMAKE_MATCH_1}\n")
    math(EXPR expected "${expected} + 1")
  endforeach()
  if(NOT expected EQUAL 256)
    message(FATAL_ERROR "${tsv}: codes 128-255 expected, the table ends before ${expected}")
  endif()
  # Written only when it changes, so a re-configure rebuilds nothing.
  file(CONFIGURE OUTPUT ${output} CONTENT "${content}" @ONLY)
endfunction()
