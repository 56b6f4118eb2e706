#pragma once

#include <chrono>
#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace drawbook {

// How a helper program run ended, and what it wrote to its standard output.
struct HelperRun {
    bool started = false;
    bool timedOut = false; // killed at the time limit
    bool tooLong = false;  // killed for writing more than allowed
    bool stopped = false;  // killed because the reader of its output asked
    int signal = 0;        // the signal that ended it; 0 when it exited
    int exitCode = -1;
    std::string output;
};

// The helper program of that name beside the running program, or in an installed
// build's own folder for them.
std::string HelperPath(std::string_view name);

// Runs a program with the arguments, reading nothing and its messages discarded, and
// waits at most the limit for it to end; one that outlives it, or writes more than
// maxOutput bytes, is killed.
HelperRun RunHelper(const std::string& program, const std::vector<std::string>& args, std::chrono::milliseconds limit,
                    std::size_t maxOutput);

// Told each piece of the output as it comes, and an empty piece at least every tenth
// of a second while the helper is quiet; false kills the helper at once.
using HelperOutput = std::function<bool(std::string_view piece)>;

// Runs the program the same way, handing its output over as it comes instead of
// keeping it.
HelperRun StreamHelper(const std::string& program, const std::vector<std::string>& args,
                       std::chrono::milliseconds limit, const HelperOutput& output);

} // namespace drawbook
