# Each library publishes only its own folder, under the folder's name: "convert/CConverter.h"
# resolves for a target only when it links tandrel_convert, so a layer cannot include from a
# layer it does not use, and the application folder, linked by nothing, stays the top floor.
function(tandrel_publish target folder)
  set(dir ${CMAKE_BINARY_DIR}/published/${folder})
  file(MAKE_DIRECTORY ${dir})
  file(CREATE_LINK ${CMAKE_SOURCE_DIR}/src/${folder} ${dir}/${folder} SYMBOLIC)
  get_target_property(kind ${target} TYPE)
  if(kind STREQUAL "INTERFACE_LIBRARY")
    target_include_directories(${target} INTERFACE ${dir})
  else()
    target_include_directories(${target} PUBLIC ${dir})
  endif()
endfunction()
