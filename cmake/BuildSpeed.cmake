# What makes a build on a small machine quick, without changing what is built:
# - ccache, when installed, serves a unit compiled before from its cache;
# - mold (or lld), when installed, links the many test programs in a fraction of ld's time;
# - precompiled headers of the standard library, Qt and GoogleTest for every target that parses them.
# Each is optional: without the tools the build is the same, only slower.

option(SIGMORA_CCACHE "Compile through ccache when it is installed" ON)
option(SIGMORA_FAST_LINKER "Link with mold or lld when one is installed" ON)
option(SIGMORA_PCH "Precompile the standard, Qt and GoogleTest headers" ON)

if(SIGMORA_CCACHE AND NOT CMAKE_CXX_COMPILER_LAUNCHER)
  find_program(SIGMORA_CCACHE_PROGRAM ccache)
  if(SIGMORA_CCACHE_PROGRAM)
    # Precompiled headers are cached only when ccache may ignore their time stamps and defines.
    # Paths are taken relative to the checkout, so that two checkouts (or work trees) of the
    # project share the cache.
    set(CMAKE_CXX_COMPILER_LAUNCHER ${CMAKE_COMMAND} -E env
        "CCACHE_SLOPPINESS=pch_defines,time_macros,include_file_mtime,include_file_ctime"
        "CCACHE_BASEDIR=${CMAKE_SOURCE_DIR}" CCACHE_NOHASHDIR=1
        ${SIGMORA_CCACHE_PROGRAM})
  endif()
endif()

if(SIGMORA_FAST_LINKER)
  find_program(SIGMORA_MOLD mold)
  find_program(SIGMORA_LLD ld.lld)
  if(SIGMORA_MOLD)
    add_link_options(-fuse-ld=mold)
  elseif(SIGMORA_LLD)
    add_link_options(-fuse-ld=lld)
  endif()
endif()

# The standard headers nearly every core file includes.
set(SIGMORA_STD_HEADERS <algorithm> <array> <cstdint> <cstdio> <functional> <memory> <optional>
    <string> <string_view> <vector>)
# The Qt headers most Qt files include; the umbrella headers would make a precompiled header ten
# times the size that costs more to build than it saves.
set(SIGMORA_QT_HEADERS <QObject> <QString> <QStringList> <QFile> <QDir> <QTimer> <QImage> <QPainter>
    <QWidget> <QDialog> <QLabel> <QPushButton> <QComboBox> <QCheckBox> <QLineEdit> <QMessageBox>
    <QBoxLayout> <QFormLayout> <QDialogButtonBox>)

# sigmora_precompile(TARGET STD|QT|GTEST|QTTEST): precompiles the named header set for one target.
function(sigmora_precompile target)
  if(NOT SIGMORA_PCH)
    return()
  endif()
  set(headers)
  foreach(set ${ARGN})
    if(set STREQUAL "STD")
      list(APPEND headers ${SIGMORA_STD_HEADERS})
    elseif(set STREQUAL "QT")
      list(APPEND headers ${SIGMORA_STD_HEADERS} ${SIGMORA_QT_HEADERS})
    elseif(set STREQUAL "GTEST")
      list(APPEND headers ${SIGMORA_STD_HEADERS} <gtest/gtest.h> <gmock/gmock.h>)
    elseif(set STREQUAL "QTTEST")
      list(APPEND headers ${SIGMORA_STD_HEADERS} ${SIGMORA_QT_HEADERS} <QTest> <QSignalSpy>)
    endif()
  endforeach()
  list(REMOVE_DUPLICATES headers)
  target_precompile_headers(${target} PRIVATE ${headers})
endfunction()

# sigmora_precompile_shared(TARGET OWNER): TARGET uses the headers OWNER precompiled. For the many
# one-file test programs built with the same flags, one precompiled header serves them all.
function(sigmora_precompile_shared target owner)
  if(SIGMORA_PCH)
    target_precompile_headers(${target} REUSE_FROM ${owner})
  endif()
endfunction()
