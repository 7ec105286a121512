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

# sigmora_precompile(TARGET SET): TARGET's files are compiled with the header set SET (STD, QT,
# GTEST or QTTEST) precompiled. The first target to ask for a set precompiles it; every later one,
# built with the same flags, reuses that header instead of making its own (each costs seconds and
# a hundred megabytes). Targets with other compile definitions (the Qt layers each link other Qt
# modules) name a set of their own by adding a suffix: QT/dialogs.
function(sigmora_precompile target set)
  if(NOT SIGMORA_PCH)
    return()
  endif()
  get_property(owner GLOBAL PROPERTY SIGMORA_PCH_OWNER_${set})
  if(owner)
    target_precompile_headers(${target} REUSE_FROM ${owner})
    return()
  endif()
  set_property(GLOBAL PROPERTY SIGMORA_PCH_OWNER_${set} ${target})
  string(REGEX REPLACE "/.*" "" kind "${set}")
  if(kind STREQUAL "STD")
    set(headers ${SIGMORA_STD_HEADERS})
  elseif(kind STREQUAL "QT")
    set(headers ${SIGMORA_STD_HEADERS} ${SIGMORA_QT_HEADERS})
  elseif(kind STREQUAL "GTEST")
    set(headers ${SIGMORA_STD_HEADERS} <gtest/gtest.h> <gmock/gmock.h>)
  elseif(kind STREQUAL "QTTEST")
    set(headers ${SIGMORA_STD_HEADERS} ${SIGMORA_QT_HEADERS} <QTest> <QSignalSpy>)
  else()
    message(FATAL_ERROR "sigmora_precompile: unknown header set ${set}")
  endif()
  target_precompile_headers(${target} PRIVATE ${headers})
endfunction()
