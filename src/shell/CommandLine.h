#pragma once
// What the editor is asked to do on its command line:
//   kolvex [--trace] [FILE]
// FILE is a scene (.KVX) to open, or a Wavefront OBJ file (.obj) to start from. --trace-times is
// --trace with the time of each line (for the latency benchmark). --help and
// --version answer and end; anything unknown is a usage error.

#include <string>
#include <vector>

namespace kvx {

class Editor;

inline constexpr const char* EditorVersionText = "Kolvex 1.0";
inline constexpr const char* EditorUsageText =
    "usage: kolvex [--trace] [FILE]\n"
    "  FILE           a Kolvex scene (.KVX) to open, or a model file to start from (OBJ, glTF,\n"
    "                 PLY, STL and the formats of the Open Asset Import Library)\n"
    "  --trace        writes what the editor shows (views, menus, dialogs) on standard error\n"
    "  --trace-times  the same, each line after the time it was written (milliseconds of the\n"
    "                 system's monotonic clock)\n"
    "  --version      prints the version\n"
    "  --help         prints this help\n";

struct CommandLine {
    enum class Action { Run, Help, Version, Wrong };
    Action action = Action::Run;
    bool trace = false;
    bool traceTimes = false;  // --trace-times: the trace, each line after its time
    std::vector<std::string> files;
    std::string wrong;  // the argument not understood
};

// Reads the arguments after the program's name.
CommandLine ParseCommandLine(const std::vector<std::string>& args);

// Opens what the command line names in the started editor: a scene as "Ouvrir..." does, a model
// file of any format read (OBJ, glTF, PLY, STL, ...) as the model to start from. Both start a new
// history with nothing unsaved (the file is still there). A file that cannot be read, or more than
// one, leaves the scene empty with a message.
void OpenCommandLineFiles(Editor& editor, const std::vector<std::string>& files);

}  // namespace kvx
