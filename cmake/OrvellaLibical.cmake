# libical (Debian: libical-dev), as the imported target orvella_libical. Only the main
# library is linked, not the storage and vCal libraries pkg-config also names.
if(NOT TARGET orvella_libical)
  find_package(PkgConfig QUIET)
  if(PkgConfig_FOUND)
    pkg_check_modules(ORVELLA_LIBICAL_PC QUIET libical>=3.0)
  endif()
  find_path(ORVELLA_LIBICAL_INCLUDE_DIR libical/ical.h HINTS ${ORVELLA_LIBICAL_PC_INCLUDE_DIRS} REQUIRED)
  find_library(ORVELLA_LIBICAL_LIBRARY NAMES ical libical HINTS ${ORVELLA_LIBICAL_PC_LIBRARY_DIRS} REQUIRED)
  add_library(orvella_libical UNKNOWN IMPORTED)
  set_target_properties(orvella_libical PROPERTIES IMPORTED_LOCATION ${ORVELLA_LIBICAL_LIBRARY}
    INTERFACE_INCLUDE_DIRECTORIES ${ORVELLA_LIBICAL_INCLUDE_DIR})
endif()
