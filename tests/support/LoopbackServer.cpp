#include "support/LoopbackServer.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <stdexcept>

namespace drawbook::test {

namespace {

constexpr std::size_t kMaxRequestBytes = 64 * 1024;

// Waits until `fd` is ready for `events`; false once the server stops. With fd -1 it waits for the stop alone.
bool WaitFor(int fd, short events, int wake) {
    pollfd fds[2] = {{wake, POLLIN, 0}, {fd, events, 0}};
    for (;;) {
        if (poll(fds, 2, -1) < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        if (fds[0].revents != 0) {
            return false;
        }
        if (fds[1].revents != 0) {
            return true;
        }
    }
}

// The request line and headers, up to the blank line; empty if the client gave up or the server stops.
std::string ReadRequest(int client, int wake) {
    std::string request;
    char buffer[4096];
    while (request.find("\r\n\r\n") == std::string::npos) {
        if (request.size() > kMaxRequestBytes) {
            return {};
        }
        const ssize_t n = recv(client, buffer, sizeof buffer, MSG_DONTWAIT);
        if (n > 0) {
            request.append(buffer, static_cast<std::size_t>(n));
            if (request[0] < 'A' || request[0] > 'Z') {
                return {}; // not HTTP, such as a TLS handshake: closed unanswered
            }
        } else if (n == 0) {
            return {};
        } else if (errno == EAGAIN || errno == EWOULDBLOCK) {
            if (!WaitFor(client, POLLIN, wake)) {
                return {};
            }
        } else if (errno != EINTR) {
            return {};
        }
    }
    return request;
}

// False if the client went away or the server stops first. A closed peer gives EPIPE, not SIGPIPE.
bool SendAll(int client, const char* data, std::size_t size, int wake) {
    while (size > 0) {
        const ssize_t n = send(client, data, size, MSG_NOSIGNAL | MSG_DONTWAIT);
        if (n > 0) {
            data += n;
            size -= static_cast<std::size_t>(n);
        } else if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
            if (!WaitFor(client, POLLOUT, wake)) {
                return false;
            }
        } else if (n < 0 && errno != EINTR) {
            return false;
        }
    }
    return true;
}

// The target of "GET /path HTTP/1.1"; empty if the line is not of that shape.
std::string Target(const std::string& request) {
    const std::string line = request.substr(0, request.find("\r\n"));
    const auto first = line.find(' ');
    if (first == std::string::npos) {
        return {};
    }
    const auto second = line.find(' ', first + 1);
    if (second == std::string::npos || second == first + 1) {
        return {};
    }
    return line.substr(first + 1, second - first - 1);
}

std::string Reason(int status) {
    switch (status) {
    case 200:
        return "OK";
    case 301:
        return "Moved Permanently";
    case 302:
        return "Found";
    case 404:
        return "Not Found";
    case 500:
        return "Internal Server Error";
    default:
        return "Status";
    }
}

std::string Head(const Response& response) {
    std::string head = "HTTP/1.1 " + std::to_string(response.status) + " " + Reason(response.status) + "\r\n";
    if (!response.contentType.empty()) {
        head += "Content-Type: " + response.contentType + "\r\n";
    }
    if (response.delivery == Delivery::Chunked) {
        head += "Transfer-Encoding: chunked\r\n";
    } else {
        head += "Content-Length: " + std::to_string(response.body.size()) + "\r\n";
    }
    head += "Connection: close\r\n";
    for (const auto& [name, value] : response.headers) {
        head += name + ": " + value + "\r\n";
    }
    return head + "\r\n";
}

Response NotFound() {
    Response response;
    response.status = 404;
    response.contentType = "text/html; charset=utf-8";
    response.body = "<html><body><h1>404 Not Found</h1></body></html>\n";
    return response;
}

[[noreturn]] void Fail(const std::string& what) {
    throw std::runtime_error("loopback server: " + what + ": " + std::strerror(errno));
}

} // namespace

LoopbackServer::LoopbackServer() {
    try {
        Start();
    } catch (...) {
        CloseAll();
        throw;
    }
}

LoopbackServer::~LoopbackServer() {
    const char stop = 's';
    while (write(m_wakeWrite, &stop, 1) < 0 && errno == EINTR) {
    }
    m_acceptor.join();
    for (std::thread& connection : m_connections) {
        connection.join();
    }
    CloseAll();
}

void LoopbackServer::Start() {
    int wake[2];
    if (pipe2(wake, O_CLOEXEC) != 0) {
        Fail("pipe");
    }
    m_wakeRead = wake[0];
    m_wakeWrite = wake[1];

    m_listener = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (m_listener < 0) {
        Fail("socket");
    }
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = 0;
    if (bind(m_listener, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
        Fail("bind");
    }
    if (listen(m_listener, SOMAXCONN) != 0) {
        Fail("listen");
    }
    socklen_t length = sizeof address;
    if (getsockname(m_listener, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
        Fail("getsockname");
    }
    m_port = ntohs(address.sin_port);
    m_acceptor = std::thread(&LoopbackServer::AcceptLoop, this);
}

void LoopbackServer::CloseAll() {
    for (int* fd : {&m_listener, &m_wakeRead, &m_wakeWrite}) {
        if (*fd >= 0) {
            close(*fd);
            *fd = -1;
        }
    }
}

void LoopbackServer::Serve(const std::string& path, Response response) {
    const std::lock_guard lock(m_mutex);
    m_responses[path] = std::move(response);
}

std::string LoopbackServer::Url(const std::string& path) const {
    return "http://127.0.0.1:" + std::to_string(m_port) + path;
}

int LoopbackServer::Requests(const std::string& path) const {
    const std::lock_guard lock(m_mutex);
    const auto found = m_requests.find(path);
    return found == m_requests.end() ? 0 : found->second;
}

void LoopbackServer::AcceptLoop() {
    while (WaitFor(m_listener, POLLIN, m_wakeRead)) {
        const int client = accept4(m_listener, nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK);
        if (client >= 0) {
            m_connections.emplace_back([this, client] {
                Handle(client);
                close(client);
            });
        }
    }
}

void LoopbackServer::Handle(int client) {
    const std::string target = Target(ReadRequest(client, m_wakeRead));
    if (target.empty()) {
        return;
    }
    Response response;
    {
        const std::lock_guard lock(m_mutex);
        ++m_requests[target];
        const auto found = m_responses.find(target);
        response = found == m_responses.end() ? NotFound() : found->second;
    }

    if (response.delivery == Delivery::Stall) {
        WaitFor(-1, 0, m_wakeRead);
        return;
    }
    const std::string head = Head(response);
    if (response.delivery == Delivery::Chunked) {
        std::string body;
        const std::size_t chunk = response.stallAfter > 0 ? response.stallAfter : response.body.size();
        for (std::size_t at = 0; at < response.body.size(); at += chunk) {
            const std::string part = response.body.substr(at, chunk);
            char size[32];
            std::snprintf(size, sizeof size, "%zx\r\n", part.size());
            body += size + part + "\r\n";
        }
        body += "0\r\n\r\n";
        if (SendAll(client, head.data(), head.size(), m_wakeRead)) {
            SendAll(client, body.data(), body.size(), m_wakeRead);
        }
        shutdown(client, SHUT_WR);
        return;
    }
    std::size_t bodyBytes = response.body.size();
    if (response.delivery == Delivery::CloseMidBody) {
        bodyBytes /= 2;
    } else if (response.delivery == Delivery::StallMidBody) {
        bodyBytes = std::min(response.stallAfter, bodyBytes);
    }
    if (!SendAll(client, head.data(), head.size(), m_wakeRead) ||
        !SendAll(client, response.body.data(), bodyBytes, m_wakeRead)) {
        return;
    }
    if (response.delivery == Delivery::StallMidBody) {
        WaitFor(-1, 0, m_wakeRead);
        return;
    }
    shutdown(client, SHUT_WR);
}

} // namespace drawbook::test
