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
# window program, a finish page that offers to start it, and an uninstaller
# listed in Add/Remove Programs with the full four-part version.
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_NSIS_DEFINES "Target amd64-unicode\n!define MUI_FINISHPAGE_RUN_TEXT \\\"Start Tandrel\\\"")
set(CPACK_NSIS_INSTALL_ROOT "$PROGRAMFILES64")
set(CPACK_NSIS_EXECUTABLES_DIRECTORY .)
set(CPACK_NSIS_MUI_FINISHPAGE_RUN tandrel.exe)
set(CPACK_PACKAGE_EXECUTABLES tandrel Tandrel)
set(CPACK_NSIS_INSTALLED_ICON_NAME tandrel.exe)
set(CPACK_NSIS_DISPLAY_NAME Tandrel)
set(CPACK_NSIS_PACKAGE_NAME Tandrel)
set(CPACK_NSIS_MUI_ICON ${PROJECT_SOURCE_DIR}/win/icons/tandrel.ico)
set(CPACK_NSIS_MUI_UNIICON ${PROJECT_SOURCE_DIR}/win/icons/tandrel.ico)

# Lathe files (.tandrel) open in Tandrel with a double click; the uninstaller
# takes the registration away again, the extension only while it is still ours.
# CPack reads these commands back from a file of its own, which takes one more
# level of escapes: each backslash and quotation mark is escaped twice.
set(classes "HKLM 'Software\\\\Classes")
set(CPACK_NSIS_EXTRA_INSTALL_COMMANDS "
  WriteRegStr ${classes}\\\\.tandrel' '' 'Tandrel.Lathe'
  WriteRegStr ${classes}\\\\Tandrel.Lathe' '' 'Tandrel lathe'
  WriteRegStr ${classes}\\\\Tandrel.Lathe\\\\DefaultIcon' '' '$INSTDIR\\\\tandrel.exe,0'
  WriteRegStr ${classes}\\\\Tandrel.Lathe\\\\shell\\\\open\\\\command' '' '\\\"$INSTDIR\\\\tandrel.exe\\\" \\\"%1\\\"'
  System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'")
set(CPACK_NSIS_EXTRA_UNINSTALL_COMMANDS "
  DeleteRegKey ${classes}\\\\Tandrel.Lathe'
  ReadRegStr $0 ${classes}\\\\.tandrel' ''
  StrCmp $0 'Tandrel.Lathe' 0 +2
  DeleteRegKey ${classes}\\\\.tandrel'
  System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'")

include(CPack)
