# SPDX-License-Identifier: MIT
# Debian's hardening flags (stack protector, fortified string functions, read-only relocations,
# immediate binding) as dpkg-buildflags gives them, so the packaged programs are built the way
# the distribution builds its own. The optimisation and debug-information flags stay the build
# type's; the path mapping is left out so ccache can share objects between checkouts.
option(QUILLMATE_DEB_BUILDFLAGS "Add the hardening flags of dpkg-buildflags" ON)
find_program(DPKG_BUILDFLAGS_EXECUTABLE dpkg-buildflags)
if(NOT QUILLMATE_DEB_BUILDFLAGS OR NOT DPKG_BUILDFLAGS_EXECUTABLE OR CMAKE_CROSSCOMPILING)
  return()
endif()

function(quillmate_dpkg_flags kind out)
  execute_process(COMMAND ${CMAKE_COMMAND} -E env DEB_BUILD_MAINT_OPTIONS=hardening=+all
                          ${DPKG_BUILDFLAGS_EXECUTABLE} --get ${kind}
                  OUTPUT_VARIABLE flags OUTPUT_STRIP_TRAILING_WHITESPACE RESULT_VARIABLE rc)
  if(NOT rc EQUAL 0)
    set(${out} "" PARENT_SCOPE)
    return()
  endif()
  separate_arguments(flags UNIX_COMMAND "${flags}")
  list(FILTER flags EXCLUDE REGEX "^-(O[0-9sg]?|g[0-9]?|ffile-prefix-map=.*|fdebug-prefix-map=.*)$")
  set(${out} ${flags} PARENT_SCOPE)
endfunction()

quillmate_dpkg_flags(CPPFLAGS deb_cppflags)
quillmate_dpkg_flags(CXXFLAGS deb_cxxflags)
quillmate_dpkg_flags(LDFLAGS deb_ldflags)
# _FORTIFY_SOURCE needs the optimiser: an unoptimised build would only warn about it.
foreach(flag ${deb_cppflags})
  if(flag MATCHES "^-D_FORTIFY_SOURCE")
    add_compile_options("$<$<NOT:$<CONFIG:Debug>>:${flag}>")
  else()
    add_compile_options(${flag})
  endif()
endforeach()
add_compile_options(${deb_cxxflags})
add_link_options(${deb_ldflags})
message(STATUS "Hardening flags from dpkg-buildflags: ${deb_cppflags} ${deb_cxxflags} ${deb_ldflags}")
