# The real plug-in: stavenor2000.fxt, a 32-bit DLL that imports the host's
# services from FINALE.EXE by ordinal and nothing but system DLLs besides.

set(FINALE_IMPORT_LIB ${CMAKE_BINARY_DIR}/libfinale_host.a)
add_custom_command(
  OUTPUT ${FINALE_IMPORT_LIB}
  COMMAND ${STAVENOR_DLLTOOL} -d ${CMAKE_SOURCE_DIR}/src/platform/FINALE.def -l ${FINALE_IMPORT_LIB} -k
  DEPENDS ${CMAKE_SOURCE_DIR}/src/platform/FINALE.def
  COMMENT "Import library for FINALE.EXE (by ordinal)")
add_custom_target(finale_import_lib DEPENDS ${FINALE_IMPORT_LIB})

add_library(stavenor2000 SHARED ${STAVENOR_MODULE_SOURCES} ${CMAKE_SOURCE_DIR}/src/dialogs/dialog_templates.rc
                                 ${CMAKE_SOURCE_DIR}/src/shell/stavenor2000.def)
add_dependencies(stavenor2000 finale_import_lib)
set_target_properties(stavenor2000 PROPERTIES PREFIX "" OUTPUT_NAME stavenor2000 SUFFIX ".fxt")
target_include_directories(stavenor2000 PRIVATE ${CMAKE_SOURCE_DIR}/src)
target_compile_options(stavenor2000 PRIVATE ${STAVENOR_MODULE_WARNINGS} -Os -ffunction-sections -fdata-sections)
target_link_options(stavenor2000 PRIVATE -static -static-libgcc -static-libstdc++ -s -Wl,--gc-sections
                    -Wl,--enable-stdcall-fixup)
target_link_libraries(stavenor2000 PRIVATE ${FINALE_IMPORT_LIB})

enable_testing()
find_program(PYTHON3 python3 REQUIRED)
add_test(NAME dll_tables
         COMMAND ${PYTHON3} ${CMAKE_SOURCE_DIR}/tests/dll/check_dll_tables.py
                 --objdump ${STAVENOR_OBJDUMP} --nm ${STAVENOR_NM} --import-lib ${FINALE_IMPORT_LIB}
                 $<TARGET_FILE:stavenor2000>)
add_test(NAME dialog_resources
         COMMAND ${PYTHON3} ${CMAKE_SOURCE_DIR}/tests/dll/check_dialog_resources.py
                 --windres ${CMAKE_RC_COMPILER} --script ${CMAKE_SOURCE_DIR}/src/dialogs/dialog_templates.rc
                 $<TARGET_FILE:stavenor2000>)
