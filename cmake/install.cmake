# `cmake --install`: the library, its public headers (interfaces and platform types) and vrkcfg in the usual
# places, with a pkg-config file and a CMake package (find_package(VRK5420CfgConverter), imported target
# VRK5420CfgConverter::VRK5420CfgConverter). Headers go to include/VRK5420CfgConverter/ and are included as
# "interface/vrk5420_interfaces.h", "platform/oleauto.h" and so on, as inside the project.
# Every file belongs to one install component, and each component becomes one Debian package
# (cmake/packaging.cmake): runtime (the versioned library), development (headers, the unversioned link name,
# pkg-config and CMake files), tool (vrkcfg) and python (python/CMakeLists.txt).
include(GNUInstallDirs)
include(CMakePackageConfigHelpers)

set(VRK_PUBLIC_HEADERS
  interface/vrk5420_interfaces.h interface/server_identity.h
  platform/com_types.h platform/oleauto.h platform/com_ptr.h platform/safe_array.h platform/variant.h
  platform/com_client.h)
set(VRK_INSTALL_INCLUDEDIR ${CMAKE_INSTALL_INCLUDEDIR}/VRK5420CfgConverter)
set(VRK_INSTALL_CMAKEDIR ${CMAKE_INSTALL_LIBDIR}/cmake/VRK5420CfgConverter)

target_include_directories(VRK5420CfgConverter INTERFACE $<INSTALL_INTERFACE:${VRK_INSTALL_INCLUDEDIR}>)
target_compile_features(VRK5420CfgConverter INTERFACE cxx_std_17)

install(TARGETS VRK5420CfgConverter EXPORT VRK5420CfgConverterTargets
  LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT runtime NAMELINK_COMPONENT development)
install(TARGETS vrkcfg RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT tool)
foreach(header ${VRK_PUBLIC_HEADERS})
  get_filename_component(folder ${header} DIRECTORY)
  install(FILES ${CMAKE_SOURCE_DIR}/${header} DESTINATION ${VRK_INSTALL_INCLUDEDIR}/${folder} COMPONENT development)
endforeach()

install(EXPORT VRK5420CfgConverterTargets NAMESPACE VRK5420CfgConverter:: DESTINATION ${VRK_INSTALL_CMAKEDIR}
  COMPONENT development)
configure_package_config_file(${CMAKE_SOURCE_DIR}/cmake/VRK5420CfgConverterConfig.cmake.in
  ${CMAKE_BINARY_DIR}/VRK5420CfgConverterConfig.cmake INSTALL_DESTINATION ${VRK_INSTALL_CMAKEDIR})
write_basic_package_version_file(${CMAKE_BINARY_DIR}/VRK5420CfgConverterConfigVersion.cmake
  VERSION ${PROJECT_VERSION} COMPATIBILITY SameMajorVersion)
install(FILES ${CMAKE_BINARY_DIR}/VRK5420CfgConverterConfig.cmake
  ${CMAKE_BINARY_DIR}/VRK5420CfgConverterConfigVersion.cmake DESTINATION ${VRK_INSTALL_CMAKEDIR}
  COMPONENT development)

# The pkg-config file finds the prefix from its own place, so an installed tree can be moved.
file(RELATIVE_PATH VRK_PC_PREFIX ${CMAKE_INSTALL_FULL_LIBDIR}/pkgconfig ${CMAKE_INSTALL_PREFIX})
string(REGEX REPLACE "/$" "" VRK_PC_PREFIX "${VRK_PC_PREFIX}")
configure_file(${CMAKE_SOURCE_DIR}/cmake/VRK5420CfgConverter.pc.in ${CMAKE_BINARY_DIR}/VRK5420CfgConverter.pc @ONLY)
install(FILES ${CMAKE_BINARY_DIR}/VRK5420CfgConverter.pc DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig
  COMPONENT development)
