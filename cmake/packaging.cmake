# Installs Kelvane as a desktop application and packs it as a Debian package:
#   cmake -B build-rel -DCMAKE_BUILD_TYPE=Release && cmake --build build-rel
#   cd build-rel && cpack -G DEB        -> kelvane_<version>_<arch>.deb
include(GNUInstallDirs)

# Group-writable directories in the package would come from a loose umask.
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

install(TARGETS kelvane RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${PROJECT_SOURCE_DIR}/packaging/kelvane.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)

# Theme icons: the 256 pixel picture is the one built into the program, the
# smaller ones are committed resizes of it, so the build needs no image tool.
# Remade after the picture changes, for each size N, with ImageMagick:
#   convert src/app/resources/kelvane.png -filter Lanczos -resize NxN -strip
#           -define png:exclude-chunks=date,time PNG32:packaging/icons/kelvane-N.png
set(kelvane_icon_dir ${CMAKE_INSTALL_DATADIR}/icons/hicolor)
install(FILES ${PROJECT_SOURCE_DIR}/src/app/resources/kelvane.png
        DESTINATION ${kelvane_icon_dir}/256x256/apps)
foreach(size 16 22 24 32 48 64 128)
    install(FILES ${PROJECT_SOURCE_DIR}/packaging/icons/kelvane-${size}.png
            DESTINATION ${kelvane_icon_dir}/${size}x${size}/apps
            RENAME kelvane.png)
endforeach()
install(FILES ${PROJECT_SOURCE_DIR}/packaging/icons/kelvane.svg
        DESTINATION ${kelvane_icon_dir}/scalable/apps)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME kelvane)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Kelvane developers")
set(CPACK_PACKAGE_CONTACT "Kelvane developers <team@kelvane.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "TCP port latency meter and website up-check")
set(CPACK_PACKAGE_DESCRIPTION "Kelvane measures how long a TCP connection to a host and port takes,
once or continuously, and checks whether a website answers over HTTP.
It is a small Qt desktop program with a Chinese interface.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${CPACK_PACKAGE_CONTACT}")
set(CPACK_DEBIAN_PACKAGE_SECTION net)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

# Run-time needs the linker cannot see: the Chinese sans and Song faces the
# windows ask for by name, and xdg-open for the links.
set(kelvane_runtime_depends "fonts-wqy-zenhei, fonts-arphic-uming, xdg-utils")
# dpkg-shlibdeps (dpkg-dev) reads the libraries and their lowest versions from
# the binary itself; without it the Qt libraries are named by hand.
find_program(KELVANE_DPKG_SHLIBDEPS dpkg-shlibdeps)
if(KELVANE_DPKG_SHLIBDEPS)
    set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
    set(CPACK_DEBIAN_PACKAGE_DEPENDS "${kelvane_runtime_depends}")
else()
    set(CPACK_DEBIAN_PACKAGE_DEPENDS
        "libqt6widgets6 (>= 6.4), libqt6gui6 (>= 6.4), libqt6core6 (>= 6.4), ${kelvane_runtime_depends}")
endif()

include(CPack)
