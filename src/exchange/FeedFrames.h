#pragma once

#include "exchange/ResultsFeed.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace drawbook {

// What the fetch helper writes: a "progress RECEIVED TOTAL\n" line as the transfer
// goes, then "body N\n" and the N bytes downloaded, or "failed N\n" and the N bytes
// of the reason, and nothing after.
std::string FeedProgressFrame(std::size_t received, std::size_t total);
std::string FeedEndFrame(const FeedDownload& download);

// Reads that output as it comes.
class FeedFrameReader {
public:
    enum class State {
        Reading,
        Ended,     // the body or the failure is complete
        Malformed, // not the helper's output, or more than the limits allow
        Canceled,  // the progress callback asked to stop
    };

    explicit FeedFrameReader(std::size_t maxBytes) : m_maxBytes(maxBytes) {}

    // Takes the next piece, telling progress of each progress line in it.
    State Add(std::string_view piece, const FeedProgress& progress);
    State Current() const { return m_state; }
    // Once ended: the body downloaded, or the reason with the outcome Failed.
    FeedDownload Take();

private:
    State m_state = State::Reading;
    std::size_t m_maxBytes;
    std::string m_buffer;
    bool m_inEnd = false; // the end line was read, its bytes are coming
    bool m_body = false;
    std::size_t m_endSize = 0;
};

} // namespace drawbook
