// What the replay page's address asks for: the script, the length of the run and the frames kept.
#pragma once

#include <map>
#include <string>

#include "tools/replay/replay_runner.h"

using PageQuery = std::map<std::string, std::string>;

// "script=stage01&frames=3,12" as its names and values; a later name replaces an earlier one.
PageQuery ParsePageQuery(const std::string& text);

// The run a query asks for: script=NAME names SCRIPT_FOLDER/NAME.replay (letters, digits and
// dashes only), ticks=N ends the run after N ticks, frames=T1,T2,... keeps those ticks' frames
// under the names "T1", "T2". False, with the reason, for a query that asks for anything else.
bool ReadReplayOptions(const PageQuery& query, const std::string& scriptFolder,
                       ReplayOptions& options, std::string& error);
