# Where an install puts Varnell's files (GNU layout under any prefix). The player library is
# private to the program: it goes into lib/varnell/, and the programs find it through a
# RUNPATH relative to themselves, so an install anywhere, or a DESTDIR staging tree, runs
# without LD_LIBRARY_PATH. In the build folder the programs keep the build RPATH CMake gives
# them, which points at the library where the build leaves it.
include(GNUInstallDirs)

set(VARNELL_INSTALL_PRIVATE_LIBDIR lib/varnell)
# Directories an install creates get the usual modes, whatever the umask of whoever installs.
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
  OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(VARNELL_INSTALL_DATADIR ${CMAKE_INSTALL_DATADIR}/varnell)

# Installs a program into bin/ with the RUNPATH that finds the private library from there.
function(varnell_install_program target)
  file(RELATIVE_PATH to_private_libdir /${CMAKE_INSTALL_BINDIR} /${VARNELL_INSTALL_PRIVATE_LIBDIR})
  set_target_properties(${target} PROPERTIES INSTALL_RPATH "$ORIGIN/${to_private_libdir}")
  install(TARGETS ${target} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endfunction()
