// korvani-atlas: preview of the tile strip and statistics of the outline set.
#include "tools/atlas/atlas_cli.h"

int main(int argc, char** argv) {
    return korvani::runAtlasTool(argc, argv, stdout, stderr);
}
