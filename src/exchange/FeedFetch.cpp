#include "exchange/FeedFetch.h"

#include <curl/curl.h>

#include <algorithm>
#include <array>
#include <memory>

namespace drawbook {

namespace {

// libcurl is set up once for the whole program, before the first transfer.
void InitCurl() {
    static const bool initialised = curl_global_init(CURL_GLOBAL_DEFAULT) == CURLE_OK;
    (void)initialised;
}

struct Transfer {
    std::string body;
    std::size_t maxBytes = 0;
    bool tooLarge = false;
    const FeedProgress* progress = nullptr;
    bool canceled = false;
};

std::size_t Write(char* data, std::size_t size, std::size_t count, void* user) {
    auto* transfer = static_cast<Transfer*>(user);
    const std::size_t bytes = size * count;
    if (transfer->body.size() + bytes > transfer->maxBytes) {
        transfer->tooLarge = true;
        return 0;
    }
    transfer->body.append(data, bytes);
    return bytes;
}

int Progress(void* user, curl_off_t total, curl_off_t received, curl_off_t, curl_off_t) {
    auto* transfer = static_cast<Transfer*>(user);
    if (*transfer->progress && !(*transfer->progress)(static_cast<std::size_t>(std::max<curl_off_t>(received, 0)),
                                                      static_cast<std::size_t>(std::max<curl_off_t>(total, 0)))) {
        transfer->canceled = true;
        return 1;
    }
    return 0;
}

std::string MegabytesText(std::size_t bytes) {
    const std::size_t megabytes = bytes / (1024 * 1024);
    return megabytes > 0 ? std::to_string(megabytes) + "MB" : std::to_string(bytes) + "バイト";
}

std::string FailureReason(CURLcode code, const char* detail, long status, const Transfer& transfer,
                          const FeedLimits& limits) {
    const std::string more = detail[0] != '\0' ? std::string("（") + detail + "）" : std::string();
    switch (code) {
    case CURLE_HTTP_RETURNED_ERROR:
        return "サーバーの答えはHTTP " + std::to_string(status) + "でした";
    case CURLE_OPERATION_TIMEDOUT:
        return "時間切れです（接続は" + std::to_string(limits.connectSeconds) + "秒、受信は全体で" +
               std::to_string(limits.transferSeconds) + "秒まで待ちます）";
    case CURLE_COULDNT_RESOLVE_HOST:
    case CURLE_COULDNT_RESOLVE_PROXY:
        return "サーバーの名前が見つかりません。インターネットにつながっているか確かめてください";
    case CURLE_COULDNT_CONNECT:
        return "サーバーにつながりません";
    case CURLE_TOO_MANY_REDIRECTS:
        return "転送が" + std::to_string(limits.maxRedirects) + "回を超えました";
    case CURLE_FILESIZE_EXCEEDED:
        return MegabytesText(limits.maxBytes) + "を超える大きさです";
    case CURLE_WRITE_ERROR:
        if (transfer.tooLarge) {
            return MegabytesText(limits.maxBytes) + "を超える大きさです";
        }
        break;
    case CURLE_OUT_OF_MEMORY:
        // What libcurl before 8.6 gives for a header over its limit, before any of the body.
        if (transfer.body.empty()) {
            return "サーバーの答えの見出しが大きすぎます";
        }
        break;
#if LIBCURL_VERSION_NUM >= 0x080600
    case CURLE_TOO_LARGE:
        return "サーバーの答えの見出しが大きすぎます";
#endif
    case CURLE_PARTIAL_FILE:
    case CURLE_RECV_ERROR:
    case CURLE_GOT_NOTHING:
        return "受け取る途中で接続が切れました";
    case CURLE_PEER_FAILED_VERIFICATION:
    case CURLE_SSL_CACERT_BADFILE:
    case CURLE_SSL_ISSUER_ERROR:
    case CURLE_SSL_PINNEDPUBKEYNOTMATCH:
        return "サーバーの証明書を確かめられません" + more;
    case CURLE_SSL_CONNECT_ERROR:
    case CURLE_SSL_CERTPROBLEM:
    case CURLE_SSL_CIPHER:
    case CURLE_SSL_ENGINE_NOTFOUND:
    case CURLE_SSL_ENGINE_SETFAILED:
    case CURLE_USE_SSL_FAILED:
        return "暗号化した接続（TLS）を始められません" + more;
    case CURLE_UNSUPPORTED_PROTOCOL:
        // The address was checked before the transfer: what is refused here is a redirect.
        return "https://、http:// のほかへの転送には従いません";
    case CURLE_FILE_COULDNT_READ_FILE:
        return "ファイルを読めません";
    case CURLE_URL_MALFORMAT:
        return "URLの形が正しくありません";
    default:
        break;
    }
    return curl_easy_strerror(code) + more;
}

} // namespace

FeedDownload FetchFeed(const std::string& url, const FeedLimits& limits, const FeedProgress& progress) {
    FeedDownload result;
    InitCurl();
    const std::unique_ptr<CURL, decltype(&curl_easy_cleanup)> curl(curl_easy_init(), curl_easy_cleanup);
    if (!curl) {
        result.reason = "通信の準備ができません";
        return result;
    }
    Transfer transfer;
    transfer.maxBytes = limits.maxBytes;
    transfer.progress = &progress;
    std::array<char, CURL_ERROR_SIZE> detail{};
    CURL* c = curl.get();
    curl_easy_setopt(c, CURLOPT_URL, url.c_str());
    curl_easy_setopt(c, CURLOPT_ERRORBUFFER, detail.data());
    curl_easy_setopt(c, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(c, CURLOPT_PROTOCOLS_STR, "http,https,file");
    curl_easy_setopt(c, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(c, CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(c, CURLOPT_MAXREDIRS, limits.maxRedirects);
    curl_easy_setopt(c, CURLOPT_CONNECTTIMEOUT, limits.connectSeconds);
    curl_easy_setopt(c, CURLOPT_TIMEOUT, limits.transferSeconds);
    curl_easy_setopt(c, CURLOPT_MAXFILESIZE_LARGE, static_cast<curl_off_t>(limits.maxBytes));
    curl_easy_setopt(c, CURLOPT_FAILONERROR, 1L);
    curl_easy_setopt(c, CURLOPT_ACCEPT_ENCODING, "");
    curl_easy_setopt(c, CURLOPT_USERAGENT, "drawbook");
    curl_easy_setopt(c, CURLOPT_WRITEFUNCTION, Write);
    curl_easy_setopt(c, CURLOPT_WRITEDATA, &transfer);
    curl_easy_setopt(c, CURLOPT_NOPROGRESS, 0L);
    curl_easy_setopt(c, CURLOPT_XFERINFOFUNCTION, Progress);
    curl_easy_setopt(c, CURLOPT_XFERINFODATA, &transfer);

    const CURLcode code = curl_easy_perform(c);
    if (code == CURLE_OK) {
        result.outcome = DownloadOutcome::Downloaded;
        result.body = std::move(transfer.body);
        return result;
    }
    if (transfer.canceled) {
        result.outcome = DownloadOutcome::Canceled;
        return result;
    }
    long status = 0;
    curl_easy_getinfo(c, CURLINFO_RESPONSE_CODE, &status);
    result.reason = FailureReason(code, detail.data(), status, transfer, limits);
    return result;
}

} // namespace drawbook
