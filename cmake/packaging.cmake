# What `cmake --install` puts where, and the packages CPack makes of it: on
# Windows (the MinGW-w64 cross build) an NSIS installer and a zip, on Linux
# a Debian package. Included at the end of the top CMakeLists.txt, once
# every program target exists.
include(GNUInstallDirs)

set(S1ORDO_PACKAGING_DIR ${CMAKE_SOURCE_DIR}/packaging)
set(S1ORDO_PACKAGE_CONTACT "s1ordo maintainers <maintainers@users.noreply.c-seed-461db250.example>"
  CACHE STRING "Maintainer named in the packages")

set(S1ORDO_PROGRAMS s1ordo)
if(TARGET s1ordo-gui)
  list(APPEND S1ORDO_PROGRAMS s1ordo-gui)
endif()

# Everything the packages hold that must be built. Installing does not
# build `all` first, so a package build compiles no tests or benchmarks:
#   cmake --build . --target s1ordo_programs && cpack
add_custom_target(s1ordo_programs)
add_dependencies(s1ordo_programs ${S1ORDO_PROGRAMS})
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)
if(MINGW)
  # Stripped by the linker and without a link time in the header, so that
  # the installer and the zip (and every build of one source) hold the same
  # bytes; strip run by CPack would write the current time into each copy.
  foreach(program IN LISTS S1ORDO_PROGRAMS)
    target_link_options(${program} PRIVATE $<$<CONFIG:Release,MinSizeRel>:-s> -Wl,--no-insert-timestamp)
  endforeach()
endif()
# Their file names, one a line, for the tests of the packages.
set(program_names "")
foreach(program IN LISTS S1ORDO_PROGRAMS)
  string(APPEND program_names "$<TARGET_FILE_NAME:${program}>\n")
endforeach()
file(GENERATE OUTPUT ${CMAKE_BINARY_DIR}/packaging/programs.txt CONTENT "${program_names}")

if(WIN32)
  # One folder holds everything; the README opens with a double click.
  set(S1ORDO_EXAMPLES_DESTINATION examples)
  install(TARGETS ${S1ORDO_PROGRAMS} RUNTIME DESTINATION .)
  install(FILES README.md DESTINATION . RENAME README.txt)
  install(FILES ${S1ORDO_PACKAGING_DIR}/icon/s1ordo.ico DESTINATION .)
  install(FILES ${S1ORDO_PACKAGING_DIR}/settings/DodavoZ5.ini ${S1ORDO_PACKAGING_DIR}/settings/Ridevi.ini
    DESTINATION ${S1ORDO_EXAMPLES_DESTINATION}/settings)
else()
  set(S1ORDO_EXAMPLES_DESTINATION ${CMAKE_INSTALL_DATADIR}/s1ordo/examples)
  install(TARGETS ${S1ORDO_PROGRAMS} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  install(FILES README.md DESTINATION ${CMAKE_INSTALL_DOCDIR})

  # The manual page with the version filled in, compressed as Debian keeps
  # them when gzip is there.
  set(man_page ${CMAKE_BINARY_DIR}/packaging/s1ordo.1)
  configure_file(${S1ORDO_PACKAGING_DIR}/s1ordo.1.in ${man_page} @ONLY)
  find_program(S1ORDO_GZIP gzip)
  if(S1ORDO_GZIP)
    add_custom_command(OUTPUT ${man_page}.gz
      COMMAND ${S1ORDO_GZIP} -9n -k -f ${man_page}
      DEPENDS ${man_page}
      COMMENT "Compressing the manual page")
    add_custom_target(s1ordo_man ALL DEPENDS ${man_page}.gz)
    add_dependencies(s1ordo_programs s1ordo_man)
    install(FILES ${man_page}.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
  else()
    install(FILES ${man_page} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
  endif()

  if(TARGET s1ordo-gui)
    install(FILES ${S1ORDO_PACKAGING_DIR}/s1ordo-gui.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
    install(FILES ${S1ORDO_PACKAGING_DIR}/icon/s1ordo.svg
      DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
    install(FILES ${S1ORDO_PACKAGING_DIR}/icon/s1ordo.png
      DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/256x256/apps)
  endif()
endif()

# The sample data, to try the program on.
install(DIRECTORY examples/DIZIVAD examples/RIDEVI examples/LISTS DESTINATION ${S1ORDO_EXAMPLES_DESTINATION})

# Packages.
set(CPACK_PACKAGE_NAME s1ordo)
set(CPACK_PACKAGE_VENDOR s1ordo)
set(CPACK_PACKAGE_CONTACT "${S1ORDO_PACKAGE_CONTACT}")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Converts borehole logs from StravoS1 to Ordo")
set(CPACK_PACKAGE_DESCRIPTION
  "s1ordo copies the borehole folders of a StravoS1 data folder (DIZIVAD) into\n"
  "a destination folder and converts their files for Ordo, translating soil\n"
  "codes into Japanese soil names and extending Ordo's vocabulary and legend\n"
  "lists in its pattern-data folder (RIDEVI). s1ordo is the command line,\n"
  "s1ordo-gui the window.")
string(JOIN "" CPACK_PACKAGE_DESCRIPTION ${CPACK_PACKAGE_DESCRIPTION})
set(CPACK_VERBATIM_VARIABLES ON)
set(CPACK_PACKAGE_CHECKSUM SHA256)
if(NOT MINGW)
  set(CPACK_STRIP_FILES ON)
endif()
# The installer gets "-setup" in its name (per generator, at packaging time).
set(CPACK_PROJECT_CONFIG_FILE ${S1ORDO_PACKAGING_DIR}/cpack_generator_options.cmake)

if(WIN32)
  set(CPACK_GENERATOR "NSIS;ZIP")
  set(CPACK_PACKAGE_FILE_NAME s1ordo-${PROJECT_VERSION}-win64)
  set(CPACK_PACKAGE_INSTALL_DIRECTORY s1ordo)
  set(CPACK_PACKAGE_INSTALL_REGISTRY_KEY s1ordo)
  set(window_title "StravoS1 → Ordo 変換プログラム")
  # A 64-bit Unicode installer: it writes the 64-bit registry and Program
  # Files, and Japanese names reach the Start menu whole.
  # (BrandingText here: CPack's own option adds a /TRIM that makensis on
  # Linux refuses.)
  set(CPACK_NSIS_DEFINES "Target amd64-unicode\n!include FileFunc.nsh\nBrandingText \"s1ordo ${PROJECT_VERSION}\"")
  set(CPACK_NSIS_INSTALL_ROOT "$PROGRAMFILES64")
  set(CPACK_NSIS_PACKAGE_NAME s1ordo)  # also the Start-menu folder
  set(CPACK_NSIS_DISPLAY_NAME "s1ordo (${window_title})")
  set(CPACK_NSIS_IGNORE_LICENSE_PAGE ON)
  set(CPACK_NSIS_MANIFEST_DPI_AWARE ON)
  set(CPACK_NSIS_MUI_ICON ${S1ORDO_PACKAGING_DIR}/icon/s1ordo.ico)
  set(CPACK_NSIS_MUI_UNIICON ${S1ORDO_PACKAGING_DIR}/icon/s1ordo.ico)
  set(CPACK_NSIS_INSTALLED_ICON_NAME s1ordo.ico)
  set(CPACK_NSIS_EXECUTABLES_DIRECTORY .)
  if(TARGET s1ordo-gui)
    # The window's Start-menu entry. Not through CPACK_PACKAGE_EXECUTABLES:
    # CPack's uninstaller looks for those in the default folder only, and
    # these commands in the folder the user chose as well.
    set(CPACK_NSIS_CREATE_ICONS_EXTRA
      "CreateShortCut \"$SMPROGRAMS\\$STARTMENU_FOLDER\\${window_title}.lnk\" \"$INSTDIR\\s1ordo-gui.exe\"")
    set(CPACK_NSIS_DELETE_ICONS_EXTRA "Delete \"$SMPROGRAMS\\$MUI_TEMP\\${window_title}.lnk\"")
    set(CPACK_NSIS_MUI_FINISHPAGE_RUN s1ordo-gui.exe)
  endif()
  # "Apps" can remove it without asking and shows its size. The marker of
  # vocabulary additions that a run leaves beside the program goes with it.
  set(CPACK_NSIS_EXTRA_INSTALL_COMMANDS [[
  WriteRegStr SHCTX "Software\Microsoft\Windows\CurrentVersion\Uninstall\s1ordo" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  IntFmt $0 "0x%08X" $0
  WriteRegDWORD SHCTX "Software\Microsoft\Windows\CurrentVersion\Uninstall\s1ordo" "EstimatedSize" "$0"
  WriteRegDWORD SHCTX "Software\Microsoft\Windows\CurrentVersion\Uninstall\s1ordo" "NoModify" 1
  WriteRegDWORD SHCTX "Software\Microsoft\Windows\CurrentVersion\Uninstall\s1ordo" "NoRepair" 1
]])
  # CPack's uninstaller removes Software\s1ordo\s1ordo but not its parent.
  set(CPACK_NSIS_EXTRA_UNINSTALL_COMMANDS [[
  Delete "$INSTDIR\PATADD.txt"
  DeleteRegKey SHCTX "Software\s1ordo\s1ordo"
  DeleteRegKey /ifempty SHCTX "Software\s1ordo"
]])
else()
  set(CPACK_GENERATOR DEB)
  set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
  set(CPACK_DEBIAN_PACKAGE_SECTION science)
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
  # The window's Japanese captions need a Japanese font.
  set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-ipafont-gothic | fonts-noto-cjk")
endif()

include(CPack)
