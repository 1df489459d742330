# The Debian package: `cpack -G DEB` in a build folder (scripts/package.sh does it all) writes
# varnell_VERSION_ARCH.deb of everything the install rules place under /usr. Its Depends come
# from dpkg-shlibdeps reading the installed programs, so they name the real shared libraries.
set(CPACK_PACKAGE_NAME varnell)
set(CPACK_PACKAGE_VENDOR "The Varnell developers")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "batch audio converter: MPEG-4 audio to MP3 or WMA")
set(CPACK_PACKAGE_CONTACT "The Varnell developers <maintainers@varnell.example.com>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_GENERATOR DEB)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${CPACK_PACKAGE_CONTACT})
set(CPACK_DEBIAN_PACKAGE_SECTION sound)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
if(VARNELL_HOMEPAGE_URL)
  set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${VARNELL_HOMEPAGE_URL}")
endif()
# CPack puts the summary on the first line and indents these lines itself; an empty line
# becomes the paragraph break.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Varnell turns MPEG-4 audio (.m4a, .aac, and anything else FFmpeg can open)
into MP3, WMA, AAC/M4A, Ogg Vorbis, Opus, FLAC, WAV or AIFF files, one output
file per source or one merged file: a whole file keeps its
length to the sample, a clip starts and ends where you asked, tags and
cover art come along, and an existing file is never overwritten.

The package holds the desktop program varnell, with its preview player and
clip editor, and the command-line converter varnell-convert.")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The window draws the words on its skin in the skin's typeface, translated.
set(CPACK_DEBIAN_PACKAGE_DEPENDS fonts-dejavu-core)
# Qt's own texts (the standard buttons and dialogs) in the languages the window speaks.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS qt6-translations-l10n)
include(CPack)
