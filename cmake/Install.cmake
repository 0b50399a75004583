# Install rules. Relative destinations only, so --prefix, DESTDIR and CPack all work.
#   bin/pellowick, bin/pellowick-mapcheck
#   share/pellowick/Assets/            (arial.ttf a link to the system's Liberation Sans)
#   share/applications, share/icons/hicolor, share/metainfo, share/man/man6, share/doc/pellowick
#   share/locale/<lang>/LC_MESSAGES/pellowick.mo
# The component "portable" (left out of a plain install) is the unpacked archive: both programs
# with Assets/ and share/locale/ beside them and a copy of the font.

option(PELLOWICK_LINK_FONT "Install Assets/arial.ttf as a link to the system font instead of a copy" ON)
option(PELLOWICK_RELATIVE_FONT_LINK "Make that link relative (for a package with a fixed prefix)" OFF)
set(CMAKE_INSTALL_DEFAULT_COMPONENT_NAME game)
set(PELLOWICK_ICON_SIZES 16 32 48 64 128 256)
set(PELLOWICK_PACKAGING ${CMAKE_SOURCE_DIR}/packaging)
set(PELLOWICK_GENERATED ${CMAKE_BINARY_DIR}/packaging)

install(TARGETS pellowick pellowick-mapcheck RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(DIRECTORY ${CMAKE_SOURCE_DIR}/Assets/ DESTINATION ${PELLOWICK_INSTALL_DATA}/Assets)
if(PELLOWICK_LINK_FONT)
  # Relative for a package, whose prefix is fixed (Debian wants links within /usr relative); absolute
  # otherwise, so an installed tree can be moved.
  set(font_target ${PELLOWICK_FONT})
  if(PELLOWICK_RELATIVE_FONT_LINK)
    file(RELATIVE_PATH font_target ${CMAKE_INSTALL_FULL_DATADIR}/pellowick/Assets ${PELLOWICK_FONT})
  endif()
  file(MAKE_DIRECTORY ${PELLOWICK_GENERATED}/font)
  file(REMOVE ${PELLOWICK_GENERATED}/font/arial.ttf)
  file(CREATE_LINK ${font_target} ${PELLOWICK_GENERATED}/font/arial.ttf SYMBOLIC)
  install(FILES ${PELLOWICK_GENERATED}/font/arial.ttf DESTINATION ${PELLOWICK_INSTALL_DATA}/Assets)
else()
  install(FILES ${PELLOWICK_FONT} DESTINATION ${PELLOWICK_INSTALL_DATA}/Assets RENAME arial.ttf)
endif()

# The desktop entry and the metainfo carry the catalogs' translations (msgfmt with AppStream's ITS rules).
set(PELLOWICK_DESKTOP ${PELLOWICK_GENERATED}/${PELLOWICK_APP_ID}.desktop)
set(PELLOWICK_METAINFO ${PELLOWICK_GENERATED}/${PELLOWICK_APP_ID}.metainfo.xml)
configure_file(${PELLOWICK_PACKAGING}/${PELLOWICK_APP_ID}.metainfo.xml.in
  ${PELLOWICK_GENERATED}/untranslated/${PELLOWICK_APP_ID}.metainfo.xml @ONLY)
set(PELLOWICK_PO_FILES)
foreach(language ${PELLOWICK_LANGUAGES})
  list(APPEND PELLOWICK_PO_FILES ${CMAKE_SOURCE_DIR}/po/${language}.po)
endforeach()
add_custom_command(OUTPUT ${PELLOWICK_DESKTOP} ${PELLOWICK_METAINFO}
  COMMAND ${MSGFMT} --desktop --template=${PELLOWICK_PACKAGING}/${PELLOWICK_APP_ID}.desktop
          -d ${CMAKE_SOURCE_DIR}/po -o ${PELLOWICK_DESKTOP}
  COMMAND ${MSGFMT} --xml --template=${PELLOWICK_GENERATED}/untranslated/${PELLOWICK_APP_ID}.metainfo.xml
          -d ${CMAKE_SOURCE_DIR}/po -o ${PELLOWICK_METAINFO}
  DEPENDS ${PELLOWICK_PACKAGING}/${PELLOWICK_APP_ID}.desktop
          ${PELLOWICK_GENERATED}/untranslated/${PELLOWICK_APP_ID}.metainfo.xml ${PELLOWICK_PO_FILES}
          ${CMAKE_SOURCE_DIR}/po/LINGUAS
  COMMENT "Translating the desktop entry and the metainfo")
add_custom_target(pellowick_desktop_files ALL DEPENDS ${PELLOWICK_DESKTOP} ${PELLOWICK_METAINFO})
install(FILES ${PELLOWICK_DESKTOP} DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/applications)

# The catalogs where gettext's own live; the program finds them through PELLOWICK_LOCALE_FROM_PROGRAM.
foreach(language ${PELLOWICK_LANGUAGES})
  install(FILES ${PELLOWICK_LOCALE_BUILT}/${language}/LC_MESSAGES/pellowick.mo
    DESTINATION ${CMAKE_INSTALL_LOCALEDIR}/${language}/LC_MESSAGES)
  install(FILES ${PELLOWICK_LOCALE_BUILT}/${language}/LC_MESSAGES/pellowick.mo
    DESTINATION share/locale/${language}/LC_MESSAGES COMPONENT portable EXCLUDE_FROM_ALL)
endforeach()
foreach(size ${PELLOWICK_ICON_SIZES})
  install(FILES ${CMAKE_SOURCE_DIR}/Assets/icons/pellowick-${size}.png
    DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/icons/hicolor/${size}x${size}/apps RENAME ${PELLOWICK_APP_ID}.png)
endforeach()
install(FILES ${PELLOWICK_METAINFO} DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/metainfo)

# Debian wants the changelog gzipped without a time stamp, so the package is reproducible.
add_custom_command(OUTPUT ${PELLOWICK_GENERATED}/changelog.gz
  COMMAND gzip -9nc ${PELLOWICK_PACKAGING}/changelog > ${PELLOWICK_GENERATED}/changelog.gz
  DEPENDS ${PELLOWICK_PACKAGING}/changelog)
add_custom_target(pellowick_changelog ALL DEPENDS ${PELLOWICK_GENERATED}/changelog.gz)
install(FILES ${PELLOWICK_PACKAGING}/copyright ${PELLOWICK_GENERATED}/changelog.gz
  DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/doc/pellowick)

# Man pages in section 6 (games), made from the programs' own --help and --version.
find_program(HELP2MAN help2man)
if(HELP2MAN)
  set(PELLOWICK_MAN_PAGES)
  foreach(program pellowick pellowick-mapcheck)
    set(page ${PELLOWICK_GENERATED}/man/${program}.6.gz)
    add_custom_command(OUTPUT ${page}
      COMMAND ${CMAKE_COMMAND} -E make_directory ${PELLOWICK_GENERATED}/man
      COMMAND ${CMAKE_COMMAND} -E env LANGUAGE=en ${HELP2MAN} --no-info --section=6 --include=${PELLOWICK_PACKAGING}/${program}.h2m
              --output=${PELLOWICK_GENERATED}/man/${program}.6 $<TARGET_FILE:${program}>
      COMMAND gzip -9nf ${PELLOWICK_GENERATED}/man/${program}.6
      DEPENDS ${program} ${PELLOWICK_PACKAGING}/${program}.h2m
      COMMENT "Writing the man page of ${program}")
    list(APPEND PELLOWICK_MAN_PAGES ${page})
  endforeach()
  add_custom_target(pellowick_man_pages ALL DEPENDS ${PELLOWICK_MAN_PAGES})
  install(FILES ${PELLOWICK_MAN_PAGES} DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
else()
  message(STATUS "help2man not found: no man pages")
endif()

# The portable archive: everything in one folder that runs wherever it is unpacked.
install(TARGETS pellowick pellowick-mapcheck RUNTIME DESTINATION . COMPONENT portable EXCLUDE_FROM_ALL)
install(DIRECTORY ${CMAKE_SOURCE_DIR}/Assets DESTINATION . COMPONENT portable EXCLUDE_FROM_ALL)
install(FILES ${PELLOWICK_FONT} DESTINATION Assets RENAME arial.ttf COMPONENT portable EXCLUDE_FROM_ALL)
install(FILES ${CMAKE_SOURCE_DIR}/README.md ${PELLOWICK_PACKAGING}/copyright DESTINATION .
  COMPONENT portable EXCLUDE_FROM_ALL)
