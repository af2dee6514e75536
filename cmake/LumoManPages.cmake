# Man pages made from each program's --help and --version by help2man, with the
# sections --help does not carry from packaging/man/PROGRAM.h2m. Sets LUMO_MAN_PAGES
# to the gzipped pages.
set(LUMO_MAN_PAGES)
find_program(HELP2MAN help2man)
find_program(GZIP gzip)
if(NOT HELP2MAN OR NOT GZIP)
  message(WARNING "help2man or gzip not found: no man pages")
  return()
endif()

set(man_dir ${CMAKE_BINARY_DIR}/man)
file(MAKE_DIRECTORY ${man_dir})

# lumo-cli's page describes every verb, from `lumo-cli help VERB`.
set(verbs_include ${man_dir}/lumo-cli-verbs.h2m)
add_custom_command(OUTPUT ${verbs_include}
  COMMAND bash ${CMAKE_SOURCE_DIR}/packaging/man/verbs_section.sh $<TARGET_FILE:lumo-cli>
          ${verbs_include}
  DEPENDS lumo-cli ${CMAKE_SOURCE_DIR}/packaging/man/verbs_section.sh
  COMMENT "Describing lumo-cli's verbs for its man page")

foreach(program lumo lumo-cli tarn-sim)
  set(include ${CMAKE_SOURCE_DIR}/packaging/man/${program}.h2m)
  set(extra)
  set(extra_depends)
  if(program STREQUAL "lumo-cli")
    set(extra --include=${verbs_include})
    set(extra_depends ${verbs_include})
  endif()
  set(page ${man_dir}/${program}.1)
  add_custom_command(OUTPUT ${page}.gz
    COMMAND ${HELP2MAN} --no-info --section=1 --source=Vantor --include=${include} ${extra}
            --output=${page} $<TARGET_FILE:${program}>
    COMMAND ${GZIP} -9nf ${page}
    DEPENDS ${program} ${include} ${extra_depends}
    COMMENT "Making the man page of ${program}")
  list(APPEND LUMO_MAN_PAGES ${page}.gz)
endforeach()
add_custom_target(man_pages ALL DEPENDS ${LUMO_MAN_PAGES})
