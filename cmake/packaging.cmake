# Packages of the installed game: `cpack -G DEB`, a Debian package whose dependencies
# dpkg-shlibdeps works out from the libraries the programs actually link, and
# `cpack -G TGZ`, an archive of the install tree. Stripped of debug information.
set(PELMAR_PACKAGE_MAINTAINER "the Pelmar developers" CACHE STRING
    "Maintainer named in the Debian package (Name <address>)")

set(CPACK_PACKAGE_NAME pelmar)
set(CPACK_PACKAGE_VENDOR "the Pelmar developers")
set(CPACK_PACKAGE_CONTACT "${PELMAR_PACKAGE_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "3D puzzle: roll a die across a board of numbered cells")
set(CPACK_PACKAGE_DESCRIPTION "A die stands on a 6 x 6 board of numbered cells. It may roll onto a
cell only if the face that then lies on the board shows the cell's number,
and never straight back. Roll it to the far corner in each of 20 stages.
Comes with pelmar-stage, which checks, solves and generates stages.")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_RESOURCE_FILE_README ${PROJECT_SOURCE_DIR}/README.md)
set(CPACK_STRIP_FILES ON)
set(CPACK_GENERATOR DEB TGZ)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT) # pelmar_VERSION_ARCH.deb
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# SDL loads libGL.so.1 for its OpenGL window at run time, which no linked library names.
set(CPACK_DEBIAN_PACKAGE_DEPENDS libgl1)
# Software rendering where the machine has no GL driver of its own.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS libgl1-mesa-dri)

include(CPack)
