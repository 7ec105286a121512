# Replays of the fuzz harnesses' seed corpora and kept findings, built with the normal compiler
# (and so with the sanitizers in the sanitizer build) and run by CTest.
set(fuzz_dir ${CMAKE_SOURCE_DIR}/fuzz)

# sigmora_replay(NAME FOLDERS folder... [SOURCES extra-source...])
function(sigmora_replay name)
  cmake_parse_arguments(REPLAY "" "" "FOLDERS;SOURCES" ${ARGN})
  add_executable(replay_${name} ${fuzz_dir}/fuzz_${name}.cpp ${fuzz_dir}/replay_main.cpp ${REPLAY_SOURCES})
  target_include_directories(replay_${name} PRIVATE ${fuzz_dir} ${CMAKE_SOURCE_DIR}/src)
  target_link_libraries(replay_${name} PRIVATE sigmora_edit)
  set(folders)
  foreach(folder ${REPLAY_FOLDERS})
    list(APPEND folders ${fuzz_dir}/${folder})
  endforeach()
  add_test(NAME fuzz_replay_${name} COMMAND replay_${name} ${folders})
endfunction()

sigmora_replay(native_file FOLDERS corpus/native_file regressions)
sigmora_replay(open_and_draw FOLDERS corpus/native_file regressions)
sigmora_replay(preferences FOLDERS corpus/preferences regressions/preferences
               SOURCES ${CMAKE_SOURCE_DIR}/src/app/platform/Preferences.cpp)
sigmora_replay(tips FOLDERS corpus/tips regressions/tips SOURCES ${CMAKE_SOURCE_DIR}/src/app/window/TipsReader.cpp)
sigmora_replay(port_list FOLDERS corpus/port_list regressions/port_list)
sigmora_replay(svg_reader FOLDERS corpus/svg_reader regressions/svg_reader)
sigmora_replay(xml_reader FOLDERS corpus/xml_reader regressions/xml_reader)
sigmora_replay(csv_reader FOLDERS corpus/csv_reader regressions/csv_reader)
sigmora_replay(wavejson FOLDERS corpus/wavejson regressions/wavejson)
sigmora_replay(vcd FOLDERS corpus/vcd regressions/vcd)
