# What `cmake --install` puts under the prefix, and the Debian package CPack makes of it
# (`cpack -G DEB` in the build folder). The tool looks for its samples in ../share/ba-test-tool
# beside its bin folder (config::InstalledSamplesFolder), so both folders are fixed here.
set(BA_SHARE share/ba-test-tool)
install(TARGETS ba-test-tool ba-shot ba-script ba-sim RUNTIME DESTINATION bin)
install(FILES data/SystemVersion.txt data/ParameterSetup.txt data/CommandSetup.txt
  data/InterfaceVersion.txt data/README.md DESTINATION ${BA_SHARE})
# The pictures, and the acceptance scenarios for ba-script on a real device.
install(DIRECTORY data/Picture data/acceptance DESTINATION ${BA_SHARE})
install(FILES packaging/ba-test-tool.desktop DESTINATION share/applications)
install(FILES packaging/ba-test-tool.svg DESTINATION share/icons/hicolor/scalable/apps)
foreach(size 16 32 48 64 128 256)
  install(FILES packaging/icons/${size}x${size}.png
    DESTINATION share/icons/hicolor/${size}x${size}/apps RENAME ba-test-tool.png)
endforeach()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME ba-test-tool)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "BA Test Tool maintainers <maintainers@users.noreply.c-seed-d87bbaeb.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "service and test tool for bill acceptors on a serial line")
set(CPACK_PACKAGE_DESCRIPTION "\
A technician plugs a bill acceptor (banknote validator) into a serial port and\n\
starts ba-test-tool: it recognises the device, shows its version, runs its IO,\n\
motor and sensor tests and edits the configuration files of the known systems.\n\
Also: ba-script (headless scenarios and acceptance runs), ba-sim (a simulated\n\
acceptor on a pseudo-terminal) and ba-shot (screenshots).")
set(CPACK_DEBIAN_PACKAGE_SECTION electronics)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# The libraries come from dpkg-shlibdeps; the fonts stand in for the window's own.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-comic-neue, fonts-liberation | fonts-liberation2")
set(CPACK_STRIP_FILES ON)
include(CPack)
