# Two ways to install. By default into a suite installation: `cmake --install build --prefix ROOT`
# puts the programs into ROOT/BIN, where they find everything else. As a system package
# (KWP_SYSTEM_INSTALL, used by `cpack -G DEB`): the installation root is KWP_SUITE_ROOT, the
# programs are linked onto the PATH, and the desktop entry, icon and AppStream data go below
# the prefix where desktops look for them.
option(KWP_SYSTEM_INSTALL "Install as a system package with desktop integration" OFF)
set(KWP_SUITE_ROOT "/opt/kwp" CACHE PATH "Installation root of a system install")

include(GNUInstallDirs)
if(KWP_SYSTEM_INSTALL)
  set(KWP_PROGRAM_DIR "${KWP_SUITE_ROOT}/BIN")
else()
  set(KWP_PROGRAM_DIR "BIN")
endif()

function(kwp_install_desktop_integration)
  if(NOT KWP_SYSTEM_INSTALL)
    return()
  endif()
  set(id de.kwp.kwp00207)
  set(dir ${CMAKE_SOURCE_DIR}/packaging)
  install(FILES ${dir}/${id}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  install(FILES ${dir}/${id}.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
  install(FILES ${dir}/${id}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
  # The programs find their installation from their own folder, so the PATH gets links.
  file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/links)
  foreach(program kwp00207 kwpadmin)
    file(CREATE_LINK ${KWP_PROGRAM_DIR}/${program} ${CMAKE_BINARY_DIR}/links/${program} SYMBOLIC)
    install(FILES ${CMAKE_BINARY_DIR}/links/${program} DESTINATION ${CMAKE_INSTALL_BINDIR})
  endforeach()

  set(CPACK_GENERATOR DEB)
  set(CPACK_PACKAGE_NAME kwp00207)
  set(CPACK_PACKAGE_VENDOR KWP)
  set(CPACK_PACKAGE_CONTACT "KWP Support <support@kwp.de>")
  set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Adressverwaltung der KWP-Suite (address manager)")
  set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
  set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
  set(CPACK_DEBIAN_PACKAGE_SECTION misc)
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
  # Qt finds its platform plugins at run time; no library dependency names them.
  set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
  set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA ${dir}/postinst)
  set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
  include(CPack)
endfunction()
