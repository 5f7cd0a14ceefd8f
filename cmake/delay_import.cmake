# A DLL imported only at the first call of one of its functions (the linker's delay
# import, resolved by mingw's __delayLoadHelper2 through LoadLibrary). A DLL that is not
# a KnownDLL is looked for beside the program first, and the import table is resolved
# before the program's first line: imported at the first call instead, it is loaded once
# the program has restricted the search to System32 (SetDefaultDllDirectories).
# lumaset_delay_import(TARGET DLL IMPORT_LIBRARY) makes the INTERFACE library TARGET,
# which links in place of the DLL's import library, from that library's symbols.
function(lumaset_delay_import target dll implib)
  set(folder ${CMAKE_BINARY_DIR}/delay_imports)
  set(def ${folder}/${target}.def)
  set(lib ${folder}/lib${target}.a)
  file(MAKE_DIRECTORY ${folder})
  execute_process(COMMAND ${CMAKE_NM} -g ${implib} OUTPUT_VARIABLE symbols RESULT_VARIABLE listed)
  string(REGEX MATCHALL "__imp_[A-Za-z0-9_]+" names "${symbols}")
  list(TRANSFORM names REPLACE "^__imp_" "")
  list(REMOVE_DUPLICATES names)
  if(NOT listed EQUAL 0 OR NOT names)
    message(FATAL_ERROR "no symbols read from ${implib}")
  endif()
  list(JOIN names "\n" exports)
  file(WRITE ${def} "LIBRARY ${dll}\nEXPORTS\n${exports}\n")
  execute_process(COMMAND ${CMAKE_DLLTOOL} --input-def ${def} --output-delaylib ${lib} --dllname ${dll}
                  RESULT_VARIABLE made)
  if(NOT made EQUAL 0)
    message(FATAL_ERROR "dlltool could not make the delay import library of ${dll}")
  endif()
  add_library(${target} INTERFACE)
  target_link_libraries(${target} INTERFACE ${lib} delayimp)
endfunction()
