#pragma once
// The subcommands of kvxtool. Each takes the arguments after its name and returns the exit status.

#include <string>
#include <vector>

namespace kvx::tools {

int RunInfo(const std::vector<std::string>& args);
int RunConvert(const std::vector<std::string>& args);

}  // namespace kvx::tools
