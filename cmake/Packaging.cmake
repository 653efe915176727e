# Installing and packing. Linux: `cmake --install` and a Debian package (scripts/package) with the program,
# scrpack, their manual pages, the sample show, and the program again where XScreenSaver looks for its
# programs, with the configuration file its settings program reads. Windows: a zip to copy to a Windows
# machine.
include(GNUInstallDirs)
set(CPACK_PACKAGE_NAME quillmark)
set(CPACK_PACKAGE_VENDOR "The Quillmark project")
set(CPACK_PACKAGE_CONTACT "The Quillmark project <demo@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "slide-show screen saver runtime and its authoring tool")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR}/package)
set(QM_PACKAGING ${CMAKE_SOURCE_DIR}/packaging)

if(WIN32)
  install(TARGETS screensaver scrpack Expic RUNTIME DESTINATION . LIBRARY DESTINATION .)
  install(FILES ${QM_PACKAGING}/windows/README.txt DESTINATION .)
  set(CPACK_GENERATOR ZIP)
  set(CPACK_PACKAGE_FILE_NAME quillmark-${PROJECT_VERSION}-windows)
  include(CPack)
  return()
endif()

install(TARGETS screensaver scrpack RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

# The Windows runtime beside the Linux programs, so that a Linux author builds Windows screen savers
# (scrpack studio finds it there; scrpack pack --runtime takes it): the win32 preset's program, which
# scripts/package builds first.
set(QM_WINDOWS_RUNTIME ${CMAKE_SOURCE_DIR}/build/win32/src/program/screensaver.scr
    CACHE FILEPATH "The Windows screensaver.scr the Linux package ships")
install(PROGRAMS ${QM_WINDOWS_RUNTIME} DESTINATION ${CMAKE_INSTALL_DATADIR}/quillmark/windows OPTIONAL)

# Manual pages, compressed as the system keeps them.
set(QM_MAN_OUT ${CMAKE_BINARY_DIR}/man)
foreach(page screensaver scrpack)
  add_custom_command(
    OUTPUT ${QM_MAN_OUT}/${page}.1.gz
    COMMAND ${CMAKE_COMMAND} -E make_directory ${QM_MAN_OUT}
    COMMAND gzip -9n -c ${QM_PACKAGING}/man/${page}.1 > ${QM_MAN_OUT}/${page}.1.gz
    DEPENDS ${QM_PACKAGING}/man/${page}.1)
  list(APPEND QM_MAN_PAGES ${QM_MAN_OUT}/${page}.1.gz)
endforeach()
add_custom_target(manpages ALL DEPENDS ${QM_MAN_PAGES})
install(FILES ${QM_MAN_PAGES} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

# The sample show, packed onto a two-line script that plays it with the installed program, so that a bare
# `play` and XScreenSaver without a file have something to show.
set(QM_SAMPLE ${CMAKE_BINARY_DIR}/examples/demo/sample.scr)
add_custom_command(
  OUTPUT ${QM_SAMPLE}
  COMMAND scrpack pack ${CMAKE_BINARY_DIR}/examples/demo/manifest.toml -o ${QM_SAMPLE}
          --runtime ${QM_PACKAGING}/sample-runtime.sh
  DEPENDS demo scrpack ${QM_PACKAGING}/sample-runtime.sh
  COMMENT "Packing the sample show")
add_custom_target(sample ALL DEPENDS ${QM_SAMPLE})
install(PROGRAMS ${QM_SAMPLE} DESTINATION ${CMAKE_INSTALL_DATADIR}/quillmark)

# XScreenSaver runs its programs from its own folder under libexec, by name; the program is linked there as
# "quillmark", and the configuration file lets its settings program list it and pass a show file.
set(QM_HACK_DIR ${CMAKE_INSTALL_LIBEXECDIR}/xscreensaver)
file(RELATIVE_PATH QM_HACK_TARGET /usr/${QM_HACK_DIR} /usr/${CMAKE_INSTALL_BINDIR}/screensaver)
install(CODE "
  set(hack \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${QM_HACK_DIR}/quillmark\")
  file(MAKE_DIRECTORY \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${QM_HACK_DIR}\")
  file(REMOVE \"\${hack}\")
  file(CREATE_LINK ${QM_HACK_TARGET} \"\${hack}\" SYMBOLIC)
  message(STATUS \"Installing: \${hack} -> ${QM_HACK_TARGET}\")")
install(FILES ${QM_PACKAGING}/xscreensaver/quillmark.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/xscreensaver/config)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION x11)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The libraries the programs open themselves (FFmpeg's, the picture converters) have no NEEDED entry for
# dpkg-shlibdeps to find: their Debian packages by name, libfoo.so.N being libfooN (libfoo-N after a digit).
get_property(QM_OPENED GLOBAL PROPERTY QM_OPENED_SONAMES)
set(QM_OPENED_PACKAGES)
foreach(soname ${QM_OPENED})
  if(soname MATCHES "^(.+)\\.so\\.([0-9]+)$")
    set(stem ${CMAKE_MATCH_1})
    set(major ${CMAKE_MATCH_2})
    if(stem MATCHES "[0-9]$")
      string(APPEND stem "-")
    endif()
    string(TOLOWER "${stem}${major}" package)
    list(APPEND QM_OPENED_PACKAGES ${package})
  endif()
endforeach()
list(REMOVE_DUPLICATES QM_OPENED_PACKAGES)
list(JOIN QM_OPENED_PACKAGES ", " CPACK_DEBIAN_PACKAGE_DEPENDS)
# The faces titles in Windows' faces are drawn with (metric-compatible Arial, Times New Roman, Courier New).
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS fonts-liberation)
set(CPACK_DEBIAN_PACKAGE_SUGGESTS xscreensaver)
set(CPACK_PACKAGE_DESCRIPTION "Plays slide shows packed by scrpack (pictures revealed by transition effects,
with titles, backgrounds, music and videos) in a window, full screen, or as
an XScreenSaver program; scrpack builds them from a readable manifest, also
for the Windows screen saver.")
include(CPack)
