# Source collection shared by every target: each subsystem keeps Windows-only code in win32/ folders and
# Linux-only code in posix/ folders; files named main*.cpp are program entry points, never library code.
function(qm_collect out dir)
  file(GLOB_RECURSE files CONFIGURE_DEPENDS ${dir}/*.cpp ${dir}/*.c)
  if(WIN32)
    list(FILTER files EXCLUDE REGEX "/posix/")
  else()
    list(FILTER files EXCLUDE REGEX "/win32/")
  endif()
  list(FILTER files EXCLUDE REGEX "/main[^/]*\\.cpp$")
  set(${out} ${files} PARENT_SCOPE)
endfunction()
