#pragma once

#include "exchange/ResultsFeed.h"

#include <string>

namespace drawbook {

// Downloads the escaped URL with libcurl in this process, within the limits; linked
// into the fetch helper alone.
FeedDownload FetchFeed(const std::string& url, const FeedLimits& limits, const FeedProgress& progress);

} // namespace drawbook
