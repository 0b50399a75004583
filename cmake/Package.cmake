# CPack: the .deb (configure with CMAKE_INSTALL_PREFIX=/usr, CMAKE_INSTALL_BINDIR=games and
# CMAKE_INSTALL_DATADIR=share/games and PELLOWICK_RELATIVE_FONT_LINK=ON, as `make package` does) and the portable .tar.gz.
set(CPACK_PACKAGE_NAME pellowick)
set(CPACK_PACKAGE_VENDOR "The Pellowick developers")
set(CPACK_PACKAGE_CONTACT "Pellowick developers <pellowick@users.noreply.github.com>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "top-down sneaking game with dogs, eggs and a formula")
set(CPACK_PACKAGE_DESCRIPTION "Slip past the patrolling farm dogs, get into the building, grab the
formula hidden deep inside, get out through the back door and reach the goal.
Eggs lying around are your only tools: pick them up, lay them and shoot them
as decoys.")
set(CPACK_PACKAGE_HOMEPAGE_URL "https://github.com/pellowick/pellowick")
set(CPACK_STRIP_FILES ON)
set(CPACK_GENERATOR DEB TGZ)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# dpkg-shlibdeps adds the libraries the game links (SFML, SDL2 for the pads) to these.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation2, libsdl2-2.0-0 (>= 2.26)")

# Also the name of the folder inside the archive.
set(CPACK_PACKAGE_FILE_NAME pellowick-${PROJECT_VERSION}-linux-${CMAKE_SYSTEM_PROCESSOR})
set(CPACK_PROJECT_CONFIG_FILE ${CMAKE_BINARY_DIR}/packaging/CPackProjectConfig.cmake)
file(WRITE ${CPACK_PROJECT_CONFIG_FILE} "
# The .deb takes the ordinary install, the archive the portable folder.
if(CPACK_GENERATOR STREQUAL \"DEB\")
  set(CPACK_INSTALL_CMAKE_PROJECTS \"${CMAKE_BINARY_DIR};Pellowick;game;/\")
else()
  set(CPACK_INSTALL_CMAKE_PROJECTS \"${CMAKE_BINARY_DIR};Pellowick;portable;/\")
endif()
")
include(CPack)
