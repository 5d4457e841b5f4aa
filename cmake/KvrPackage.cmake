# The Debian package (scripts/package.sh). It has no maintainer scripts: the questions about
# a learner's data are the learner's to answer (the menu entry "学習データの削除…"), and the
# desktop, icon and MIME caches follow through dpkg's triggers.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME kelvora)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "Kelvora developers <kelvora@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "English vocabulary drills from Japanese prompts")
set(CPACK_PACKAGE_DESCRIPTION
    "Kelvora is a study program for Japanese learners of English. It asks
the questions of a collection one after another: type the English for a
Japanese word, the Japanese for an English word, or pick one of four
choices. It keeps each learner's history and can drill the questions
missed most. Kelvora Editor creates and edits the question collections
and exchanges them as files. The user interface is in Japanese.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS
    "fonts-ipafont-gothic, fonts-ipafont-mincho, gstreamer1.0-plugins-good, qt6-speech-flite-plugin, open-jtalk, open-jtalk-mecab-naist-jdic, xdg-utils")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "hts-voice-nitech-jp-atr503-m001")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
include(CPack)
