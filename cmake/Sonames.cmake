# The sonames of shared libraries (given by their paths), read from the libraries themselves: for
# code that opens them at run time instead of linking them, and for the package's dependencies, which
# dpkg-shlibdeps cannot find without NEEDED entries. Every name is recorded in the global property
# QM_OPENED_SONAMES for the packaging.
function(qm_sonames out)
  set(names)
  foreach(lib ${ARGN})
    execute_process(COMMAND ${CMAKE_OBJDUMP} -p ${lib} OUTPUT_VARIABLE dump ERROR_QUIET)
    if(dump MATCHES "SONAME +([^\n ]+)")
      list(APPEND names ${CMAKE_MATCH_1})
    endif()
  endforeach()
  list(LENGTH ARGN wanted)
  list(LENGTH names found)
  if(NOT found EQUAL wanted)
    message(FATAL_ERROR "cannot read the sonames of ${ARGN}")
  endif()
  set_property(GLOBAL APPEND PROPERTY QM_OPENED_SONAMES ${names})
  set(${out} ${names} PARENT_SCOPE)
endfunction()
