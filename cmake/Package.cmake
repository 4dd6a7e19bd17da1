# A Debian binary package through CPack's DEB generator, from the same install rules as
# cmake --install. dpkg-shlibdeps computes the Depends line from the installed ELF files.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME korvane)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "korvane developers <korvane@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "support library: decimal NUMBER type, pictures, masks, heaps")
set(CPACK_PACKAGE_DESCRIPTION "libkorvane.so with its Win32 platform layer libkorvane-win32.so,
the public headers, the CMake package and korvane.pc, and the korvane
command-line tool.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION libdevel)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The package ships shared libraries: a shlibs file and the ldconfig trigger.
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS ON)
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS_POLICY ">=")
# ldconfig through dpkg's trigger, as Debian expects of a package with libraries.
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA ${CMAKE_CURRENT_LIST_DIR}/deb/triggers)
# Binaries without symbol tables, as Debian ships them.
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
include(CPack)
