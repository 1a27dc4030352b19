# The Windows program and the libraries its tests link against.

add_library(kestrine_files STATIC framework/File.cpp framework/FilePlacement.cpp
                                 framework/TextEncoding.cpp)
target_include_directories(kestrine_files PUBLIC ${PROJECT_SOURCE_DIR})
target_link_libraries(kestrine_files PRIVATE kestrine_warnings)

add_library(kestrine_script STATIC
    script/GameDirectory.cpp
    script/IniReadBack.cpp
    script/ScriptSettings.cpp
    script/ScriptSettingsIni.cpp
    script/IniFileUpdate.cpp
)
target_link_libraries(kestrine_script PUBLIC kestrine_portable kestrine_files)
target_link_libraries(kestrine_script PRIVATE kestrine_warnings)

add_library(kestrine_library STATIC
    library/GameSetFiles.cpp
    library/LibraryFile.cpp
)
target_link_libraries(kestrine_library PUBLIC kestrine_portable kestrine_files)
target_link_libraries(kestrine_library PRIVATE kestrine_warnings)

# The libraries of the windows, the file dialogs, the shell and accessibility load when the
# program first calls them, not at every start: a command run from a script (kestrine.exe
# /play FILE) needs none of them, and under Wine a console program that loads shell32 and the
# window libraries with it takes 61 ms to start and end against 31 ms for a bare one
# (bench_command, Wine 8 on 2 cores).  One way for all of them: delay-import libraries, with
# the real prototypes.
set(KESTRINE_LATE_LIBRARIES user32 gdi32 comctl32 comdlg32 shell32 oleacc ole32 oleaut32)
set(KESTRINE_DELAY_IMPORTS)
foreach(library ${KESTRINE_LATE_LIBRARIES})
    set(delayed ${CMAKE_BINARY_DIR}/delay/lib${library}_delay.a)
    add_custom_command(OUTPUT ${delayed}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/delay
        COMMAND ${PROJECT_SOURCE_DIR}/cmake/delay-import.sh ${TOOLCHAIN_PREFIX}
                ${CMAKE_C_COMPILER} ${library} ${delayed}
        DEPENDS ${PROJECT_SOURCE_DIR}/cmake/delay-import.sh VERBATIM)
    list(APPEND KESTRINE_DELAY_IMPORTS ${delayed})
endforeach()
add_custom_target(kestrine_delay_imports DEPENDS ${KESTRINE_DELAY_IMPORTS})
# Delay-loaded in the programs that ask for it (kestrine.exe), loaded at start in the others
# (the tests).
add_library(kestrine_late_libraries INTERFACE)
target_link_libraries(kestrine_late_libraries INTERFACE
    "$<IF:$<BOOL:$<TARGET_PROPERTY:KESTRINE_DELAY_LATE_LIBRARIES>>,${KESTRINE_DELAY_IMPORTS};delayimp,${KESTRINE_LATE_LIBRARIES}>")

add_library(kestrine_framework STATIC
    framework/AccessibleName.cpp
    framework/App.cpp
    framework/Clipboard.cpp
    framework/ColourContrast.cpp
    framework/ConsoleOutput.cpp
    framework/DataExchange.cpp
    framework/Dialog.cpp
    framework/DialogTemplate.cpp
    framework/FileDialog.cpp
    framework/Shell.cpp
    framework/StartupTimes.cpp
    framework/Wnd.cpp
)
target_link_libraries(kestrine_framework PUBLIC kestrine_portable kestrine_files
                                                 kestrine_late_libraries)
target_link_libraries(kestrine_framework PRIVATE kestrine_warnings)

add_library(kestrine_form STATIC
    form/CheckLineLayout.cpp
    form/GameSetCommands.cpp
    form/GameSetSharing.cpp
    form/LibraryUndo.cpp
    form/SetupCheckLine.cpp
    form/SetupDlg.cpp
    form/SideWindows.cpp
    library/AutoCombo.cpp
    windows/AboutDlg.cpp
    windows/HelpDlg.cpp
    windows/HelpTopics.cpp
    windows/MapDlg.cpp
    windows/MapPositions.cpp
)
target_link_libraries(kestrine_form PUBLIC kestrine_framework kestrine_script kestrine_library)
target_link_libraries(kestrine_form PRIVATE kestrine_warnings)

# The resources go into the program and into the GUI test programs alike.
set(KESTRINE_RESOURCES ${PROJECT_SOURCE_DIR}/resources/kestrine.rc)
# What the resource script includes; source properties hold per folder, so the test programs'
# folder sets them again.
file(GLOB KESTRINE_RESOURCE_DEPENDS ${PROJECT_SOURCE_DIR}/resources/*)
set_source_files_properties(${KESTRINE_RESOURCES} PROPERTIES OBJECT_DEPENDS
    "${KESTRINE_RESOURCE_DEPENDS}")


add_executable(kestrine WIN32 app/SetupApp.cpp app/CommandLine.cpp ${KESTRINE_RESOURCES})
add_dependencies(kestrine kestrine_delay_imports)
set_target_properties(kestrine PROPERTIES KESTRINE_DELAY_LATE_LIBRARIES ON)
# Sections aligned in the file as in memory: Wine then maps the program instead of copying its
# 900 KB in at every start, about 1 ms of a /play run of 45 ms (interleaved runs, Wine 8 on
# 2 cores).
target_link_options(kestrine PRIVATE -Wl,--file-alignment=0x1000)
target_link_libraries(kestrine PRIVATE kestrine_form)
target_link_libraries(kestrine PRIVATE kestrine_warnings)

# Screenshots of the windows, for ./run without a display and for the pictures in docs/.
add_executable(kestrine_shoot tools/screenshot/shoot.cpp)
target_link_libraries(kestrine_shoot PRIVATE gdi32 user32)
target_link_libraries(kestrine_shoot PRIVATE kestrine_warnings)
set_target_properties(kestrine_shoot PROPERTIES EXCLUDE_FROM_ALL ON OUTPUT_NAME shoot)

# Benchmarks run under Wine by tools/bench-wine.sh; they print figures and are not tests.
add_executable(bench_library_file bench/library_file_bench.cpp)
target_link_libraries(bench_library_file PRIVATE kestrine_library)
add_executable(bench_bare_dialog WIN32 bench/bare_dialog.cpp bench/bare_dialog.rc)
add_executable(bench_bare_form WIN32 bench/bare_dialog.cpp ${KESTRINE_RESOURCES})
target_compile_definitions(bench_bare_form PRIVATE BARE_TEMPLATE=102)
add_executable(bench_startup bench/startup_bench.cpp)
target_link_libraries(bench_startup PRIVATE kestrine_library kestrine_script)
target_compile_definitions(bench_startup PRIVATE KESTRINE_EXE="$<TARGET_FILE:kestrine>"
                                                 BARE_DIALOG_EXE="$<TARGET_FILE:bench_bare_dialog>"
                                                 BARE_FORM_EXE="$<TARGET_FILE:bench_bare_form>")
add_dependencies(bench_startup kestrine bench_bare_dialog bench_bare_form)
add_executable(bench_play bench/play_bench.cpp)
target_link_libraries(bench_play PRIVATE kestrine_script)
add_executable(bench_bare_console bench/bare_console.cpp)
add_executable(bench_bare_console_split bench/bare_console.cpp)
target_compile_definitions(bench_bare_console_split PRIVATE SPLIT_ARGUMENTS)
target_link_libraries(bench_bare_console_split PRIVATE shell32)
add_executable(bench_command bench/command_bench.cpp)
target_compile_definitions(bench_command PRIVATE KESTRINE_EXE="$<TARGET_FILE:kestrine>"
                                                 BARE_CONSOLE_EXE="$<TARGET_FILE:bench_bare_console>"
                                                 SPLIT_CONSOLE_EXE="$<TARGET_FILE:bench_bare_console_split>")
add_dependencies(bench_command kestrine bench_bare_console bench_bare_console_split)
add_executable(bench_double_start bench/double_start_bench.cpp)
target_link_libraries(bench_double_start PRIVATE kestrine_library kestrine_script)
target_compile_definitions(bench_double_start PRIVATE KESTRINE_EXE="$<TARGET_FILE:kestrine>")
add_dependencies(bench_double_start kestrine)
add_executable(bench_concurrent_play bench/concurrent_play_bench.cpp)
target_compile_definitions(bench_concurrent_play PRIVATE KESTRINE_EXE="$<TARGET_FILE:kestrine>")
add_dependencies(bench_concurrent_play kestrine)
foreach(bench bench_library_file bench_bare_dialog bench_bare_form bench_startup bench_play
              bench_double_start bench_bare_console bench_bare_console_split bench_command
              bench_concurrent_play)
    target_link_libraries(${bench} PRIVATE kestrine_warnings)
    set_target_properties(${bench} PROPERTIES EXCLUDE_FROM_ALL ON)
endforeach()
