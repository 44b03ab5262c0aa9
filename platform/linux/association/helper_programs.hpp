#pragma once

// Runs the desktop's database tools (update-mime-database, update-desktop-database).

#include <string>
#include <vector>

namespace nwmp::xdg {

enum class ToolResult { Missing, Succeeded, Failed };

// Runs the named program from the search path with the arguments and waits for it, at most a
// minute; Succeeded only for a normal exit with status 0.
ToolResult runTool(const std::string& name, const std::vector<std::string>& arguments);

}  // namespace nwmp::xdg
