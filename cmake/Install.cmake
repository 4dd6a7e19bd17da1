# Install rules, the CMake package (find_package(korvane CONFIG)) and korvane.pc.
include(GNUInstallDirs)
include(CMakePackageConfigHelpers)

set(KORVANE_INSTALL_TARGETS korvane)
if(TARGET korvane-win32)
  set_target_properties(korvane-win32 PROPERTIES
    VERSION ${KORVANE_ABI_VERSION} SOVERSION ${KORVANE_SOVERSION})
  list(APPEND KORVANE_INSTALL_TARGETS korvane-win32)
endif()
foreach(target IN LISTS KORVANE_INSTALL_TARGETS)
  target_include_directories(${target} INTERFACE $<INSTALL_INTERFACE:${CMAKE_INSTALL_INCLUDEDIR}>)
endforeach()

install(TARGETS ${KORVANE_INSTALL_TARGETS} EXPORT korvaneTargets
  LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR} NAMELINK_COMPONENT dev
  ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR}
  RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
if(TARGET korvane-tool)
  install(TARGETS korvane-tool RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()
# The whole header tree, so that modules added under win32/ are installed as they land.
install(DIRECTORY ${PROJECT_SOURCE_DIR}/include/korvane
  DESTINATION ${CMAKE_INSTALL_INCLUDEDIR} FILES_MATCHING PATTERN "*.h")

set(KORVANE_CMAKE_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/korvane)
install(EXPORT korvaneTargets NAMESPACE korvane:: DESTINATION ${KORVANE_CMAKE_DIR})
configure_package_config_file(${PROJECT_SOURCE_DIR}/cmake/package/korvaneConfig.cmake.in
  ${PROJECT_BINARY_DIR}/korvaneConfig.cmake INSTALL_DESTINATION ${KORVANE_CMAKE_DIR})
write_basic_package_version_file(${PROJECT_BINARY_DIR}/korvaneConfigVersion.cmake
  COMPATIBILITY SameMajorVersion)
install(FILES ${PROJECT_BINARY_DIR}/korvaneConfig.cmake ${PROJECT_BINARY_DIR}/korvaneConfigVersion.cmake
  DESTINATION ${KORVANE_CMAKE_DIR})

# pkg-config: both libraries are named in Libs since callers use the Win32 layer directly.
# The platform layer's own dependencies go in the private fields; modules that need a
# pkg-config package append it to the global property KORVANE_PC_REQUIRES_PRIVATE
# (set_property(GLOBAL APPEND PROPERTY KORVANE_PC_REQUIRES_PRIVATE cairo)).
if(NOT WIN32)
  get_property(pc_requires GLOBAL PROPERTY KORVANE_PC_REQUIRES_PRIVATE)
  list(JOIN pc_requires " " KORVANE_PC_REQUIRES_PRIVATE)
  set(KORVANE_PC_LIBS_PRIVATE "-pthread")
  configure_file(${PROJECT_SOURCE_DIR}/cmake/package/korvane.pc.in ${PROJECT_BINARY_DIR}/korvane.pc @ONLY)
  install(FILES ${PROJECT_BINARY_DIR}/korvane.pc DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig)
endif()
