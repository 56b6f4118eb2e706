// drawbook-fetch URL CONNECT_SECONDS TRANSFER_SECONDS MAX_REDIRECTS MAX_BYTES: downloads
// the escaped URL within the limits and writes the transfer to stdout as FeedFrames
// describes; exits 2 on wrong arguments and 1 when stdout is gone.
#include "exchange/FeedFetch.h"
#include "exchange/FeedFrames.h"
#include "platform/StandardStreams.h"

#include <charconv>
#include <cstdio>
#include <optional>
#include <string>
#include <string_view>

namespace {

constexpr int kStandardOutput = 1;

template <typename Number> std::optional<Number> Parse(std::string_view text) {
    Number value{};
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size() || value < 0) {
        return std::nullopt;
    }
    return value;
}

} // namespace

int main(int argc, char* argv[]) {
    drawbook::UseBinaryStandardStreams();
    if (argc != 6) {
        std::fputs("usage: drawbook-fetch URL CONNECT_SECONDS TRANSFER_SECONDS MAX_REDIRECTS MAX_BYTES\n", stderr);
        return 2;
    }
    const auto connect = Parse<long>(argv[2]);
    const auto transfer = Parse<long>(argv[3]);
    const auto redirects = Parse<long>(argv[4]);
    const auto maxBytes = Parse<std::size_t>(argv[5]);
    if (!connect || !transfer || !redirects || !maxBytes) {
        std::fputs("drawbook-fetch: the limits must be whole numbers\n", stderr);
        return 2;
    }
    const drawbook::FeedLimits limits{
        .connectSeconds = *connect, .transferSeconds = *transfer, .maxRedirects = *redirects, .maxBytes = *maxBytes};
    // libcurl reports the same numbers many times a second: only changes are written.
    std::optional<std::pair<std::size_t, std::size_t>> last;
    bool written = true;
    const drawbook::FeedDownload download =
        drawbook::FetchFeed(argv[1], limits, [&](std::size_t received, std::size_t total) {
            if (last != std::pair(received, total)) {
                last = std::pair(received, total);
                written = drawbook::WriteAll(kStandardOutput, drawbook::FeedProgressFrame(received, total));
            }
            return written;
        });
    if (!written || !drawbook::WriteAll(kStandardOutput, drawbook::FeedEndFrame(download))) {
        return 1;
    }
    return 0;
}
