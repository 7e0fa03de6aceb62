# zel95_module_definition(TARGET DEF): links a module-definition file. Its
# exports alias the i686 stdcall symbols (Name = Name@12); x86_64 decorates
# nothing, so there the aliases are dropped and the names export as they are.
function(zel95_module_definition target def)
  get_filename_component(def ${def} ABSOLUTE)
  if(CMAKE_SIZEOF_VOID_P EQUAL 8)
    file(READ ${def} text)
    string(REGEX REPLACE " = [A-Za-z_][A-Za-z0-9_]*@[0-9]+" "" text "${text}")
    get_filename_component(name ${def} NAME)
    file(WRITE ${CMAKE_CURRENT_BINARY_DIR}/${name} "${text}")
    set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${def})
    target_sources(${target} PRIVATE ${CMAKE_CURRENT_BINARY_DIR}/${name})
  else()
    target_sources(${target} PRIVATE ${def})
  endif()
endfunction()
