#include "app/FileLocations.h"
#include "cli/Cli.h"
#include "platform/StandardStreams.h"

#include <iostream>
#include <string>
#include <vector>

int main(int argc, char* argv[]) {
    drawbook::UseBinaryStandardStreams();
    const std::vector<std::string> args = drawbook::Utf8Arguments(argc, argv);
    const drawbook::FileLocations files = drawbook::LocateProgramFiles(drawbook::ExecutablePath(argv[0]));
    return drawbook::RunCli(args, std::cout, std::cerr, files.dbPath, files.historyDir);
}
