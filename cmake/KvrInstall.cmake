# Install layout: the programs and the installer module in LIBDIR/kelvora, links to them in
# BINDIR, the read-only shipped data in DATADIR/kelvora, and the desktop integration. The
# learner's own files live elsewhere (the per-user data folder) and are never installed.
include(GNUInstallDirs)

set(KVR_PROGRAM_DIR ${CMAKE_INSTALL_LIBDIR}/kelvora)
set(KVR_SHARE_DIR ${CMAKE_INSTALL_DATADIR}/kelvora)
set(KVR_APP_ID org.example.kelvora.kvr)
set(KVR_EDITOR_APP_ID org.example.kelvora.kvreditor)
set(kvr_packaging ${PROJECT_SOURCE_DIR}/packaging)
set(kvr_staging ${CMAKE_BINARY_DIR}/packaging)
file(MAKE_DIRECTORY ${kvr_staging}/bin ${kvr_staging}/man)

foreach(target Kvr KvrEditor kelvora-install)
    if(TARGET ${target})
        install(TARGETS ${target} RUNTIME DESTINATION ${KVR_PROGRAM_DIR})
    endif()
endforeach()
if(TARGET KvrInstall)
    install(TARGETS KvrInstall LIBRARY DESTINATION ${KVR_PROGRAM_DIR})
endif()
# A stripped install also drops the compiler's .comment and .note sections, as Debian's own
# packages do; plain strip keeps them.
foreach(target Kvr KvrEditor kelvora-install KvrInstall)
    if(TARGET ${target} AND CMAKE_OBJCOPY)
        install(CODE "
            if(CMAKE_INSTALL_DO_STRIP)
                execute_process(COMMAND \"${CMAKE_OBJCOPY}\" --remove-section=.comment
                    --remove-section=.note
                    \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${KVR_PROGRAM_DIR}/$<TARGET_FILE_NAME:${target}>\"
                    RESULT_VARIABLE failed)
                if(failed)
                    message(FATAL_ERROR \"objcopy failed on $<TARGET_FILE_NAME:${target}>\")
                endif()
            endif()
        ")
    endif()
endforeach()

# Relative links, so the tree can be moved as a whole (DESTDIR, another prefix).
function(kvr_install_link link target)
    if(NOT TARGET ${target})
        return()
    endif()
    get_target_property(name ${target} OUTPUT_NAME)
    if(NOT name)
        set(name ${target})
    endif()
    file(RELATIVE_PATH relative ${CMAKE_INSTALL_FULL_BINDIR}
         ${CMAKE_INSTALL_FULL_LIBDIR}/kelvora/${name})
    file(CREATE_LINK ${relative} ${kvr_staging}/bin/${link} SYMBOLIC)
    install(FILES ${kvr_staging}/bin/${link} DESTINATION ${CMAKE_INSTALL_BINDIR})
endfunction()
kvr_install_link(kelvora Kvr)
kvr_install_link(kelvora-editor KvrEditor)
kvr_install_link(kelvora-install kelvora-install)

# The shipped data, with the version the per-user copy is seeded from.
install(DIRECTORY ${PROJECT_SOURCE_DIR}/data/Datas ${PROJECT_SOURCE_DIR}/data/skin
        DESTINATION ${KVR_SHARE_DIR})
install(FILES ${PROJECT_SOURCE_DIR}/data/Readme.txt DESTINATION ${KVR_SHARE_DIR})
# The installer's Commit opens the read-me from the program folder: one copy, linked there.
file(RELATIVE_PATH kvr_readme_link ${CMAKE_INSTALL_FULL_LIBDIR}/kelvora
     ${CMAKE_INSTALL_FULL_DATADIR}/kelvora/Readme.txt)
file(MAKE_DIRECTORY ${kvr_staging}/lib)
file(CREATE_LINK ${kvr_readme_link} ${kvr_staging}/lib/Readme.txt SYMBOLIC)
install(FILES ${kvr_staging}/lib/Readme.txt DESTINATION ${KVR_PROGRAM_DIR})
file(WRITE ${kvr_staging}/version "${PROJECT_VERSION}\n")
install(FILES ${kvr_staging}/version DESTINATION ${KVR_SHARE_DIR})

# Desktop entries name the programs by the path they are installed at, unless that is on
# the system's own search path.
set(kvr_desktop_files ${KVR_APP_ID})
if(TARGET KvrEditor)
    list(APPEND kvr_desktop_files ${KVR_EDITOR_APP_ID})
endif()
install(CODE "
    set(bin \"\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/\")
    if(CMAKE_INSTALL_PREFIX STREQUAL \"/usr\")
        set(bin \"\")
    elseif(bin MATCHES \"[ %]\")
        message(FATAL_ERROR \"Desktop entries cannot name programs under \${bin}\")
    endif()
    set(KVR_EXEC_STUDY \"\${bin}kelvora\")
    set(KVR_EXEC_EDITOR \"\${bin}kelvora-editor\")
    set(KVR_EXEC_INSTALL \"\${bin}kelvora-install\")
    foreach(id ${kvr_desktop_files})
        configure_file(${kvr_packaging}/\${id}.desktop.in ${kvr_staging}/\${id}.desktop @ONLY)
        file(INSTALL ${kvr_staging}/\${id}.desktop
             DESTINATION \"\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_DATADIR}/applications\")
    endforeach()
")

# The editor, when built, is the second way into the same application and the one that
# opens the export files.
set(KVR_EDITOR_LAUNCHABLE "")
set(KVR_EDITOR_PROVIDES "")
if(TARGET KvrEditor)
    set(KVR_EDITOR_LAUNCHABLE
        "\n  <launchable type=\"desktop-id\">${KVR_EDITOR_APP_ID}.desktop</launchable>")
    set(KVR_EDITOR_PROVIDES "\n    <binary>kelvora-editor</binary>
    <mediatype>application/x-kelvora-collection</mediatype>
    <mediatype>application/x-kelvora-folder</mediatype>")
endif()
configure_file(${kvr_packaging}/${KVR_APP_ID}.metainfo.xml ${kvr_staging}/${KVR_APP_ID}.metainfo.xml
               @ONLY)
install(FILES ${kvr_staging}/${KVR_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${kvr_packaging}/org.example.kelvora.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages)
install(FILES ${kvr_packaging}/icons/${KVR_APP_ID}.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
foreach(size 16 22 24 32 48 64 128 256)
    install(FILES ${kvr_packaging}/icons/${KVR_APP_ID}-${size}.png
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
            RENAME ${KVR_APP_ID}.png)
endforeach()

# Man pages and the changelog go compressed, without a time stamp.
function(kvr_gzip source target)
    execute_process(COMMAND gzip -9n -c ${source} OUTPUT_FILE ${target} RESULT_VARIABLE failed)
    if(failed)
        message(FATAL_ERROR "gzip failed on ${source}")
    endif()
    set_property(DIRECTORY ${PROJECT_SOURCE_DIR} APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${source})
endfunction()
foreach(page kelvora kelvora-editor kelvora-install)
    if(page STREQUAL "kelvora-editor" AND NOT TARGET KvrEditor)
        continue()
    endif()
    kvr_gzip(${kvr_packaging}/man/${page}.1 ${kvr_staging}/man/${page}.1.gz)
    install(FILES ${kvr_staging}/man/${page}.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endforeach()
kvr_gzip(${kvr_packaging}/changelog ${kvr_staging}/changelog.gz)
install(FILES ${kvr_packaging}/copyright ${kvr_staging}/changelog.gz
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/kelvora)
# The read-me and the empty log are data the programs open, not documentation.
if(CMAKE_INSTALL_PREFIX STREQUAL "/usr")
    install(FILES ${kvr_packaging}/lintian-overrides DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides
            RENAME kelvora)
endif()
