# morvalen_empacotar(target SAIDA archive [PASTA folder] [ARQUIVOS file...])
#
# Builds the archive at build time with the packer from the files given and
# every file of the folder (sorted by name), and rebuilds it when one of them
# or the packer changes. The target is part of the default build.
function(morvalen_empacotar alvo)
  cmake_parse_arguments(E "" "SAIDA;PASTA" "ARQUIVOS" ${ARGN})
  set(arquivos ${E_ARQUIVOS})
  if(E_PASTA)
    file(GLOB da_pasta LIST_DIRECTORIES false CONFIGURE_DEPENDS "${E_PASTA}/*")
    list(SORT da_pasta)
    list(APPEND arquivos ${da_pasta})
  endif()
  if(NOT E_SAIDA)
    message(FATAL_ERROR "morvalen_empacotar(${alvo}): SAIDA is required")
  endif()
  if(NOT arquivos)
    message(FATAL_ERROR "morvalen_empacotar(${alvo}): no files to pack")
  endif()
  get_filename_component(pasta_saida "${E_SAIDA}" DIRECTORY)
  add_custom_command(OUTPUT "${E_SAIDA}"
    COMMAND ${CMAKE_COMMAND} -E make_directory "${pasta_saida}"
    COMMAND empacotador "${E_SAIDA}" ${arquivos}
    DEPENDS empacotador ${arquivos}
    COMMENT "Packing ${E_SAIDA}"
    VERBATIM)
  add_custom_target(${alvo} ALL DEPENDS "${E_SAIDA}")
endfunction()
