# The sonames of the shared libraries a pkg-config module set links, read from the libraries themselves: for
# code that opens them at run time instead of linking them, and for the package's dependencies, which
# dpkg-shlibdeps cannot find without NEEDED entries. Every name is recorded in the global property
# QM_OPENED_SONAMES for the packaging.
function(qm_sonames out prefix)
  set(names)
  foreach(lib ${${prefix}_LINK_LIBRARIES})
    execute_process(COMMAND ${CMAKE_OBJDUMP} -p ${lib} OUTPUT_VARIABLE dump ERROR_QUIET)
    if(dump MATCHES "SONAME +([^\n ]+)")
      list(APPEND names ${CMAKE_MATCH_1})
    endif()
  endforeach()
  list(LENGTH ${prefix}_LINK_LIBRARIES wanted)
  list(LENGTH names found)
  if(NOT found EQUAL wanted)
    message(FATAL_ERROR "cannot read the sonames of ${${prefix}_LINK_LIBRARIES}")
  endif()
  set_property(GLOBAL APPEND PROPERTY QM_OPENED_SONAMES ${names})
  set(${out} ${names} PARENT_SCOPE)
endfunction()
