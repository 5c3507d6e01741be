# What `cmake --install BUILD` puts where, and the Debian package `cpack -G DEB` makes from it
# (run in BUILD; scripts/package.sh builds and checks it). Included at the end of the top
# CMakeLists.txt, once every target exists. The files it installs besides the programs are in
# packaging/.
include(GNUInstallDirs)

set(TULO_PACKAGING_DIR ${PROJECT_SOURCE_DIR}/packaging)
# The AppStream id; the desktop entry and the metainfo file are named after it.
set(TULO_APP_ID com.example.tulo)
# The Debian revision of the package: 1 for each new upstream version.
set(TULO_DEB_REVISION 1)

install(TARGETS tulo-calc RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

# --- Hardening ----------------------------------------------------------------------------------
# The flags dpkg-buildflags gives Debian's own packages (with hardening=+bindnow), for every
# target of the project in an optimised build. Not with the sanitizers or the fuzzers: their
# interceptors and the fortified functions get in each other's way.
option(TULO_HARDEN "Build optimised configurations with Debian's hardening flags" ON)
function(tulo_harden_targets dir)
  get_property(targets DIRECTORY ${dir} PROPERTY BUILDSYSTEM_TARGETS)
  foreach(target IN LISTS targets)
    get_target_property(type ${target} TYPE)
    if(type MATCHES "^(EXECUTABLE|STATIC_LIBRARY|SHARED_LIBRARY|MODULE_LIBRARY|OBJECT_LIBRARY)$")
      set(optimised $<NOT:$<CONFIG:Debug>>)
      target_compile_options(${target} PRIVATE $<${optimised}:-fstack-protector-strong>)
      target_compile_definitions(${target} PRIVATE $<${optimised}:_FORTIFY_SOURCE=2>)
      if(NOT type MATCHES "^(STATIC|OBJECT)_LIBRARY$")
        target_link_options(${target} PRIVATE $<${optimised}:LINKER:-z,relro,-z,now>)
      endif()
    endif()
  endforeach()
  get_property(subdirs DIRECTORY ${dir} PROPERTY SUBDIRECTORIES)
  foreach(subdir IN LISTS subdirs)
    tulo_harden_targets(${subdir})
  endforeach()
endfunction()
if(TULO_HARDEN AND NOT TULO_SANITIZE AND NOT TULO_FUZZ)
  tulo_harden_targets(${PROJECT_SOURCE_DIR})
endif()

# --- Manual pages -------------------------------------------------------------------------------
# tulo-calc's page is made from its --help by help2man; tulo's is written by hand. Both are
# installed gzipped with gzip -n (no name or time stamp in the header), as Debian wants them.
find_program(TULO_HELP2MAN help2man)
find_program(TULO_GZIP gzip)
set(TULO_MAN_DIR ${CMAKE_BINARY_DIR}/man)
set(TULO_MAN_PAGES)

function(tulo_gzip_man page)
  add_custom_command(
    OUTPUT ${TULO_MAN_DIR}/${page}.gz
    COMMAND ${TULO_GZIP} -9 -n -f -k ${TULO_MAN_DIR}/${page}
    DEPENDS ${TULO_MAN_DIR}/${page}
    VERBATIM)
  set(TULO_MAN_PAGES ${TULO_MAN_PAGES} ${TULO_MAN_DIR}/${page}.gz PARENT_SCOPE)
endfunction()

if(TULO_HELP2MAN AND TULO_GZIP AND NOT CMAKE_CROSSCOMPILING)
  add_custom_command(
    OUTPUT ${TULO_MAN_DIR}/tulo-calc.1
    COMMAND ${CMAKE_COMMAND} -E make_directory ${TULO_MAN_DIR}
    COMMAND ${TULO_HELP2MAN} --no-info --section=1 --version-string=${PROJECT_VERSION}
            "--name=properties of water and steam from the command line"
            "--source=tulo ${PROJECT_VERSION}" "--manual=User Commands"
            --include=${TULO_PACKAGING_DIR}/tulo-calc.h2m --output=${TULO_MAN_DIR}/tulo-calc.1
            $<TARGET_FILE:tulo-calc>
    DEPENDS tulo-calc ${TULO_PACKAGING_DIR}/tulo-calc.h2m
    VERBATIM)
  tulo_gzip_man(tulo-calc.1)
else()
  message(STATUS "help2man or gzip not found: tulo-calc's manual page is not built")
endif()

# --- Debian documentation: the copyright file and the changelog ---------------------------------
# The changelog's first entry must name this version, else the package would claim another one.
file(STRINGS ${TULO_PACKAGING_DIR}/changelog.Debian TULO_CHANGELOG_TOP LIMIT_COUNT 1)
set(TULO_DEB_VERSION ${PROJECT_VERSION}-${TULO_DEB_REVISION})
if(NOT TULO_CHANGELOG_TOP MATCHES "^tulo \\(${TULO_DEB_VERSION}\\) ")
  message(FATAL_ERROR "packaging/changelog.Debian starts with \"${TULO_CHANGELOG_TOP}\"; "
                      "add an entry for tulo (${TULO_DEB_VERSION}) at its top")
endif()
if(TULO_GZIP)
  add_custom_command(
    OUTPUT ${CMAKE_BINARY_DIR}/packaging/changelog.Debian.gz
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/packaging
    COMMAND ${CMAKE_COMMAND} -E copy ${TULO_PACKAGING_DIR}/changelog.Debian ${CMAKE_BINARY_DIR}/packaging/
    COMMAND ${TULO_GZIP} -9 -n -f ${CMAKE_BINARY_DIR}/packaging/changelog.Debian
    DEPENDS ${TULO_PACKAGING_DIR}/changelog.Debian
    VERBATIM)
  install(FILES ${CMAKE_BINARY_DIR}/packaging/changelog.Debian.gz DESTINATION ${CMAKE_INSTALL_DOCDIR})
  set(TULO_DOC_FILES ${CMAKE_BINARY_DIR}/packaging/changelog.Debian.gz)
endif()
install(FILES ${TULO_PACKAGING_DIR}/copyright DESTINATION ${CMAKE_INSTALL_DOCDIR})
install(FILES ${TULO_PACKAGING_DIR}/lintian-overrides DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides
        RENAME tulo)

# --- The desktop program: its entry, metadata, icons and page -----------------------------------
if(TARGET tulo)
  install(TARGETS tulo RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  install(FILES ${TULO_PACKAGING_DIR}/${TULO_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  install(FILES ${TULO_PACKAGING_DIR}/${TULO_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

  # The PNGs are rendered from the SVG by tulo-render-icon and kept in the sources.
  set(TULO_ICON_DIR ${CMAKE_INSTALL_DATADIR}/icons/hicolor)
  install(FILES ${PROJECT_SOURCE_DIR}/src/gui/resources/tulo.svg DESTINATION ${TULO_ICON_DIR}/scalable/apps)
  foreach(size 16 24 32 48 64 128 256)
    install(FILES ${PROJECT_SOURCE_DIR}/src/gui/resources/tulo-${size}.png
            DESTINATION ${TULO_ICON_DIR}/${size}x${size}/apps RENAME tulo.png)
  endforeach()

  if(TULO_GZIP)
    file(MAKE_DIRECTORY ${TULO_MAN_DIR})
    configure_file(${TULO_PACKAGING_DIR}/tulo.1.in ${TULO_MAN_DIR}/tulo.1 @ONLY)
    tulo_gzip_man(tulo.1)
  endif()
endif()

if(TULO_MAN_PAGES)
  add_custom_target(tulo_man ALL DEPENDS ${TULO_MAN_PAGES} ${TULO_DOC_FILES})
  install(FILES ${TULO_MAN_PAGES} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
elseif(TULO_DOC_FILES)
  add_custom_target(tulo_man ALL DEPENDS ${TULO_DOC_FILES})
endif()

# --- The Python module ----------------------------------------------------------------------------
# Debian's python3 finds modules in lib/python3/dist-packages under the prefix /usr (the package,
# or `cmake --install BUILD --prefix /usr`); under /usr/local it looks in
# lib/python3.X/dist-packages instead: set TULO_PYTHON_INSTALL_DIR for that.
set(TULO_PYTHON_INSTALL_DIR lib/python3/dist-packages
    CACHE STRING "Where the Python module tulo is installed, relative to the prefix")
# The module is built by a target tulo_python defined before this file is included. dpkg-shlibdeps
# sees no libpython in an extension module: the package's python3 and python3-numpy dependencies
# have to be added by hand (CPACK_DEBIAN_PACKAGE_DEPENDS) along with it.
if(TARGET tulo_python)
  install(TARGETS tulo_python LIBRARY DESTINATION ${TULO_PYTHON_INSTALL_DIR})
  # Its type stub beside it for editors, and as the stub-only package type checkers look for
  # (PEP 561: they take no single-module stub from site-packages).
  install(FILES ${PROJECT_SOURCE_DIR}/src/python/tulo.pyi DESTINATION ${TULO_PYTHON_INSTALL_DIR})
  install(FILES ${PROJECT_SOURCE_DIR}/src/python/tulo.pyi DESTINATION ${TULO_PYTHON_INSTALL_DIR}/tulo-stubs
          RENAME __init__.pyi)
  set(CPACK_DEBIAN_PACKAGE_DEPENDS "python3 (>= 3.11), python3 (<< 3.12), python3-numpy")
endif()

# --- The Debian package -----------------------------------------------------------------------
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tulo)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The Tulo developers")
set(CPACK_PACKAGE_CONTACT "The Tulo developers <support@example.com>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
# Directories made while staging would otherwise take the umask of whoever runs cpack.
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
# CPack's own stripping (CPACK_STRIP_FILES) leaves sections lintian complains about.
set(CPACK_STRIP_FILES OFF)
set(CPACK_TULO_STRIP ${CMAKE_STRIP})
set(CPACK_PRE_BUILD_SCRIPTS ${CMAKE_CURRENT_LIST_DIR}/StripStaged.cmake)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_RELEASE ${TULO_DEB_REVISION})
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "The Tulo developers <support@example.com>")
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://www.example.com/")
# The libraries the programs link to, with their versions, from dpkg-shlibdeps.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The Calc functions need the office and its Python scripting; the rest of the package does not.
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "libreoffice-calc, libreoffice-script-provider-python")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "properties of water and steam for engineers")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "A desktop calculator of the physical properties of water and steam. Type a
temperature, a pressure or both, in the units of your choice: the program finds
the phase condition and shows up to nineteen properties from its built-in
correlations, or twenty-five from the IAPWS standards (IAPWS-IF97 or IAPWS-95,
and the releases on ice, transport and other properties), one column per phase, with
the fixed properties of water. It also computes wet steam at a given quality
and searches for the state where enthalpy, entropy or density takes a given
value.

The command tulo-calc gives the same results in a terminal, the Python module
tulo in scripts, and the functions TULO, TULO_STATUS, TULO_TURBINE,
TULO_THROTTLE, TULO_MIX and TULO_FLASH in LibreOffice Calc.")
include(CPack)
