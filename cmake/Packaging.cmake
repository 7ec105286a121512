# The Debian package: `cpack -G DEB` in a build folder makes sigmora_<version>_<arch>.deb of what
# the install rules install, under /usr. The libraries it needs are found by dpkg-shlibdeps from
# the binary; what the program loads or draws with at run time is named here, since no library
# links it. CPack writes the synopsis line from CPACK_PACKAGE_DESCRIPTION_SUMMARY, followed by
# CPACK_DEBIAN_PACKAGE_DESCRIPTION as the long description.

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME sigmora)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Kavlon Software")
set(CPACK_PACKAGE_CONTACT "Kavlon Software <packages@sigmora.org>")
set(CPACK_PACKAGE_INSTALL_DIRECTORY sigmora)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
# Installed files carry no debugging data; the build keeps it for its own debugging.
set(CPACK_STRIP_FILES ON)
# Folders the package makes are rwxr-xr-x whatever the umask of the one who builds it.
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION electronics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://sigmora.org)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Drawn text asks for Arial and Liberation Sans: fontconfig gives Liberation Sans for both. The
# icons are SVG, drawn by Qt's SVG icon plugin, which is loaded at run time and not linked.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation, libqt6svg6")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "editor for digital timing diagrams")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Sigmora is a desktop editor for digital timing diagrams. Hardware and
firmware engineers draw clocks, signals and buses over a grid of clock
half-cycles, annotate them with text boxes, arrows, labels and time breaks,
and put the result in their documents.
.
Diagrams are exported as PNG, bitmap, PDF, SVG and Windows metafile
pictures, and exchanged as WaveJSON (WaveDrom), XML and comma-separated
text; value change dumps of simulators are imported. The same conversions
run from the command line without a display (sigmora --convert).")

include(CPack)
