# The Debian packages (CPack, DEB generator), one for each install component:
#
#   trellan          the desktop client
#   project-server   the team server and the store command
#
# Their library dependencies are computed from the binaries (dpkg-shlibdeps); the packages
# the programs only call or load at run time are named here.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME project-client)
set(CPACK_PACKAGE_VERSION ${PC_PACKAGE_VERSION})
set(CPACK_PACKAGE_CONTACT "Project client team <team@project-client.example>")
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR}/packages)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_COMPONENTS_ALL client server)
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_COMPRESSION_TYPE gzip)

set(CPACK_DEBIAN_CLIENT_PACKAGE_NAME trellan)
set(CPACK_DEBIAN_CLIENT_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_CLIENT_PACKAGE_DEPENDS
  "fonts-noto-cjk | fonts-arphic-uming, xdg-utils, qt6-translations-l10n, libqt6svg6, hicolor-icon-theme")
set(CPACK_DEBIAN_CLIENT_PACKAGE_SUGGESTS "project-server")
set(CPACK_COMPONENT_CLIENT_DESCRIPTION
  "project planner: task tree and Gantt chart
Plan and track projects in a task tree beside a Gantt chart: tasks with
dependency links, calendars, members, permissions and documents. Projects
are kept in local project files (*.tlp) or exchanged with a project server,
and a document browser lists and downloads the server's product-data store.
The user interface is Chinese.")
set(CPACK_DEBIAN_CLIENT_PACKAGE_CONTROL_EXTRA
  ${CMAKE_CURRENT_SOURCE_DIR}/client/postinst ${CMAKE_CURRENT_SOURCE_DIR}/client/postrm)
set(CPACK_DEBIAN_CLIENT_PACKAGE_CONTROL_STRICT_PERMISSION ON)

set(CPACK_DEBIAN_SERVER_PACKAGE_NAME project-server)
set(CPACK_DEBIAN_SERVER_PACKAGE_SECTION net)
set(CPACK_DEBIAN_SERVER_PACKAGE_DEPENDS "adduser")
set(CPACK_DEBIAN_SERVER_PACKAGE_SUGGESTS "odbc-postgresql, trellan")
set(CPACK_COMPONENT_SERVER_DESCRIPTION
  "team server for the project planner
Serves projects, their calendars, members and permissions to the project
planner's clients over HTTP (SOAP), and the documents of a product-data
store to their document browser. The data is kept in SQLite files or on a
PostgreSQL server (through ODBC). Includes the pdm-store command, which
makes and fills a product-data store, and a systemd unit with its settings
in /etc/project-server.")
set(CPACK_DEBIAN_SERVER_PACKAGE_CONTROL_EXTRA
  ${CMAKE_CURRENT_SOURCE_DIR}/server/conffiles ${CMAKE_CURRENT_SOURCE_DIR}/server/postinst
  ${CMAKE_CURRENT_SOURCE_DIR}/server/prerm ${CMAKE_CURRENT_SOURCE_DIR}/server/postrm)
set(CPACK_DEBIAN_SERVER_PACKAGE_CONTROL_STRICT_PERMISSION ON)

include(CPack)
