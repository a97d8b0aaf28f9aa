// The codes the game itself reads from ./setup.ini, the judge of every file the tool writes.
#pragma once

#include "tools/setup/key_file.h"

// In slot order; a failure when the game cannot open the file.
setup::KeyCodes GameReadsSetup();
