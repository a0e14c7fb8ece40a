# Read by cpack once per generator: the Windows installer is
# s1ordo-VERSION-win64-setup.exe beside the zip s1ordo-VERSION-win64.zip.
if(CPACK_GENERATOR STREQUAL "NSIS")
  set(CPACK_PACKAGE_FILE_NAME "${CPACK_PACKAGE_FILE_NAME}-setup")
endif()
