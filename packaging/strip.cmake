# SPDX-License-Identifier: MIT
# Run by CPack after it has installed what it packages: strips the programs, the shared and the
# static library the way Debian's own packages are stripped.
find_program(strip NAMES strip REQUIRED)
file(GLOB_RECURSE staged LIST_DIRECTORIES false "${CPACK_TEMPORARY_INSTALL_DIRECTORY}/*")
foreach(file ${staged})
  if(IS_SYMLINK "${file}")
    continue()
  endif()
  if(file MATCHES "/bin/[^/]+$")
    execute_process(COMMAND ${strip} --remove-section=.comment --remove-section=.note
                            --strip-unneeded "${file}"
                    COMMAND_ERROR_IS_FATAL ANY)
  elseif(file MATCHES "\\.so\\.[0-9.]+$" OR file MATCHES "/dist-packages/[^/]+\\.so$")
    execute_process(COMMAND ${strip} --remove-section=.comment --remove-section=.note
                            --strip-unneeded "${file}"
                    COMMAND_ERROR_IS_FATAL ANY)
  elseif(file MATCHES "\\.a$")
    execute_process(COMMAND ${strip} --strip-debug --remove-section=.comment
                            --remove-section=.note --enable-deterministic-archives "${file}"
                    COMMAND_ERROR_IS_FATAL ANY)
  endif()
endforeach()
