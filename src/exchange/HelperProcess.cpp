#include "exchange/HelperProcess.h"

#include "platform/FilePath.h"
#include "platform/ProgramFile.h"

#include <filesystem>

namespace drawbook {

std::string HelperPath(std::string_view name) {
#ifdef DRAWBOOK_INSTALLED_HELPER_DIR
    return DRAWBOOK_INSTALLED_HELPER_DIR + ProgramFileName(name);
#else
    const std::string self = RunningProgramPath();
    if (self.empty()) {
        return ProgramFileName(name);
    }
    return Utf8FromPath(PathFromUtf8(self).parent_path() / PathFromUtf8(ProgramFileName(name)));
#endif
}

HelperRun RunHelper(const std::string& program, const std::vector<std::string>& args, std::chrono::milliseconds limit,
                    std::size_t maxOutput) {
    std::string output;
    bool tooLong = false;
    HelperRun run = StreamHelper(program, args, limit, [&](std::string_view piece) {
        output.append(piece);
        tooLong = output.size() > maxOutput;
        return !tooLong;
    });
    run.tooLong = tooLong;
    run.stopped = false;
    run.output = std::move(output);
    return run;
}

} // namespace drawbook
