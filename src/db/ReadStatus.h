#pragma once

#include <string_view>

namespace drawbook {

// How far a read of the database got.
enum class ReadStatus {
    Complete,
    NotOpened,   // the file or the statement could not be opened: nothing was read
    Interrupted, // reading stopped partway
};

// What the windows say when a read stopped partway.
inline constexpr std::string_view kReadInterruptedMessage = "　データベースを最後まで読めませんでした。。";

} // namespace drawbook
