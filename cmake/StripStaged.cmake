# Run by CPack (CPACK_PRE_BUILD_SCRIPTS) on the staged files before it packs them: strips every
# ELF file the way dh_strip does, dropping the .comment and .note sections as well (plain strip
# keeps them). Shared objects keep the symbols they need for relocation.
file(GLOB_RECURSE staged LIST_DIRECTORIES false "${CPACK_TEMPORARY_INSTALL_DIRECTORY}/*")
foreach(path IN LISTS staged)
  if(IS_SYMLINK "${path}")
    continue()
  endif()
  file(READ "${path}" magic LIMIT 4 HEX)
  if(NOT magic STREQUAL "7f454c46")
    continue()
  endif()
  set(how)
  if(path MATCHES "\\.so(\\.[0-9]+)*$")
    set(how --strip-unneeded)
  endif()
  execute_process(
    COMMAND "${CPACK_TULO_STRIP}" ${how} --remove-section=.comment --remove-section=.note "${path}"
    RESULT_VARIABLE result)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "strip failed on ${path}")
  endif()
endforeach()
