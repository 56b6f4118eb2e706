#include "exchange/HelperProcess.h"

#include <filesystem>
#include <system_error>

namespace drawbook {

std::string HelperPath(std::string_view name) {
    std::error_code error;
    const auto self = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::string(name) : (self.parent_path() / name).string();
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
