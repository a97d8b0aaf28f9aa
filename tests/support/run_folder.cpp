// What a test lays into its scratch directory for the game: settings files and the generated art.
#include "tests/support/run_folder.h"

namespace fs = std::filesystem;

const char* const ARROW_KEYS_SETUP =
    "keys\n"
    "up\n26\n"
    "right\n27\n"
    "down\n28\n"
    "left\n25\n"
    "fifth\n20\n"
    "end\n";

const char* const SLOWEST_BEST_TIMES =
    "270f\n270f\n270f\n270f\n270f\n270f\n270f\n270f\n270f\n270f\n";

bool CopyArt(const ScratchDirectory& directory) {
    fs::path art = fs::path(GORVANTI_RUN_DIR) / "graphics";
    if (!fs::exists(art)) {
        return false;
    }
    fs::copy(art, directory.Path() / "graphics", fs::copy_options::recursive);
    return true;
}
