# The Windows program and the libraries its tests link against.

add_library(kestrine_script STATIC
    script/GameDirectory.cpp
    script/Profile.cpp
    script/ScriptSettings.cpp
    script/ScriptSettingsFile.cpp
)
target_link_libraries(kestrine_script PUBLIC kestrine_portable advapi32)
target_compile_options(kestrine_script PRIVATE ${KESTRINE_WARNINGS})

add_library(kestrine_library STATIC
    library/LibraryFile.cpp
)
target_link_libraries(kestrine_library PUBLIC kestrine_portable)
target_compile_options(kestrine_library PRIVATE ${KESTRINE_WARNINGS})
