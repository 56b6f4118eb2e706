#include "app/FileLocations.h"
#include "cli/Cli.h"

#include <iostream>
#include <string>
#include <vector>

int main(int argc, char* argv[]) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    const std::string dbPath = drawbook::LocateFiles(drawbook::ExecutablePath(argv[0])).dbPath;
    return drawbook::RunCli(args, std::cout, std::cerr, dbPath);
}
