# Where an installed game keeps its data, and how the program finds it: through the path from the
# program's folder to the data folder, so an installed tree still works when moved to another prefix.
# A Debian package sets CMAKE_INSTALL_BINDIR=games and CMAKE_INSTALL_DATADIR=share/games.
include(GNUInstallDirs)

set(PELLOWICK_APP_ID io.github.pellowick.Pellowick)
set(PELLOWICK_INSTALL_DATA ${CMAKE_INSTALL_DATADIR}/pellowick)
file(RELATIVE_PATH PELLOWICK_DATA_FROM_PROGRAM ${CMAKE_INSTALL_FULL_BINDIR} ${CMAKE_INSTALL_FULL_DATADIR}/pellowick)
# The catalogs go where gettext's own live (share/locale), reached from the program the same way.
file(RELATIVE_PATH PELLOWICK_LOCALE_FROM_PROGRAM ${CMAKE_INSTALL_FULL_BINDIR} ${CMAKE_INSTALL_FULL_LOCALEDIR})
configure_file(${CMAKE_SOURCE_DIR}/src/app/BuildInfo.hpp.in ${CMAKE_BINARY_DIR}/generated/app/BuildInfo.hpp @ONLY)
