# VRK5420CfgConverter.dll, the in-process server: the component's areas linked whole, the four entry points
# exported by the module definition file, and the resources (type library, registry scripts, string table,
# default configuration, version information) compiled by windres.
add_library(VRK5420CfgConverter SHARED ${CMAKE_SOURCE_DIR}/cmake/empty.cpp)
set_target_properties(VRK5420CfgConverter PROPERTIES PREFIX "" OUTPUT_NAME VRK5420CfgConverter)
target_sources(VRK5420CfgConverter PRIVATE ${CMAKE_CURRENT_LIST_DIR}/VRK5420CfgConverter.def)
target_link_libraries(VRK5420CfgConverter PRIVATE -Wl,--whole-archive ${VRK_AREAS} -Wl,--no-whole-archive
  LibXml2::LibXml2 Threads::Threads ${VRK_SYSTEM_LIBS})
target_link_options(VRK5420CfgConverter PRIVATE -Wl,--no-undefined)

# The type library, compiled from the IDL against the build-time copy of the standard type library.
set(idl_dir ${CMAKE_BINARY_DIR}/generated/idl)
set(VRK_TYPELIB ${idl_dir}/VRK5420CfgConverter.tlb)
set(stdole ${idl_dir}/stdole2.tlb)
set(base_idl ${CMAKE_SOURCE_DIR}/platform/windows/automation_base.idl)
add_custom_command(OUTPUT ${stdole}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${idl_dir}
  COMMAND ${VRK_WIDL} --nostdinc --win64 -I ${CMAKE_SOURCE_DIR}/platform/windows -t -o ${stdole}
          ${CMAKE_SOURCE_DIR}/platform/windows/stdole2.idl
  DEPENDS ${CMAKE_SOURCE_DIR}/platform/windows/stdole2.idl ${base_idl})
add_custom_command(OUTPUT ${VRK_TYPELIB}
  COMMAND ${VRK_WIDL} --nostdinc --win64 -I ${CMAKE_SOURCE_DIR}/platform/windows -L ${idl_dir} -t
          -o ${VRK_TYPELIB} ${CMAKE_SOURCE_DIR}/interface/vrk5420_interfaces.idl
  DEPENDS ${CMAKE_SOURCE_DIR}/interface/vrk5420_interfaces.idl ${base_idl} ${stdole})

# The message table as string tables.
set(VRK_MESSAGE_TABLE_RC ${CMAKE_BINARY_DIR}/generated/message_table.rc)
add_custom_command(OUTPUT ${VRK_MESSAGE_TABLE_RC}
  COMMAND ${CMAKE_COMMAND} -DINPUT=${CMAKE_SOURCE_DIR}/resources/message_texts.cpp -DOUTPUT=${VRK_MESSAGE_TABLE_RC}
          -P ${CMAKE_CURRENT_LIST_DIR}/message_table_rc.cmake
  DEPENDS ${CMAKE_SOURCE_DIR}/resources/message_texts.cpp ${CMAKE_CURRENT_LIST_DIR}/message_table_rc.cmake)

# The registry scripts under the resource type "REGISTRY".
set(VRK_REGISTRY_RESOURCES "")
set(registry_scripts "")
foreach(script IN ITEMS "101;server_app_id" "103;converter_class" "150;value_indexes_class")
  list(GET script 0 id)
  list(GET script 1 name)
  set(file ${CMAKE_SOURCE_DIR}/resources/${name}.rgs)
  string(APPEND VRK_REGISTRY_RESOURCES "${id} REGISTRY \"${file}\"\n")
  list(APPEND registry_scripts ${file})
endforeach()

set(rc_file ${CMAKE_BINARY_DIR}/generated/VRK5420CfgConverter.rc)
configure_file(${CMAKE_CURRENT_LIST_DIR}/VRK5420CfgConverter.rc.in ${rc_file} @ONLY)
set_source_files_properties(${rc_file} PROPERTIES OBJECT_DEPENDS
  "${VRK_TYPELIB};${VRK_MESSAGE_TABLE_RC};${CMAKE_SOURCE_DIR}/resources/default_config.xml;${registry_scripts}")
target_sources(VRK5420CfgConverter PRIVATE ${rc_file} ${VRK_TYPELIB} ${VRK_MESSAGE_TABLE_RC})
