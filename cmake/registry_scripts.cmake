# The server's registry scripts (resources 101, 103 and 150), compiled into the model as their bytes.
foreach(script IN ITEMS "101;server_app_id" "103;converter_class" "150;value_indexes_class")
  list(GET script 0 id)
  list(GET script 1 name)
  set(output ${CMAKE_BINARY_DIR}/generated/registry_script_${id}.cpp)
  add_custom_command(OUTPUT ${output}
    COMMAND ${CMAKE_COMMAND} -DINPUT=${CMAKE_SOURCE_DIR}/resources/${name}.rgs -DOUTPUT=${output}
            -DSYMBOL=RegistryScript${id} -P ${CMAKE_SOURCE_DIR}/cmake/embed.cmake
    DEPENDS ${CMAKE_SOURCE_DIR}/resources/${name}.rgs ${CMAKE_SOURCE_DIR}/cmake/embed.cmake)
  target_sources(vrk_model PRIVATE ${output})
endforeach()
