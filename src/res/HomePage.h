#pragma once

namespace drawbook {

// The maker's home page, opened from the About box.
inline constexpr const char* kHomePageAddress = "http://www.example.jp/somaru/";

} // namespace drawbook
