#pragma once

#include <cstddef>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <utility>
#include <vector>

namespace drawbook::test {

// How a response is sent.
enum class Delivery {
    Whole,        // status line, headers (with Content-Length), whole body, then close
    Stall,        // reads the request, then sends nothing until the server stops
    CloseMidBody, // sends the headers with the full Content-Length, half the body, then closes
    StallMidBody, // sends the headers with the full Content-Length and `stallAfter` bytes of body, then waits
                  // until the server stops
    Chunked,      // no Content-Length: the body in chunks of `stallAfter` bytes (all at once if 0), then close
};

struct Response {
    int status = 200;
    std::string body{};
    std::string contentType = "text/csv; charset=utf-8";        // left out when empty
    std::vector<std::pair<std::string, std::string>> headers{}; // extra headers, e.g. {"Location", "/loop"}
    Delivery delivery = Delivery::Whole;
    std::size_t stallAfter = 0;
};

// An HTTP/1.1 server on 127.0.0.1 at a port of the system's choosing, answering with canned responses.
// Every connection gets its own thread and one response, then is closed.
class LoopbackServer {
public:
    // Starts listening and serving; throws std::runtime_error if it cannot.
    LoopbackServer();
    // Wakes every stalled connection, closes all sockets and joins the threads.
    ~LoopbackServer();

    LoopbackServer(const LoopbackServer&) = delete;
    LoopbackServer& operator=(const LoopbackServer&) = delete;

    // Serves `response` for requests of `path`, query included ("/file.csv?x=1"); other paths get 404.
    void Serve(const std::string& path, Response response);
    // "http://127.0.0.1:PORT" + path
    std::string Url(const std::string& path) const;
    // How many requests for `path` arrived so far.
    int Requests(const std::string& path) const;
    int Port() const { return m_port; }

private:
    void Start();
    void CloseAll();
    void AcceptLoop();
    void Handle(int client);

    mutable std::mutex m_mutex;
    std::map<std::string, Response> m_responses;
    std::map<std::string, int> m_requests;

    int m_listener = -1;
    int m_wakeRead = -1; // readable once the server stops
    int m_wakeWrite = -1;
    int m_port = 0;
    std::thread m_acceptor;
    std::vector<std::thread> m_connections; // touched by the acceptor only, until it is joined
};

} // namespace drawbook::test
