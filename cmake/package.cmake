# The Windows package, made by `cmake --build --preset windows --target package`:
# Tandrel-<version>-win64.zip and the installer Tandrel-<version>-win64-setup.exe,
# both holding tandrel.exe, tandrel-cli.exe, the README and the LICENSE.
install(TARGETS tandrel tandrel-cli RUNTIME DESTINATION .)
install(FILES ${PROJECT_SOURCE_DIR}/README.md ${PROJECT_SOURCE_DIR}/LICENSE DESTINATION .)

set(CPACK_GENERATOR ZIP NSIS)
set(CPACK_PACKAGE_NAME Tandrel)
set(CPACK_PACKAGE_VENDOR "Tandrel contributors")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Tandrel, a change-gear calculator")
set(CPACK_PACKAGE_FILE_NAME Tandrel-${PROJECT_VERSION}-win64)
set(CPACK_PACKAGE_INSTALL_DIRECTORY Tandrel)
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
# The installer's own name, per generator.
set(CPACK_PROJECT_CONFIG_FILE ${CMAKE_CURRENT_LIST_DIR}/package-names.cmake)

# A 64-bit installer into Program Files, with a Start-menu shortcut to the
# window program and an uninstaller listed in Add/Remove Programs.
set(CPACK_NSIS_DEFINES "Target amd64-unicode")
set(CPACK_NSIS_INSTALL_ROOT "$PROGRAMFILES64")
set(CPACK_PACKAGE_EXECUTABLES tandrel Tandrel)
set(CPACK_NSIS_INSTALLED_ICON_NAME tandrel.exe)
set(CPACK_NSIS_DISPLAY_NAME Tandrel)
set(CPACK_NSIS_PACKAGE_NAME Tandrel)
set(CPACK_NSIS_MUI_ICON ${PROJECT_SOURCE_DIR}/win/icons/tandrel.ico)
set(CPACK_NSIS_MUI_UNIICON ${PROJECT_SOURCE_DIR}/win/icons/tandrel.ico)

include(CPack)
