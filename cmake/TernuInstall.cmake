# Install layout: every program lives in one folder of its own together with the
# Lang folder it loads its language files from, and /usr/bin holds links to them.
# The folder is lib/ternu-setup under the prefix rather than CMAKE_INSTALL_LIBDIR:
# on Debian that is lib/<multiarch>, a place for libraries, not for programs.
include(GNUInstallDirs)
if(WIN32)
  set(TERNU_PROGRAM_FOLDER .)
else()
  set(TERNU_PROGRAM_FOLDER lib/ternu-setup)
endif()

# ternu_install_program(<target>): installs the program into the program folder,
# a relative link to it in the bin folder, and its man page dist/man/<target>.1.
function(ternu_install_program target)
  if(WIN32)
    # Windows: the setup program puts the programs together; no links, no man pages.
    install(TARGETS ${target} RUNTIME DESTINATION .)
    return()
  endif()
  install(TARGETS ${target} RUNTIME DESTINATION ${TERNU_PROGRAM_FOLDER})

  file(RELATIVE_PATH link_target
       /prefix/${CMAKE_INSTALL_BINDIR} /prefix/${TERNU_PROGRAM_FOLDER}/${target})
  set(link ${CMAKE_BINARY_DIR}/install-links/${target})
  file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/install-links)
  file(CREATE_LINK ${link_target} ${link} SYMBOLIC)
  install(FILES ${link} DESTINATION ${CMAKE_INSTALL_BINDIR})

  install(FILES ${PROJECT_SOURCE_DIR}/dist/man/${target}.1
          DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endfunction()
