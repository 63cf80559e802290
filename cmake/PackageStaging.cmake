# SPDX-License-Identifier: GPL-3.0-or-later
# Run by CPack (CPACK_PRE_BUILD_SCRIPTS) on the staged package tree, after
# the install and its strip, before the .deb is made:
# - removes the .comment and .note sections that strip leaves in the
#   programs (the compiler's and linker's version strings), as Debian's
#   dh_strip does;
# - writes the doc-base registration of the user guide, which names the
#   guide's absolute place under the package's prefix.

set(root "${CPACK_TEMPORARY_DIRECTORY}${CPACK_PACKAGING_INSTALL_PREFIX}")
if(NOT IS_DIRECTORY "${root}/bin")
  message(FATAL_ERROR "No staged programs in ${root}/bin")
endif()

find_program(objcopy NAMES objcopy REQUIRED)
foreach(program sweepora sweepora-cli)
  execute_process(
    COMMAND "${objcopy}" --remove-section=.comment --remove-section=.note "${root}/bin/${program}"
    RESULT_VARIABLE result)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "objcopy could not remove .comment and .note from bin/${program}")
  endif()
endforeach()

set(guide "${CPACK_PACKAGING_INSTALL_PREFIX}/${CPACK_SWEEPORA_DOC_DIR}/guide.html")
if(NOT EXISTS "${CPACK_TEMPORARY_DIRECTORY}${guide}")
  message(FATAL_ERROR "The staged package has no ${guide}")
endif()
configure_file("${CPACK_SWEEPORA_DOC_BASE_TEMPLATE}" "${root}/share/doc-base/sweepora" @ONLY)
