#pragma once

// The entry point of the editor module: makes the application, starts up and runs the window;
// answers the program's exit status. The executable finds it by this name.
inline constexpr const char* kEditorEntryPoint = "sigmoraRunEditor";
inline constexpr const char* kEditorModuleName = "sigmora-editor.so";

extern "C" int sigmoraRunEditor(int argc, char* argv[]);
