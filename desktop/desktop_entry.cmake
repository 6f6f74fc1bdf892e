# SPDX-License-Identifier: MIT
# Runs at install time, when the prefix is certain (cmake --install --prefix may change it): writes
# the desktop entry with the launcher's installed path. Expects TAVISCO_BINDIR, TAVISCO_ENTRY_IN and
# TAVISCO_ENTRY_OUT.
if(IS_ABSOLUTE "${TAVISCO_BINDIR}")
  set(launcher "${TAVISCO_BINDIR}/tavisco-launch")
else()
  set(launcher "${CMAKE_INSTALL_PREFIX}/${TAVISCO_BINDIR}/tavisco-launch")
endif()
# A plain path stands as it is; one with a reserved character is quoted as one argument of the
# Exec line, then escaped as a desktop entry string.
string(REPLACE "%" "%%" quoted "${launcher}")
if(quoted MATCHES "[] \t\n\"'\\<>~|&;$*?#()`[]")
  string(REGEX REPLACE "([\"`$\\\\])" "\\\\\\1" quoted "${quoted}")
  string(REPLACE "\\" "\\\\" quoted "${quoted}")
  set(quoted "\"${quoted}\"")
endif()
set(TAVISCO_EXEC "${quoted}")
configure_file("${TAVISCO_ENTRY_IN}" "${TAVISCO_ENTRY_OUT}" @ONLY)
