# `cmake --install BUILD --prefix PREFIX` lays out the installed program:
#
#   PREFIX/lib/kelvane/        the program folder: kelvane, kelvane-cli, kelvane.CFG/.CFA/.CFM,
#                              *.kby, ZOL_*.lan, dd_import_*.txt and help/ (the programs find
#                              these files beside their executable, links resolved)
#   PREFIX/bin/                symbolic links kelvane and kelvane-cli into the program folder
#   PREFIX/share/applications/ kelvane.desktop (Kelvane) and morvane.desktop (kelvane -m)
#   PREFIX/share/icons/hicolor/scalable/apps/  their icons
#   PREFIX/share/man/man1/     kelvane.1 and kelvane-cli.1
#
# Expects KELVANE_PROGRAM_FILES (the data files copied beside the binaries) to be set.

set(KELVANE_INSTALL_PROGRAM_DIR lib/kelvane)

foreach(_program kelvane kelvane-cli)
    if(TARGET ${_program})
        install(TARGETS ${_program} RUNTIME DESTINATION ${KELVANE_INSTALL_PROGRAM_DIR})
        # A relative link, so that the tree may be moved or staged with DESTDIR.
        install(CODE "
            set(_bin \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/bin\")
            file(MAKE_DIRECTORY \"\${_bin}\")
            file(REMOVE \"\${_bin}/${_program}\")
            file(CREATE_LINK \"../${KELVANE_INSTALL_PROGRAM_DIR}/${_program}\" \"\${_bin}/${_program}\" SYMBOLIC)
            message(STATUS \"Installing: \${_bin}/${_program} -> ../${KELVANE_INSTALL_PROGRAM_DIR}/${_program}\")
        ")
    endif()
endforeach()

install(FILES ${KELVANE_PROGRAM_FILES} DESTINATION ${KELVANE_INSTALL_PROGRAM_DIR})
install(DIRECTORY ${PROJECT_SOURCE_DIR}/help/ DESTINATION ${KELVANE_INSTALL_PROGRAM_DIR}/help)

if(TARGET kelvane)
    install(FILES ${PROJECT_SOURCE_DIR}/dist/kelvane.desktop ${PROJECT_SOURCE_DIR}/dist/morvane.desktop
            DESTINATION share/applications)
    install(FILES ${PROJECT_SOURCE_DIR}/dist/kelvane.svg ${PROJECT_SOURCE_DIR}/dist/morvane.svg
            DESTINATION share/icons/hicolor/scalable/apps)
    install(FILES ${PROJECT_SOURCE_DIR}/dist/kelvane.1 DESTINATION share/man/man1)
endif()
if(TARGET kelvane-cli)
    install(FILES ${PROJECT_SOURCE_DIR}/dist/kelvane-cli.1 DESTINATION share/man/man1)
endif()

# The AppStream description for software centres.
if(TARGET kelvane)
    install(FILES ${PROJECT_SOURCE_DIR}/dist/org.kelvane.Kelvane.metainfo.xml
            DESTINATION share/metainfo)
endif()
