# Header-only libraries from Debian's packages serve both builds. The cross build must not see the whole of
# /usr/include, so each library's folder is linked into a private include folder.
set(QM_TP_DIR ${CMAKE_BINARY_DIR}/thirdparty/include)
file(MAKE_DIRECTORY ${QM_TP_DIR})
foreach(lib stb toml++ nlohmann CLI)
  if(NOT EXISTS /usr/include/${lib})
    message(FATAL_ERROR "missing /usr/include/${lib}: run scripts/install-deps")
  endif()
  file(CREATE_LINK /usr/include/${lib} ${QM_TP_DIR}/${lib} SYMBOLIC)
endforeach()
add_library(qm_thirdparty INTERFACE)
target_include_directories(qm_thirdparty SYSTEM INTERFACE ${QM_TP_DIR})
