# What an installation holds besides the programs: the manual, the completion, the documents and examples.
install(FILES share/man/tecris2quillo.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES share/bash-completion/tecris2quillo DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions)
install(FILES README.md README.en.md LICENSE DESTINATION ${CMAKE_INSTALL_DOCDIR})
# The READMEs show the window's picture from docs/.
install(FILES docs/window.png DESTINATION ${CMAKE_INSTALL_DOCDIR}/docs)
install(DIRECTORY examples/borings examples/patdat DESTINATION ${CMAKE_INSTALL_DOCDIR}/examples)
