# A module's resources: its .rc compiled by windres into a .res (the one resource file that both
# the Linux and the desktop build use), and, for the Linux build, an assembly file that embeds the
# .res in the shared library as the symbols cesim's loader reads: cesim_module_resources (the
# bytes) and cesim_module_resources_size (their count, 64 bits).

# foldwise_compile_resources(<rc file> <res file> [INCLUDE_DIRS dir...] [DEPENDS file...])
# Uses the windres found in FOLDWISE_WINDRES.
function(foldwise_compile_resources rc_file res_file)
  cmake_parse_arguments(ARG "" "" "INCLUDE_DIRS;DEPENDS" ${ARGN})
  set(include_flags "")
  foreach(dir IN LISTS ARG_INCLUDE_DIRS)
    list(APPEND include_flags -I ${dir})
  endforeach()
  add_custom_command(OUTPUT ${res_file}
    COMMAND ${FOLDWISE_WINDRES} -J rc -O res ${include_flags} ${rc_file} ${res_file}
    DEPENDS ${rc_file} ${ARG_DEPENDS}
    COMMENT "Compiling resources ${rc_file}")
endfunction()

# foldwise_embed_resources(<res file> <assembly file> [SYMBOL name])
# Writes the assembly file; list it among the library's sources. With SYMBOL the bytes are
# <name> and <name>_size, hidden inside the library (cesim's own system modules); without it they
# are the exported symbols that the loader looks for in a module.
function(foldwise_embed_resources res_file asm_file)
  cmake_parse_arguments(ARG "" "SYMBOL" "" ${ARGN})
  set(symbol cesim_module_resources)
  set(visibility "")
  if(ARG_SYMBOL)
    set(symbol ${ARG_SYMBOL})
    set(visibility "  .hidden ${symbol}\n  .hidden ${symbol}_size\n")
  endif()
  file(WRITE ${asm_file}
    "  .section .rodata\n"
    "  .balign 16\n"
    "  .globl ${symbol}\n"
    "  .type ${symbol}, @object\n"
    "${visibility}"
    "${symbol}:\n"
    "  .incbin \"${res_file}\"\n"
    "${symbol}_end:\n"
    "  .balign 8\n"
    "  .globl ${symbol}_size\n"
    "  .type ${symbol}_size, @object\n"
    "${symbol}_size:\n"
    "  .quad ${symbol}_end - ${symbol}\n"
    "  .section .note.GNU-stack,\"\",@progbits\n")
  set_source_files_properties(${asm_file} PROPERTIES OBJECT_DEPENDS ${res_file})
endfunction()
