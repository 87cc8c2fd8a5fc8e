# The Debian package, made by `cpack` (scripts/package) from the install rules of this tree.
# dpkg-shlibdeps finds the libraries the program links to; the rest are what it loads at run
# time: Qt's X11 platform plugin, the GStreamer plugins that play the alarms' wav, mp3 and wma
# files and the tones, and the sound theme whose sounds it plays.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME dialtop)
set(CPACK_PACKAGE_VENDOR "Dialtop developers")
set(CPACK_PACKAGE_CONTACT "Dialtop developers <dialtop@users.noreply.github.com>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "small desktop clock that stays in view")
# Debian shows the description on terminals: lines under 80 characters.
set(CPACK_PACKAGE_DESCRIPTION
    "A small black clock in the top-right corner of the screen showing the local
time in amber, with a second country's clock, a battery watch, scheduled
shutdown and reboot, seventeen daily alarms with sound files, system-wide
hotkeys, a tray icon and a system-information window.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://github.com/dialtop/dialtop)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "qt6-qpa-plugins, gstreamer1.0-plugins-base, gstreamer1.0-plugins-good, gstreamer1.0-plugins-ugly, gstreamer1.0-libav, sound-theme-freedesktop")
include(CPack)
