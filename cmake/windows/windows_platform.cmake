# Settings of the Windows build: the statically linked libxml2 (with the project's iconv over the system's code
# pages, both from cmake/windows/build-libxml2.sh), the C and C++ runtimes linked in so that the DLL and the
# executable need nothing beyond the system's own libraries, and Unicode Win32 declarations.
enable_language(RC)
add_compile_definitions(UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601)
add_link_options(-static -static-libgcc -static-libstdc++)

find_library(VRK_MINGW_ICONV iconv REQUIRED)
find_path(VRK_MINGW_ICONV_INCLUDE iconv.h REQUIRED)
add_library(vrk_iconv STATIC IMPORTED)
set_target_properties(vrk_iconv PROPERTIES IMPORTED_LOCATION ${VRK_MINGW_ICONV}
  INTERFACE_INCLUDE_DIRECTORIES ${VRK_MINGW_ICONV_INCLUDE})
set_property(TARGET LibXml2::LibXml2 APPEND PROPERTY INTERFACE_COMPILE_DEFINITIONS LIBXML_STATIC)
set_property(TARGET LibXml2::LibXml2 APPEND PROPERTY INTERFACE_LINK_LIBRARIES vrk_iconv ws2_32)
