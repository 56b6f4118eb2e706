#pragma once

#include <chrono>
#include <cstddef>
#include <string>
#include <vector>

namespace drawbook {

// How a helper program run ended, and what it wrote to its standard output.
struct HelperRun {
    bool started = false;
    bool timedOut = false; // killed at the time limit
    bool tooLong = false;  // killed for writing more than allowed
    int signal = 0;        // the signal that ended it; 0 when it exited
    int exitCode = -1;
    std::string output;
};

// Runs a program with the arguments, reading nothing and its messages discarded, and
// waits at most the limit for it to end; one that outlives it, or writes more than
// maxOutput bytes, is killed.
HelperRun RunHelper(const std::string& program, const std::vector<std::string>& args, std::chrono::milliseconds limit,
                    std::size_t maxOutput);

} // namespace drawbook
