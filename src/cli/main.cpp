#include "app/FileLocations.h"
#include "cli/Cli.h"

#include <iostream>
#include <string>
#include <vector>

int main(int argc, char* argv[]) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    const drawbook::FileLocations files = drawbook::LocateProgramFiles(drawbook::ExecutablePath(argv[0]));
    return drawbook::RunCli(args, std::cout, std::cerr, files.dbPath, files.historyDir);
}
