# SPDX-License-Identifier: GPL-3.0-or-later
# Debian's hardening flags (what `dpkg-buildflags` gives with hardening=+all)
# for optimised builds: fortified string and memory functions, a stack
# protector, position-independent executables and a read-only relocation
# table resolved at start-up. Off for Debug builds (fortification needs the
# optimiser) and for sanitizer or fuzzing builds, whose run-time libraries
# replace the same functions; -DSWEEPORA_HARDENING=OFF turns it off by hand.

option(SWEEPORA_HARDENING "Build optimised configurations with Debian's hardening flags" ON)

set(sweepora_flags_seen "${CMAKE_CXX_FLAGS} ${CMAKE_EXE_LINKER_FLAGS}")
foreach(config DEBUG RELEASE RELWITHDEBINFO MINSIZEREL)
  string(APPEND sweepora_flags_seen " ${CMAKE_CXX_FLAGS_${config}}")
endforeach()

if(NOT SWEEPORA_HARDENING)
  message(STATUS "Hardening flags: off (SWEEPORA_HARDENING)")
elseif(sweepora_flags_seen MATCHES "-fsanitize")
  message(STATUS "Hardening flags: off for this sanitizer build")
elseif(NOT CMAKE_CXX_COMPILER_ID MATCHES "GNU|Clang")
  message(STATUS "Hardening flags: off for ${CMAKE_CXX_COMPILER_ID}")
else()
  set(optimised "$<CONFIG:Release,RelWithDebInfo,MinSizeRel>")
  # A compiler that fortifies on its own (as some distributions' do) would
  # warn about the second definition; start from none.
  add_compile_options(
    "$<${optimised}:-U_FORTIFY_SOURCE;-D_FORTIFY_SOURCE=2>"
    "$<${optimised}:-fstack-protector-strong>"
    "$<${optimised}:-Wformat;-Werror=format-security>")
  # Qt asks for -fPIC on everything that links it, which a position-
  # independent executable accepts; only the link needs saying so.
  add_link_options(
    "$<$<AND:${optimised},$<STREQUAL:$<TARGET_PROPERTY:TYPE>,EXECUTABLE>>:-pie>"
    "$<${optimised}:LINKER:-z,relro;LINKER:-z,now>")
  message(STATUS "Hardening flags: on for optimised builds")
endif()
