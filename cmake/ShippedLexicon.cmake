# Builds the shipped French lexicon from Debian's word list (package wfrench)
# into lexiques/ beside the game in the build tree.
set(LEXINUM_WORDLIST "/usr/share/dict/french" CACHE FILEPATH "French word list the shipped lexicon is built from")
if(NOT EXISTS "${LEXINUM_WORDLIST}")
  message(FATAL_ERROR "La liste de mots ${LEXINUM_WORDLIST} est introuvable : installez le paquet Debian « wfrench » (apt-get install wfrench) ou indiquez-en une autre avec -DLEXINUM_WORDLIST=...")
endif()
set(LEXINUM_LEXICON_DIR ${CMAKE_BINARY_DIR}/bin/lexiques)
add_custom_command(
  OUTPUT ${LEXINUM_LEXICON_DIR}/lex.ini
  COMMAND ${CMAKE_COMMAND} -E rm -rf ${LEXINUM_LEXICON_DIR}
  COMMAND lexinum-cli build-lexicon --radical fr ${LEXINUM_WORDLIST} ${LEXINUM_LEXICON_DIR}
  DEPENDS lexinum-cli ${LEXINUM_WORDLIST}
  COMMENT "Construction du lexique français"
  VERBATIM)
add_custom_target(shipped_lexicon ALL DEPENDS ${LEXINUM_LEXICON_DIR}/lex.ini)
