# make deb: a Debian package of what the install rules install (packaging/CMakeLists.txt), under
# /usr. Its dependencies are the packages of the libraries the programs link, as dpkg-shlibdeps
# finds them.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME quarrymere)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${QUARRYMERE_MAINTAINER})
set(CPACK_DEBIAN_PACKAGE_SECTION database)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "explore a database table or view by drill-down grouping")
# The summary is the control file's first line of Description; this text follows it.
set(CPACK_PACKAGE_DESCRIPTION "Quarrymere shows one table or view of a data source as a grouping tree beside
a data grid. Each level of the tree groups by the next column of the grid and
labels every group with its row count and the minimum, maximum, average and
sum of the column after it; dragging grid columns regroups the tree.
Sources are Access databases (.mdb, .accdb), Excel workbooks (.xls) and server
databases through unixODBC. Everything is opened read-only.
The package also holds quarrymere-drill, which drives the main window headless
and checks every node of the tree against the data source.")
include(CPack)
