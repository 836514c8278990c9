# Writes hook_layout.h: where the link put MouseHookProc, as an offset from the
# library's base, so that tests can call the shipped procedure itself.
file(READ ${MAP} map)
string(REGEX MATCH "0x([0-9a-f]+)[ \t]+__image_base__" base_line "${map}")
set(base ${CMAKE_MATCH_1})
string(REGEX MATCH "0x([0-9a-f]+)[ \t]+_?MouseHookProc@12" proc_line "${map}")
set(proc ${CMAKE_MATCH_1})
if(NOT base OR NOT proc)
    message(FATAL_ERROR "MouseHookProc or the image base is missing from ${MAP}")
endif()
math(EXPR rva "0x${proc} - 0x${base}" OUTPUT_FORMAT HEXADECIMAL)
file(CONFIGURE OUTPUT ${OUT} CONTENT "#pragma once\n// Generated from the link map of Tallywhirl.dll.\n#define TW_MOUSE_HOOK_PROC_RVA ${rva}\n")
