# Stub Photoshop.exe files that carry a chosen version resource. Each lands in
# ${CMAKE_BINARY_DIR}/stubs/<name>/Photoshop.exe.
#   lumaset_stub_host_exe(NAME PRODUCT_VERSION LANG CODEPAGE)
# An empty LANG leaves out the translation list (the string table is then "040904E4");
# an empty PRODUCT_VERSION leaves out the version resource altogether. Beside the chosen
# table, a decoy table "040704b0" holds the ProductVersion "0.1-decoy".
# The native builds write them with their own tool, make-stub-exe (tools/stub_host), and
# need no Windows toolchain; the Windows build makes them with its windres and linker, and
# its test stub_versions holds both kinds to one version.
set(LUMASET_STUB_OUTPUTS "")
set(LUMASET_STUB_NAMES "")
set(LUMASET_STUB_DIR ${CMAKE_BINARY_DIR}/stubs)

if(WIN32)
  find_program(LUMASET_MINGW_GCC NAMES x86_64-w64-mingw32-gcc-posix x86_64-w64-mingw32-gcc REQUIRED)
  find_program(LUMASET_WINDRES NAMES x86_64-w64-mingw32-windres REQUIRED)
endif()

# The resource script of a stub, for windres.
function(lumaset_stub_rc rc version lang codepage)
  if(version STREQUAL "")
    file(WRITE ${rc}.new "STRINGTABLE\nBEGIN\n  1 \"A sample host without a version resource\"\nEND\n")
  else()
    if(lang STREQUAL "")
      set(table "040904E4")
      set(varinfo "")
    else()
      set(table "${lang}${codepage}")
      set(varinfo "  BLOCK \"VarFileInfo\"\n  BEGIN\n    VALUE \"Translation\", 0x${lang}, 0x${codepage}\n  END\n")
    endif()
    # A decoy table that a reader taking the wrong translation would find.
    file(WRITE ${rc}.new
      "1 VERSIONINFO\nFILEVERSION 1,0,0,0\nPRODUCTVERSION 1,0,0,0\nBEGIN\n"
      "  BLOCK \"StringFileInfo\"\n  BEGIN\n"
      "    BLOCK \"040704b0\"\n    BEGIN\n      VALUE \"ProductVersion\", \"0.1-decoy\"\n    END\n"
      "    BLOCK \"${table}\"\n    BEGIN\n"
      "      VALUE \"CompanyName\", \"Lumaset sample host\"\n"
      "      VALUE \"ProductName\", \"Sample host\"\n"
      "      VALUE \"ProductVersion\", \"${version}\"\n"
      "    END\n  END\n${varinfo}END\n")
  endif()
  file(COPY_FILE ${rc}.new ${rc} ONLY_IF_DIFFERENT)
endfunction()

function(lumaset_stub_host_exe name version lang codepage)
  set(dir ${LUMASET_STUB_DIR}/${name})
  set(exe ${dir}/Photoshop.exe)
  if(WIN32)
    set(rc ${dir}/stub.rc)
    lumaset_stub_rc(${rc} "${version}" "${lang}" "${codepage}")
    add_custom_command(
      OUTPUT ${exe}
      COMMAND ${LUMASET_WINDRES} ${rc} -O coff -o ${dir}/stub.o
      COMMAND ${LUMASET_MINGW_GCC} -s -o ${exe} ${CMAKE_SOURCE_DIR}/tools/stub_host/stub.c ${dir}/stub.o
      DEPENDS ${rc} ${CMAKE_SOURCE_DIR}/tools/stub_host/stub.c
      COMMENT "Stub host executable ${name}"
      VERBATIM)
  else()
    set(options "")
    if(NOT version STREQUAL "")
      list(APPEND options --product-version ${version})
      if(NOT lang STREQUAL "")
        list(APPEND options --translation ${lang} ${codepage})
      endif()
    endif()
    file(MAKE_DIRECTORY ${dir})
    add_custom_command(
      OUTPUT ${exe}
      COMMAND make-stub-exe ${exe} ${options}
      DEPENDS make-stub-exe
      COMMENT "Stub host executable ${name}"
      VERBATIM)
  endif()
  list(APPEND LUMASET_STUB_OUTPUTS ${exe})
  set(LUMASET_STUB_OUTPUTS ${LUMASET_STUB_OUTPUTS} PARENT_SCOPE)
  list(APPEND LUMASET_STUB_NAMES ${name})
  set(LUMASET_STUB_NAMES ${LUMASET_STUB_NAMES} PARENT_SCOPE)
endfunction()
