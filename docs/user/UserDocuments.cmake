# The users' documents, made at build time from the read-me sources beside this file
# (readme.ja.md, readme.en.md), so that the read-me, the manual pages and the key table they
# show come from one text:
#   nwmp_user_documents_windows()          the read-me, README-ja.txt and README-en.txt, beside
#                                           the programs, as Notepad on Japanese Windows reads it
#   nwmp_user_documents_debian(FILES_VAR)  the read-me and the manual pages of the five commands
#                                           in the Debian package's places; FILES_VAR gets the
#                                           files to make.
# The generator is a Python 3 script; only the packages need it.

set(nwmp_user_documents_sources ${CMAKE_CURRENT_LIST_DIR})
set(nwmp_user_documents ${CMAKE_BINARY_DIR}/user-documents)
set(nwmp_user_documents_commands
    NorvalentWMP3TE NorvalentWMP3TEPemra NorvalentWMP3TEKOVEX NorvalentWMP3TEDask NorvalentWMP3set)
find_program(NWMP_PYTHON3 python3)
if(NOT NWMP_PYTHON3)
    install(CODE "message(FATAL_ERROR \"python3 makes the users' documents: run tools/setup-debian.sh\")")
endif()

# nwmp_user_document(OUT LANGUAGE KIND [ARGUMENTS...]): one run of the generator.
function(nwmp_user_document out language kind)
    set(source ${nwmp_user_documents_sources}/readme.${language}.md)
    add_custom_command(OUTPUT ${out}
        COMMAND ${NWMP_PYTHON3} ${nwmp_user_documents_sources}/make_user_documents.py
                ${kind} ${source} ${ARGN}
        DEPENDS ${source} ${nwmp_user_documents_sources}/make_user_documents.py
        COMMENT "Writing the users' ${kind} documents (${language})")
endfunction()

function(nwmp_user_documents_windows)
    set(files)
    foreach(language ja en)
        set(readme ${nwmp_user_documents}/windows/README-${language}.txt)
        nwmp_user_document(${readme} ${language} text ${readme} --windows)
        list(APPEND files ${readme})
    endforeach()
    if(NWMP_PYTHON3)
        add_custom_target(nwmp_user_documents ALL DEPENDS ${files})
    endif()
    install(FILES ${files} DESTINATION .)
endfunction()

function(nwmp_user_documents_debian files_var)
    if(NOT NWMP_PYTHON3)
        return()
    endif()
    set(files)
    foreach(language ja en)
        set(readme ${nwmp_user_documents}/debian/README-${language}.txt.gz)
        nwmp_user_document(${readme} ${language} text ${readme} --gzip)
        install(FILES ${readme} DESTINATION share/doc/norvalent-wmp3)

        # English is the manual pages' default; Japanese goes where LANG=ja_JP.UTF-8 finds it.
        set(folder ${nwmp_user_documents}/man/${language}/man1)
        set(pages ${nwmp_user_documents_commands})
        list(TRANSFORM pages PREPEND ${folder}/)
        list(TRANSFORM pages APPEND .1.gz)
        list(JOIN nwmp_user_documents_commands "," commands)
        nwmp_user_document("${pages}" ${language} man ${folder} --gzip
            --date ${NWMP_RELEASE_DATE} --version ${PROJECT_VERSION} --commands "${commands}")
        if(language STREQUAL en)
            install(FILES ${pages} DESTINATION share/man/man1)
        else()
            install(FILES ${pages} DESTINATION share/man/${language}/man1)
        endif()
        list(APPEND files ${readme} ${pages})
    endforeach()
    set(${files_var} ${${files_var}} ${files} PARENT_SCOPE)
endfunction()
