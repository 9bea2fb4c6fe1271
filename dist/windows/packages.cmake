# `make package` on Windows: from the install component "program",
#   Wobblefin-VERSION-win64.exe   an NSIS installer: Program Files\Wobblefin, a Start-menu entry, an
#                                 uninstaller listed under the installed programs; /S installs silently
#   Wobblefin-VERSION-win64.zip   the same folder to unpack anywhere and run from there
set(CPACK_GENERATOR NSIS ZIP)
set(CPACK_PACKAGE_NAME Wobblefin)
set(CPACK_PACKAGE_VENDOR "Wobblefin developers")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "An aquarium with a goldfish")
set(CPACK_PACKAGE_HOMEPAGE_URL "https://example.org/wobblefin")
set(CPACK_PACKAGE_FILE_NAME Wobblefin-${PROJECT_VERSION}-win64)
set(CPACK_PACKAGE_INSTALL_DIRECTORY Wobblefin)
set(CPACK_PACKAGE_INSTALL_REGISTRY_KEY Wobblefin)
set(CPACK_RESOURCE_FILE_LICENSE ${CMAKE_SOURCE_DIR}/dist/copyright)
set(CPACK_STRIP_FILES ON)
# Both packages hold the program alone; the framework is for developers (cmake --install --component sdk).
set(CPACK_INSTALL_CMAKE_PROJECTS "${CMAKE_BINARY_DIR};Wobblefin;program;/")

set(CPACK_NSIS_EXECUTABLE ${CMAKE_CURRENT_LIST_DIR}/makensis.sh)
set(CPACK_NSIS_INSTALL_ROOT "$PROGRAMFILES64")
set(CPACK_NSIS_PACKAGE_NAME Wobblefin)
set(CPACK_NSIS_DISPLAY_NAME Wobblefin)
set(CPACK_NSIS_MUI_ICON ${WOBBLEFIN_RUN_DIR}/Wobblefin.ico)
set(CPACK_NSIS_MUI_UNIICON ${WOBBLEFIN_RUN_DIR}/Wobblefin.ico)
set(CPACK_NSIS_INSTALLED_ICON_NAME Wobblefin.exe)
set(CPACK_NSIS_URL_INFO_ABOUT ${CPACK_PACKAGE_HOMEPAGE_URL})
set(CPACK_NSIS_CONTACT "wobblefin@example.org")
# The Start-menu entry; the shortcut shows the program's own icon. The program lies in the install root.
set(CPACK_PACKAGE_EXECUTABLES Wobblefin Wobblefin)
set(CPACK_NSIS_EXECUTABLES_DIRECTORY .)
set(CPACK_NSIS_UNINSTALL_NAME Uninstall)
# CPack's uninstaller removes the key under the vendor's but leaves the vendor's own, empty.
set(vendor_key "Software\\${CPACK_PACKAGE_VENDOR}")
set(CPACK_NSIS_EXTRA_UNINSTALL_COMMANDS "DeleteRegKey SHCTX \"${vendor_key}\\${CPACK_PACKAGE_INSTALL_REGISTRY_KEY}\"
  DeleteRegKey /ifempty SHCTX \"${vendor_key}\"")
set(CPACK_VERBATIM_VARIABLES ON)  # the NSIS lines reach the script as written here

include(CPack)
