# cmake -DXGETTEXT=... -DMSGMERGE=... -DMSGINIT=... -DSOURCE=<repo> -DLEVELSTRINGS=<tool> -DWORK=<folder> -P UpdateCatalogs.cmake
# Extracts every text of the game into po/pellowick.pot: the sources' tr()/trn()/N_() calls with their
# TRANSLATORS notes, the desktop entry, the AppStream metainfo, the shipped levels' names, intros and hints
# and the menu forms' words; then merges the template into each language's .po.
file(GLOB_RECURSE sources RELATIVE ${SOURCE} ${SOURCE}/src/*.cpp ${SOURCE}/src/*.hpp ${SOURCE}/tools/*.cpp
     ${SOURCE}/tools/*.hpp)
list(SORT sources)
file(GLOB levels RELATIVE ${SOURCE} ${SOURCE}/Assets/*.tmx ${SOURCE}/levels/*.tmx ${SOURCE}/Assets/*.txt)
list(SORT levels)
set(pot ${SOURCE}/po/pellowick.pot)
set(common --package-name=Pellowick --package-version=${VERSION} --from-code=UTF-8 --sort-by-file
    --msgid-bugs-address=pellowick@users.noreply.github.com)

function(run)
  execute_process(COMMAND ${ARGN} WORKING_DIRECTORY ${SOURCE} RESULT_VARIABLE status)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "failed: ${ARGN}")
  endif()
endfunction()

run(${XGETTEXT} ${common} --language=C++ --keyword=tr --keyword=trn:1,2 --keyword=N_
    --add-comments=TRANSLATORS: -o ${pot} ${sources})
run(${XGETTEXT} ${common} --join-existing -o ${pot} packaging/io.github.pellowick.Pellowick.desktop)
run(${XGETTEXT} ${common} --join-existing --its=/usr/share/gettext/its/metainfo.its -o ${pot}
    packaging/io.github.pellowick.Pellowick.metainfo.xml.in)
run(${LEVELSTRINGS} ${WORK}/levels.pot ${levels})
run(${XGETTEXT} ${common} --join-existing --language=PO -o ${pot} ${WORK}/levels.pot)

file(STRINGS ${SOURCE}/po/LINGUAS languages REGEX "^[a-z]")
foreach(language ${languages})
  if(NOT EXISTS ${SOURCE}/po/${language}.po)
    # A new language starts from the template, every text still to translate.
    run(${MSGINIT} --no-translator --locale=${language}.UTF-8 -i ${pot} -o ${SOURCE}/po/${language}.po)
  endif()
  run(${MSGMERGE} --quiet --update --backup=none --sort-by-file ${SOURCE}/po/${language}.po ${pot})
endforeach()
