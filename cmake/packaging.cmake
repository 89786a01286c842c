# Debian packages of the install components (cmake/install.cmake): `cpack -G DEB` in the build folder, or
# `make deb`. Each component is one package, installed below /usr; the dependencies on system libraries come
# from dpkg-shlibdeps (dpkg-dev), those between the packages from the components' own dependencies.
#   libvrk5420cfgconverter1      runtime: the library, versioned, with its SONAME link
#   libvrk5420cfgconverter-dev   development: headers, the unversioned link name, pkg-config and CMake files
#   vrkcfg                       tool: the command-line tool
#   python3-vrk5420              python: the Python package (when the binding is built)
set(CPACK_PACKAGE_NAME vrk5420)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Configuration converter of the VRK-5420 vibration-monitoring instrument")
set(CPACK_PACKAGE_CONTACT "VRK-5420 configuration converter maintainers <vrk5420@localhost>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_GENERATOR DEB)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The Python extension needs the library of the runtime package, which is not installed while packaging.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS_PRIVATE_DIRS ${CMAKE_BINARY_DIR})
set(CPACK_DEBIAN_ENABLE_COMPONENT_DEPENDS ON)
set(CPACK_DEBIAN_PACKAGE_SECTION science)

set(CPACK_COMPONENTS_ALL runtime development tool)
set(CPACK_DEBIAN_RUNTIME_PACKAGE_NAME libvrk5420cfgconverter1)
set(CPACK_DEBIAN_RUNTIME_PACKAGE_SECTION libs)
set(CPACK_DEBIAN_RUNTIME_PACKAGE_GENERATE_SHLIBS ON)
set(CPACK_COMPONENT_RUNTIME_DESCRIPTION
  "Configuration converter of the VRK-5420 vibration-monitoring instrument (shared library)")
set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_NAME libvrk5420cfgconverter-dev)
set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_SECTION libdevel)
set(CPACK_COMPONENT_DEVELOPMENT_DEPENDS runtime)
set(CPACK_COMPONENT_DEVELOPMENT_DESCRIPTION
  "Configuration converter of the VRK-5420 instrument (headers, pkg-config and CMake files)")
set(CPACK_DEBIAN_TOOL_PACKAGE_NAME vrkcfg)
set(CPACK_DEBIAN_TOOL_PACKAGE_SECTION utils)
set(CPACK_COMPONENT_TOOL_DEPENDS runtime)
set(CPACK_COMPONENT_TOOL_DESCRIPTION "Command-line tool of the VRK-5420 configuration converter")
if(TARGET vrk5420_native)
  list(APPEND CPACK_COMPONENTS_ALL python)
  set(CPACK_DEBIAN_PYTHON_PACKAGE_NAME python3-vrk5420)
  set(CPACK_DEBIAN_PYTHON_PACKAGE_SECTION python)
  # The extension is built for one minor version of the interpreter.
  math(EXPR next_minor "${VRK_PYTHON_VERSION_MINOR} + 1")
  set(CPACK_DEBIAN_PYTHON_PACKAGE_DEPENDS "python3 (>= ${VRK_PYTHON_VERSION_MAJOR}.${VRK_PYTHON_VERSION_MINOR}), \
python3 (<< ${VRK_PYTHON_VERSION_MAJOR}.${next_minor})")
  set(CPACK_COMPONENT_PYTHON_DEPENDS runtime)
  set(CPACK_COMPONENT_PYTHON_DESCRIPTION "Python package vrk5420 of the VRK-5420 configuration converter")
endif()
include(CPack)

if(VRK_TESTS AND TARGET vrk5420_native AND NOT VRK_SANITIZE)
  add_test(NAME debian_packages
    COMMAND ${CMAKE_SOURCE_DIR}/tests/install/deb.sh ${CMAKE_BINARY_DIR} ${Python_EXECUTABLE})
endif()
