# The code's layers: each folder of src/ is one library, pelikar_<folder>, that may
# use only the layers it names, and those layers' own (common, then encoding, then
# numbers, calendar and the Unicode bridge beside each other; host and util; input,
# dialogs, control, control/com). A library's
# include root is a view of its own: a directory holding a link to its folder alone,
# so that it reaches the headers of its folder and, through the libraries it links,
# of the layers below, and a header of a layer above does not compile.
#   pelikar_layer(FOLDER SOURCES source... [USES layer...])
function(pelikar_layer folder)
  cmake_parse_arguments(PARSE_ARGV 1 layer "" "" "SOURCES;USES")
  set(target pelikar_${folder})
  add_library(${target} STATIC ${layer_SOURCES})
  set(view ${PROJECT_BINARY_DIR}/layers/${folder})
  file(MAKE_DIRECTORY ${view})
  file(CREATE_LINK ${CMAKE_CURRENT_SOURCE_DIR} ${view}/${folder} SYMBOLIC)
  target_include_directories(${target} PUBLIC ${view})
  foreach(used IN LISTS layer_USES)
    target_link_libraries(${target} PUBLIC pelikar_${used})
  endforeach()
endfunction()
