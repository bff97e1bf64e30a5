# The Debian package: `cpack -G DEB` in a build folder (scripts/build-deb.sh does it all).
set(CPACK_PACKAGE_NAME tallowin)
set(CPACK_PACKAGE_VENDOR "The Tallowin developers")
set(CPACK_PACKAGE_CONTACT "Tallowin developers <maintainers@tallowin.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "rename many files at once by rules")
set(CPACK_PACKAGE_HOMEPAGE_URL "https://tallowin.example")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_STRIP_FILES ON)
# Packages hold directories as 0755 whatever the builder's umask.
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Loaded as plugins, so dpkg-shlibdeps cannot see them: the SVG icon engine draws every
# button of the windows.
if(TALLOWIN_GUI)
  set(CPACK_DEBIAN_PACKAGE_DEPENDS "libqt6svg6 (>= 6.4)")
endif()
# The long description under the summary; CPack indents it and marks the empty lines.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Tallowin renames many files at once. Pick a folder, narrow the list by name
and type, tick the files, and build an ordered list of rules: replace, insert
or remove text, change the extension, number the files, change the case of
letters, tidy spaces, or name music files after their MP3 tags.

Every old name is shown beside its new name before anything is renamed. Files
are renamed one after the other, every failure is told, and an existing file
is never overwritten.

The command-line program tallowin-cli runs the same renaming without windows.")
include(CPack)
