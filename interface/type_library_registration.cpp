// The type library's registration in the same registry script form as the classes: the library's version key
// with its file and help folder, and each interface's key naming the library and the automation marshaler.
#include "interface/type_library_registration.h"

#include "platform/registry_script.h"

namespace vrk {
namespace {

constexpr char kTypeLibraryScript[] = R"(
HKCR
{
	NoRemove TypeLib
	{
		{60488527-D1F6-4F56-8958-D9B80793C60F}
		{
			ForceRemove 1.0 = s 'VELMORA CfgConverter 1.0 Type Library'
			{
				0
				{
					win64 = s '%MODULE%'
				}
				FLAGS = s '0'
				HELPDIR = s '%HELPDIR%'
			}
		}
	}
	NoRemove Interface
	{
		ForceRemove {D289E531-5741-41B3-B57A-972BB7260CF5} = s 'IVRK5420CfgConverter'
		{
			ProxyStubClsid32 = s '{00020424-0000-0000-C000-000000000046}'
			TypeLib = s '{60488527-D1F6-4F56-8958-D9B80793C60F}'
			{
				val Version = s '1.0'
			}
		}
		ForceRemove {34B7B891-C981-4997-9BAB-136A41AF325B} = s 'IVRK5420CfgConValueIndexes'
		{
			ProxyStubClsid32 = s '{00020424-0000-0000-C000-000000000046}'
			TypeLib = s '{60488527-D1F6-4F56-8958-D9B80793C60F}'
			{
				val Version = s '1.0'
			}
		}
	}
}
)";

// The folder of a file, without a closing slash unless it is the root.
std::string FolderOf(const std::string& path) {
  const std::size_t slash = path.find_last_of('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

}  // namespace

HRESULT UpdateTypeLibraryRegistration(const std::string& module_path, bool add) {
  return registry::RunRegistryScript(kTypeLibraryScript, {{"MODULE", module_path}, {"HELPDIR", FolderOf(module_path)}},
                                     add);
}

}  // namespace vrk
