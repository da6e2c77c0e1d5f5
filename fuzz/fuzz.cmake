# The fuzz build (KORVA_FUZZ=ON, clang): korva_lib instrumented for libFuzzer
# with AddressSanitizer and UndefinedBehaviorSanitizer, and one fuzzer for every
# fuzz/<target>_fuzz.cpp. Included from the top-level CMakeLists.txt, in its
# scope, after korva_lib and the programs are defined.
#
# clang accepts no execution character set but UTF-8, and every narrow literal
# of the program must be Windows-1252. So the sources are compiled from copies
# in which each non-ASCII character of a literal is written as the octal
# escape of its Windows-1252 byte (fuzz/tools/literal_charset.h): the
# program gets the bytes g++ gives it with -fexec-charset=CP1252.

if(KORVA_TESTS)
  message(FATAL_ERROR "the fuzz build compiles no tests: configure it with -DKORVA_TESTS=OFF")
endif()

set(KORVA_FUZZ_FLAGS -fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer)

# The literal converter runs on the build machine, uninstrumented.
add_executable(korva_literal_charset ${CMAKE_SOURCE_DIR}/fuzz/tools/literal_charset_main.cpp
                                     ${CMAKE_SOURCE_DIR}/fuzz/tools/literal_charset.cpp)

set(KORVA_CP1252_DIR ${CMAKE_BINARY_DIR}/cp1252)

# The converted copy of one source; its name is returned in `out_var`.
function(korva_cp1252_copy input output out_var)
  add_custom_command(
    OUTPUT ${output}
    COMMAND korva_literal_charset ${input} ${output}
    DEPENDS ${input} korva_literal_charset
    COMMENT "Windows-1252 literals: ${output}"
    VERBATIM)
  set(${out_var} ${output} PARENT_SCOPE)
endfunction()

file(GLOB_RECURSE KORVA_FUZZ_TEXTS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/src/*.cpp ${CMAKE_SOURCE_DIR}/src/*.h)
set(KORVA_FUZZ_LIB_SOURCES "")
foreach(text IN LISTS KORVA_FUZZ_TEXTS)
  file(RELATIVE_PATH relative ${CMAKE_SOURCE_DIR} ${text})
  korva_cp1252_copy(${text} ${KORVA_CP1252_DIR}/${relative} copy)
  if(text IN_LIST KORVA_SOURCES OR text MATCHES "\\.h$")
    list(APPEND KORVA_FUZZ_LIB_SOURCES ${copy})
  endif()
endforeach()
korva_cp1252_copy(${KORVA_TEMPLATES_CPP} ${KORVA_CP1252_DIR}/generated/templates.cpp templates_copy)
korva_cp1252_copy(${KORVA_HELP_CPP} ${KORVA_CP1252_DIR}/generated/help_texts.cpp help_copy)
list(APPEND KORVA_FUZZ_LIB_SOURCES ${templates_copy} ${help_copy} ${KORVA_TEMPLATE_IDS})

# korva_lib and the programs are built from the copies, and every header
# is taken from them.
set_property(TARGET korva_lib PROPERTY SOURCES ${KORVA_FUZZ_LIB_SOURCES})
set_property(TARGET korva PROPERTY SOURCES ${KORVA_CP1252_DIR}/src/main.cpp)
set_property(TARGET korva-vbrun PROPERTY SOURCES ${KORVA_CP1252_DIR}/src/vbrun_main.cpp)
set_property(TARGET korva-xmile PROPERTY SOURCES ${KORVA_CP1252_DIR}/src/xmile_main.cpp)
set_property(TARGET korva-ver PROPERTY SOURCES ${KORVA_CP1252_DIR}/src/ver_main.cpp)
foreach(property INCLUDE_DIRECTORIES INTERFACE_INCLUDE_DIRECTORIES)
  get_target_property(directories korva_lib ${property})
  list(TRANSFORM directories REPLACE "^${CMAKE_SOURCE_DIR}/src$" "${KORVA_CP1252_DIR}/src")
  set_property(TARGET korva_lib PROPERTY ${property} ${directories})
endforeach()

target_compile_options(korva_lib PRIVATE ${KORVA_FUZZ_FLAGS} -fsanitize=fuzzer-no-link)
foreach(program korva korva-vbrun korva-ver korva-xmile)
  target_compile_options(${program} PRIVATE ${KORVA_FUZZ_FLAGS})
  target_link_options(${program} PRIVATE -fsanitize=address,undefined)
endforeach()

# The entry functions that the fuzzers and the regression tests share.
add_library(korva_fuzz_entries STATIC ${CMAKE_SOURCE_DIR}/fuzz/entries.cpp)
target_link_libraries(korva_fuzz_entries PUBLIC korva_lib)
target_include_directories(korva_fuzz_entries PUBLIC ${CMAKE_SOURCE_DIR}/fuzz)
target_compile_options(korva_fuzz_entries PRIVATE ${KORVA_FUZZ_FLAGS} -fsanitize=fuzzer-no-link)
target_compile_definitions(korva_fuzz_entries PRIVATE KORVA_SOURCE_DIR="${CMAKE_SOURCE_DIR}")

file(GLOB KORVA_FUZZERS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/fuzz/*_fuzz.cpp)
foreach(source IN LISTS KORVA_FUZZERS)
  get_filename_component(name ${source} NAME_WE)
  add_executable(${name} ${source})
  target_link_libraries(${name} PRIVATE korva_fuzz_entries)
  target_compile_options(${name} PRIVATE ${KORVA_FUZZ_FLAGS} -fsanitize=fuzzer)
  target_link_options(${name} PRIVATE -fsanitize=fuzzer,address,undefined)
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/fuzz)
endforeach()
