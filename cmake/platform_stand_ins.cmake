# The sources in platform/ that stand in for the system's automation platform on Linux (BSTR, SAFEARRAY, error
# information, thread language and locale, registry, VARIANT, class lookup and loading, module path). A Windows build leaves them out and links the system's
# oleaut32, ole32 and advapi32 instead; VRK_PLATFORM_EXCLUDE holds the regular expressions of what to leave out.
set(VRK_PLATFORM_STAND_INS
  "platform/bstr\\.cpp$"
  "platform/safearray\\.cpp$"
  "platform/error_info\\.cpp$"
  "platform/thread_language\\.cpp$"
  "platform/registry(_file|_tree)?\\.cpp$"
  "platform/variant\\.cpp$"
  "platform/com_client\\.cpp$"
  "platform/module_loader\\.cpp$"
  "platform/module_path\\.cpp$")

if(WIN32)
  set(VRK_PLATFORM_EXCLUDE ${VRK_PLATFORM_STAND_INS})
  # What takes a stand-in's place where the system has no function of that name and shape.
  set(VRK_PLATFORM_SYSTEM_SOURCES platform/windows/*.cpp)
  set(VRK_SYSTEM_LIBS vrk_iconv oleaut32 ole32 advapi32 uuid)
else()
  set(VRK_PLATFORM_EXCLUDE)
  set(VRK_PLATFORM_SYSTEM_SOURCES)
  set(VRK_SYSTEM_LIBS)
endif()
