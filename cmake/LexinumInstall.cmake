# Installation (cmake --install build --prefix P): the two programs in
# P/bin; in P/share/lexinum the data the game finds from its own folder (the
# shipped lexicon, the bitmap library; the help pages are inside the game);
# the desktop entry, its icons, the software-centre record and the command
# line tool's manual page where desktops and man look for them. Also the
# settings of the Debian package (cpack -G DEB in the build folder).
set(LEXINUM_SCREENSHOT_URL "https://lexinum.fr/captures/lettres.png" CACHE STRING
  "The screenshot the software-centre record shows")

install(TARGETS lexinum-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${PROJECT_SOURCE_DIR}/resources/man/lexinum-cli.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

if(LEXINUM_SHIPPED_LEXICON)
  # Writable by the owner only, as installed files are; the player's own copy,
  # made on first start, follows the game's rule for data files. A journal or
  # a rewrite left by changes made to the build tree's copy stays behind.
  install(DIRECTORY ${CMAKE_BINARY_DIR}/bin/lexiques/ DESTINATION ${LEXINUM_INSTALL_DATADIR}/lexiques
    FILE_PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ
    PATTERN lex.log EXCLUDE PATTERN *.tmp EXCLUDE)
endif()

if(LEXINUM_BUILD_GUI)
  install(TARGETS lexinum RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  install(FILES ${CMAKE_BINARY_DIR}/bin/motifs32.rcc DESTINATION ${LEXINUM_INSTALL_DATADIR})
  install(FILES ${PROJECT_SOURCE_DIR}/resources/desktop/lexinum.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications
    RENAME ${LEXINUM_APP_ID}.desktop)
  configure_file(${PROJECT_SOURCE_DIR}/resources/desktop/lexinum.metainfo.xml.in
    ${CMAKE_BINARY_DIR}/${LEXINUM_APP_ID}.metainfo.xml @ONLY)
  install(FILES ${CMAKE_BINARY_DIR}/${LEXINUM_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
  install(DIRECTORY ${CMAKE_BINARY_DIR}/icons/hicolor DESTINATION ${CMAKE_INSTALL_DATADIR}/icons)
endif()

# The Debian package: what the build installs, under /usr.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME lexinum)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "Lexinum <lexinum@lexinum.fr>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "jeu de lettres et de chiffres en français")
# The summary is the description's first line; the rest follows it.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "« Le mot le plus long » : trouvez le mot le plus long qui s'écrit avec
les lettres tirées. « Le compte est bon » : atteignez un nombre avec six
nombres tirés et les quatre opérations. À l'entraînement ou en partie contre
l'ordinateur à six niveaux. Avec lexinum-cli, les solveurs en ligne de
commande.")
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
# The libraries the programs link come from dpkg-shlibdeps; Qt's platform
# plugins, its French texts and the fonts the game asks for are not linked.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, fonts-liberation")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n")
include(CPack)
