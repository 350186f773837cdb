# The Debian package of the three programs (scripts/package): installed
# under /usr, its dependencies found from the binaries by dpkg-shlibdeps.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME vornix-control)
set(CPACK_PACKAGE_VENDOR "Vornix")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Editor for the Vornix bass preamp pedal")
set(CPACK_PACKAGE_DESCRIPTION
    "VornixControl edits the sound, presets, impulse responses and settings of the Vornix\n"
    "bass preamp and effects pedal over USB MIDI. The package holds the desktop editor\n"
    "vornix-control, the command line vornixctl and the simulated pedal vornix-sim.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "VornixControl developers <dev@vornix.example>")
set(CPACK_DEBIAN_PACKAGE_SECTION sound)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://vornix.example/)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The fonts are embedded; the sound servers RtMidi and RtAudio reach are optional.
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "jackd2")
include(CPack)
