#include "exchange/JetBook.h"

#include "exchange/HelperProcess.h"
#include "exchange/JetBookText.h"
#include "platform/FilePath.h"

#include <fstream>

namespace drawbook {

namespace {

// A Jet file begins with a page of header: a version word, then this name.
constexpr std::string_view kJetMagic = std::string_view("\x00\x01\x00\x00Standard Jet DB\x00", 20);

constexpr const char* kJetReaderName = "drawbook-jet-reader";
constexpr std::chrono::seconds kJetReaderLimit{10};
// Far above any book the old program kept.
constexpr std::size_t kMaxJetReaderOutput = 256 * 1024 * 1024;

} // namespace

bool IsJetBytes(std::string_view bytes) {
    return bytes.size() >= kJetMagic.size() && bytes.substr(0, kJetMagic.size()) == kJetMagic;
}

bool IsJetFile(const std::string& path) {
    std::ifstream file(PathFromUtf8(path), std::ios::binary);
    std::string head(kJetMagic.size(), '\0');
    if (!file.read(head.data(), static_cast<std::streamsize>(head.size()))) {
        return false;
    }
    return IsJetBytes(head);
}

std::string JetReaderPath() {
#ifdef DRAWBOOK_JET_READER
    return HelperPath(kJetReaderName);
#else
    return {};
#endif
}

JetBook ReadJetBook(const std::string& path) {
    return ReadJetBook(path, JetReaderPath(), kJetReaderLimit);
}

JetBook ReadJetBook(const std::string& path, const std::string& reader, std::chrono::milliseconds limit) {
    JetBook book;
    if (!IsJetFile(path)) {
        book.error = "not a Jet database";
        return book;
    }
    if (reader.empty()) {
        book.noReader = true;
        book.error = "no Jet reader in this build";
        return book;
    }
    const HelperRun run = RunHelper(reader, {path}, limit, kMaxJetReaderOutput);
    if (!run.started) {
        book.error = "cannot start the Jet reader";
    } else if (run.timedOut) {
        book.error = "the Jet reader took too long";
    } else if (run.tooLong) {
        book.error = "the Jet reader's output is malformed";
    } else if (run.signal != 0) {
        book.error = "the Jet reader stopped on signal " + std::to_string(run.signal);
    } else if (run.exitCode != 0) {
        // The reader says why on one line.
        std::string reason = run.output;
        if (reason.ends_with('\n')) {
            reason.pop_back();
        }
        const bool oneLine = !reason.empty() && reason.size() <= 200 &&
                             reason.find_first_of("\n\r", 0) == std::string::npos &&
                             reason.find('\0') == std::string::npos;
        book.error = oneLine ? reason : "the Jet reader failed with exit code " + std::to_string(run.exitCode);
    } else {
        book = ParseJetBookText(run.output);
    }
    return book;
}

} // namespace drawbook
