# Header boundaries between the libraries.
#
# No target puts the source tree on its include path. Instead each library stages what it offers
# in the build folder:
#
#   include/<target>/<folder>/<header>   a link to each public header; the PUBLIC include folder,
#                                         so "engine/AVConvert.h" reaches consumers and nothing
#                                         else of engine/ does
#   private/<target>/<folder>            a link to the whole source folder; a PRIVATE include
#                                         folder of the library itself, so its own sources keep
#                                         including "engine/Internal.h"
#
# A private header included from another folder then fails to compile instead of quietly working,
# and a public header that includes a private one fails in its first consumer. Code that has to
# see a library's internals (its own executables, tests of internals) asks for it by name with
# varnell_private_access(), so each such reach is visible in the build files.
#
# The links are made at configure time; adding a public header means adding it to the list, which
# re-runs the configure step.

# varnell_public_headers(<target> [<header>...])
#   Headers are relative to the current source folder. The folder's own path below the project
#   root (for example "settings/dialog") is the include prefix.
function(varnell_public_headers target)
  file(RELATIVE_PATH folder ${PROJECT_SOURCE_DIR} ${CMAKE_CURRENT_SOURCE_DIR})
  set(public_root ${CMAKE_BINARY_DIR}/include/${target})
  set(private_root ${CMAKE_BINARY_DIR}/private/${target})

  # The public folder holds only links to files, so removing it never reaches the sources; it is
  # rebuilt so that a header dropped from the list is gone from it too.
  file(REMOVE_RECURSE ${public_root})
  file(MAKE_DIRECTORY ${public_root}/${folder})
  foreach(header IN LISTS ARGN)
    set(source ${CMAKE_CURRENT_SOURCE_DIR}/${header})
    if(NOT EXISTS ${source})
      message(FATAL_ERROR "${target}: public header ${header} is not in ${CMAKE_CURRENT_SOURCE_DIR}")
    endif()
    get_filename_component(header_folder ${public_root}/${folder}/${header} DIRECTORY)
    file(MAKE_DIRECTORY ${header_folder})
    file(CREATE_LINK ${source} ${public_root}/${folder}/${header} SYMBOLIC)
  endforeach()

  # The private link points at a source folder: only the link itself is ever removed.
  set(private_link ${private_root}/${folder})
  if(IS_SYMLINK ${private_link})
    file(REMOVE ${private_link})
  elseif(EXISTS ${private_link})
    message(FATAL_ERROR "${private_link} exists and is not a link; remove it")
  endif()
  get_filename_component(private_parent ${private_link} DIRECTORY)
  file(MAKE_DIRECTORY ${private_parent})
  file(CREATE_LINK ${CMAKE_CURRENT_SOURCE_DIR} ${private_link} SYMBOLIC)

  # The private folder comes first so that the library's own sources reach every header, public
  # or not, by one path.
  target_include_directories(${target}
    PRIVATE ${private_root}
    PUBLIC $<BUILD_INTERFACE:${public_root}>)
  set_target_properties(${target} PROPERTIES VARNELL_PRIVATE_INCLUDE ${private_root})
endfunction()

# varnell_private_access(<consumer> <library>...)
#   Lets <consumer> include the private headers of each <library> (which must have called
#   varnell_public_headers). For tests of internals and for a library's own executables.
function(varnell_private_access consumer)
  foreach(library IN LISTS ARGN)
    target_include_directories(${consumer} BEFORE PRIVATE
      $<TARGET_PROPERTY:${library},VARNELL_PRIVATE_INCLUDE>)
  endforeach()
endfunction()
