#pragma once
// The subcommands of kvxtool. Each takes the arguments after its name and returns the exit status.

#include <string>
#include <vector>

namespace kvx::tools {

int RunInfo(const std::vector<std::string>& args);
int RunConvert(const std::vector<std::string>& args);
// kvxtool export IN.KVX OUT.obj: the scene as OBJ with its .mtl beside it.
int RunExport(const std::vector<std::string>& args);
// kvxtool import IN.MODEL OUT.KVX: a model file of any format read as a scene file (version 2).
int RunImport(const std::vector<std::string>& args);

}  // namespace kvx::tools
