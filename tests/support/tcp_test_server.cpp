// SPDX-License-Identifier: GPL-2.0-or-later
#include "support/tcp_test_server.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <stdexcept>

namespace tw::test {

TestConnection::~TestConnection() {
    close();
}

void TestConnection::close() {
    if (fd_ >= 0)
        ::close(fd_);
    fd_ = -1;
}

void TestConnection::reset() {
    if (fd_ < 0)
        return;
    const linger hard{1, 0};
    ::setsockopt(fd_, SOL_SOCKET, SO_LINGER, &hard, sizeof hard);
    close();
}

bool TestConnection::waitFor(short events) {
    const auto limit = std::chrono::steady_clock::now() + kIdleLimit;
    while (fd_ >= 0 && !stop_.stop_requested() && std::chrono::steady_clock::now() < limit) {
        pollfd p{fd_, events, 0};
        const int ready = ::poll(&p, 1, 20);
        if (ready > 0)
            return true;
        if (ready < 0 && errno != EINTR)
            return false;
    }
    return false;
}

bool TestConnection::receiveMore() {
    if (!waitFor(POLLIN))
        return false;
    char chunk[4096];
    const ssize_t n = ::recv(fd_, chunk, sizeof chunk, 0);
    if (n <= 0)
        return false;
    buffer_.append(chunk, static_cast<std::size_t>(n));
    return true;
}

bool TestConnection::readLine(std::string& line) {
    if (!readRawLine(line))
        return false;
    if (!line.empty() && line.back() == '\r')
        line.pop_back();
    return true;
}

bool TestConnection::readRawLine(std::string& line) {
    for (;;) {
        const std::size_t feed = buffer_.find('\n');
        if (feed != std::string::npos) {
            line = buffer_.substr(0, feed);
            buffer_.erase(0, feed + 1);
            return true;
        }
        if (buffer_.size() > kMaxLine || !receiveMore())
            return false;
    }
}

bool TestConnection::readBytes(std::size_t count, std::string& bytes) {
    while (buffer_.size() < count) {
        if (!receiveMore())
            return false;
    }
    bytes = buffer_.substr(0, count);
    buffer_.erase(0, count);
    return true;
}

bool TestConnection::send(std::string_view bytes) {
    while (!bytes.empty()) {
        if (!waitFor(POLLOUT))
            return false;
        const ssize_t n = ::send(fd_, bytes.data(), bytes.size(), MSG_NOSIGNAL | MSG_DONTWAIT);
        if (n < 0) {
            if (errno == EAGAIN || errno == EINTR)
                continue;
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

bool TestConnection::trickle(std::string_view bytes, std::chrono::milliseconds pause) {
    for (char c : bytes) {
        if (!send(std::string_view(&c, 1)))
            return false;
        std::this_thread::sleep_for(pause);
        if (!alive())
            return false;
    }
    return true;
}

bool TestConnection::alive() {
    if (fd_ < 0 || stop_.stop_requested())
        return false;
    pollfd p{fd_, POLLIN, 0};
    if (::poll(&p, 1, 0) <= 0)
        return true;
    if ((p.revents & (POLLHUP | POLLERR)) != 0)
        return false;
    // Readable: either data the handler has not read yet, or the end of the stream.
    char c;
    return ::recv(fd_, &c, 1, MSG_PEEK | MSG_DONTWAIT) != 0;
}

unsigned ClosedLoopbackPort() {
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        throw std::runtime_error("socket failed");
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    const bool bound = ::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
                       ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length) == 0;
    ::close(fd);
    if (!bound)
        throw std::runtime_error("bind failed");
    return ntohs(address.sin_port);
}

TcpTestServer::TcpTestServer(Handler handler) : handler_(std::move(handler)) {
    listenFd_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (listenFd_ < 0)
        throw std::runtime_error("socket failed");
    const int on = 1;
    ::setsockopt(listenFd_, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = 0;
    if (::bind(listenFd_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        ::listen(listenFd_, 64) != 0) {
        ::close(listenFd_);
        throw std::runtime_error("bind or listen failed");
    }
    socklen_t length = sizeof address;
    ::getsockname(listenFd_, reinterpret_cast<sockaddr*>(&address), &length);
    port_ = ntohs(address.sin_port);
    acceptor_ = std::jthread([this](std::stop_token) { acceptLoop(stopSource_.get_token()); });
}

TcpTestServer::~TcpTestServer() {
    stop();
    if (acceptor_.joinable())
        acceptor_.join();
    std::list<std::jthread> connections;
    {
        const std::lock_guard lock(mutex_);
        connections.swap(connections_);
    }
    connections.clear();  // joins
    ::close(listenFd_);
}

void TcpTestServer::stop() {
    stopSource_.request_stop();
}

void TcpTestServer::acceptLoop(std::stop_token stop) {
    while (!stop.stop_requested()) {
        pollfd p{listenFd_, POLLIN, 0};
        if (::poll(&p, 1, 20) <= 0)
            continue;
        const int fd = ::accept4(listenFd_, nullptr, nullptr, SOCK_CLOEXEC);
        if (fd < 0)
            continue;
        ++accepted_;
        const std::lock_guard lock(mutex_);
        connections_.emplace_back([this, fd, stop](std::stop_token) {
            TestConnection connection(fd, stop);
            handler_(connection);
        });
    }
}

}  // namespace tw::test
