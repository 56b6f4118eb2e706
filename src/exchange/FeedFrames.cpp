#include "exchange/FeedFrames.h"

#include <charconv>
#include <optional>

namespace drawbook {

namespace {

constexpr std::string_view kProgress = "progress ";
constexpr std::string_view kBody = "body ";
constexpr std::string_view kFailed = "failed ";
// Longer than any line the helper writes.
constexpr std::size_t kMaxLine = 64;
constexpr std::size_t kMaxReason = 64 * 1024;

// Decimal digits only, the whole text.
std::optional<std::size_t> Number(std::string_view text) {
    std::size_t value = 0;
    if (text.empty() || text.front() < '0' || text.front() > '9') {
        return std::nullopt;
    }
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size()) {
        return std::nullopt;
    }
    return value;
}

} // namespace

std::string FeedProgressFrame(std::size_t received, std::size_t total) {
    return std::string(kProgress) + std::to_string(received) + ' ' + std::to_string(total) + '\n';
}

std::string FeedEndFrame(const FeedDownload& download) {
    const bool body = download.outcome == DownloadOutcome::Downloaded;
    const std::string& bytes = body ? download.body : download.reason;
    return std::string(body ? kBody : kFailed) + std::to_string(bytes.size()) + '\n' + bytes;
}

FeedFrameReader::State FeedFrameReader::Add(std::string_view piece, const FeedProgress& progress) {
    if (m_state != State::Reading) {
        if (!piece.empty() && m_state == State::Ended) {
            m_state = State::Malformed; // nothing may follow the end
        }
        return m_state;
    }
    m_buffer.append(piece);
    while (!m_inEnd) {
        const std::size_t lineEnd = m_buffer.find('\n');
        if (lineEnd == std::string::npos) {
            if (m_buffer.size() > kMaxLine) {
                m_state = State::Malformed;
            }
            return m_state;
        }
        const std::string_view line = std::string_view(m_buffer).substr(0, lineEnd);
        if (line.starts_with(kProgress)) {
            const std::string_view numbers = line.substr(kProgress.size());
            const std::size_t space = numbers.find(' ');
            const auto received = Number(numbers.substr(0, space));
            const auto total = space == std::string_view::npos ? std::nullopt : Number(numbers.substr(space + 1));
            if (!received || !total) {
                m_state = State::Malformed;
                return m_state;
            }
            if (progress && !progress(*received, *total)) {
                m_state = State::Canceled;
                return m_state;
            }
        } else if (line.starts_with(kBody) || line.starts_with(kFailed)) {
            m_body = line.starts_with(kBody);
            const auto size = Number(line.substr(m_body ? kBody.size() : kFailed.size()));
            if (!size || *size > (m_body ? m_maxBytes : kMaxReason)) {
                m_state = State::Malformed;
                return m_state;
            }
            m_inEnd = true;
            m_endSize = *size;
        } else {
            m_state = State::Malformed;
            return m_state;
        }
        m_buffer.erase(0, lineEnd + 1);
    }
    if (m_buffer.size() > m_endSize) {
        m_state = State::Malformed;
    } else if (m_buffer.size() == m_endSize) {
        m_state = State::Ended;
    }
    return m_state;
}

FeedDownload FeedFrameReader::Take() {
    FeedDownload download;
    if (m_state == State::Ended) {
        download.outcome = m_body ? DownloadOutcome::Downloaded : DownloadOutcome::Failed;
        (m_body ? download.body : download.reason) = std::move(m_buffer);
    }
    return download;
}

} // namespace drawbook
