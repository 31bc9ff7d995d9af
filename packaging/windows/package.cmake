# What goes beside the Windows program, and the two things shipped: a
# portable zip (vq530t-link-<version>-win64.zip) and an NSIS installer
# (vq530t-link-<version>-setup.exe), both made by `cpack` in the build folder.
#
# The program loads exactly these libraries and plugins; scripts/windows.sh
# checks the list against what the program and the plugins import.
set(VQ_WINDOWS_QT_LIBRARIES Qt6::Core Qt6::Gui Qt6::Widgets)
set(VQ_WINDOWS_MINGW_LIBRARIES libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll)

foreach(library ${VQ_WINDOWS_QT_LIBRARIES})
  install(FILES $<TARGET_FILE:${library}> DESTINATION .)
endforeach()
# Qt looks for its plugins in folders beside the program.
install(FILES $<TARGET_FILE:Qt6::QWindowsIntegrationPlugin> DESTINATION platforms)
install(FILES $<TARGET_FILE:Qt6::QWindowsVistaStylePlugin> DESTINATION styles)
foreach(library ${VQ_WINDOWS_MINGW_LIBRARIES})
  execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${library}
    OUTPUT_VARIABLE path OUTPUT_STRIP_TRAILING_WHITESPACE)
  if(NOT EXISTS "${path}")
    message(FATAL_ERROR "${library} of the compiler not found")
  endif()
  install(FILES ${path} DESTINATION .)
endforeach()
# The README and the licence as text a Windows user opens with a double click.
install(FILES ${PROJECT_SOURCE_DIR}/README.md DESTINATION . RENAME README.txt)
install(FILES ${PROJECT_SOURCE_DIR}/LICENSE DESTINATION . RENAME LICENSE.txt)
# The licence of the bold face compiled into the program for the entry boxes.
if(VQ_EMBED_VALUE_FONT)
  set(VQ_VALUE_FONT_LICENSE /usr/share/doc/fonts-dejavu-core/copyright
      CACHE FILEPATH "The licence of the compiled-in bold face")
  install(FILES ${VQ_VALUE_FONT_LICENSE} DESTINATION . RENAME DejaVu-fonts-LICENSE.txt)
endif()

set(CPACK_GENERATOR "ZIP;NSIS")
set(CPACK_STRIP_FILES ON)
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
set(CPACK_PACKAGE_VENDOR "VQ530T Link developers")
set(CPACK_PACKAGE_INSTALL_DIRECTORY "VQ530T Link")
set(CPACK_PACKAGE_INSTALL_REGISTRY_KEY "VQ530T Link")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
# A Start-menu entry with the program's icon; no file associations, nothing
# added to PATH. The uninstaller removes what was installed; the user's
# profile (%APPDATA%), backups (%LOCALAPPDATA%) and files are not its own.
set(CPACK_PACKAGE_EXECUTABLES vq530t-link "VQ530T Link")
set(CPACK_NSIS_DISPLAY_NAME "VQ530T Link")
# Also the Start-menu folder's name; the version is in "Apps" beside it.
set(CPACK_NSIS_PACKAGE_NAME "VQ530T Link")
set(CPACK_NSIS_INSTALL_ROOT "$PROGRAMFILES64")
set(CPACK_NSIS_INSTALLED_ICON_NAME vq530t-link.exe)
set(CPACK_NSIS_MUI_ICON ${VQ_WINDOWS_ICON_FILE})
set(CPACK_NSIS_MUI_UNIICON ${VQ_WINDOWS_ICON_FILE})
set(CPACK_NSIS_MODIFY_PATH OFF)
# A 64-bit installer for a 64-bit program: it installs into the 64-bit
# Program Files and registry, and needs no 32-bit subsystem.
set(CPACK_NSIS_DEFINES "Target amd64-unicode")
set(CPACK_NSIS_ENABLE_UNINSTALL_BEFORE_INSTALL ON)
# The file names differ by generator.
set(CPACK_PROJECT_CONFIG_FILE ${CMAKE_CURRENT_LIST_DIR}/cpack-names.cmake)
