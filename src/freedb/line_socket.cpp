// SPDX-License-Identifier: GPL-2.0-or-later
#include "freedb/line_socket.h"

#include <fcntl.h>
#include <netdb.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/types.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <memory>

namespace tw::freedb {

namespace {

constexpr auto kPollStep = std::chrono::milliseconds(100);
constexpr std::size_t kReadSize = 16 * 1024;

struct AddrInfoDeleter {
    void operator()(addrinfo* list) const { freeaddrinfo(list); }
};

bool setNonBlocking(int fd) {
    const int flags = fcntl(fd, F_GETFL, 0);
    return flags >= 0 && fcntl(fd, F_SETFL, flags | O_NONBLOCK) == 0;
}

}  // namespace

void LineSocket::traceLine(ProtocolTrace::Direction direction, std::string_view text) const {
    if (trace_ != nullptr)
        trace_->traceLine(direction, text);
}

bool LineSocket::create() {
    close();
    traceLine(ProtocolTrace::Direction::Note, "Create Socket");
    fd_.reset(::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0));
    return fd_.valid();
}

bool LineSocket::waitFor(short events, Clock::time_point limit, NetFailure timedOut) {
    while (!stop_.stop_requested()) {
        const auto now = Clock::now();
        if (now >= limit)
            break;
        const auto step = std::min<Clock::duration>(kPollStep, limit - now);
        pollfd p{fd_.get(), events, 0};
        const int ms = static_cast<int>(
            std::max<long long>(1, std::chrono::ceil<std::chrono::milliseconds>(step).count()));
        const int ready = ::poll(&p, 1, ms);
        if (ready > 0)
            return true;
        if (ready < 0 && errno != EINTR) {
            failure_ = {};  // no cause worth naming: the step's own text stands
            return false;
        }
    }
    failure_ = stop_.stop_requested() ? NetFailure{} : std::move(timedOut);
    return false;
}

void LineSocket::failedWith(int error) {
    switch (error) {
        case ECONNRESET:
        case ECONNABORTED:
        case EPIPE:
            failure_ = {NetFailure::Kind::Reset, {}};
            break;
        default:
            failure_ = {};
    }
}

bool LineSocket::connect(const std::string& host, unsigned port) {
    traceLine(ProtocolTrace::Direction::Note, "Connect to " + host + ":" + std::to_string(port));
    failure_ = {};
    if (!fd_.valid() || port == 0 || port > 65535)
        return false;

    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* found = nullptr;
    if (::getaddrinfo(host.c_str(), std::to_string(port).c_str(), &hints, &found) != 0) {
        failure_ = {NetFailure::Kind::HostNotFound, host};
        return false;
    }
    const std::unique_ptr<addrinfo, AddrInfoDeleter> list(found);

    const std::string peer = host + ':' + std::to_string(port);
    const auto limit = idleLimit();
    int error = 0;
    for (const addrinfo* a = list.get(); a != nullptr; a = a->ai_next) {
        if (stop_.stop_requested())
            return false;
        // The socket was made for IPv4; a host that has only another family gets a socket
        // of that family instead.
        sockaddr_storage own{};
        socklen_t ownLength = sizeof own;
        if (::getsockname(fd_.get(), reinterpret_cast<sockaddr*>(&own), &ownLength) != 0 ||
            own.ss_family != a->ai_family) {
            fd_.reset(::socket(a->ai_family, SOCK_STREAM | SOCK_CLOEXEC, 0));
            if (!fd_.valid())
                continue;
        }
        if (!setNonBlocking(fd_.get()))
            return false;
        if (::connect(fd_.get(), a->ai_addr, a->ai_addrlen) == 0)
            return true;
        error = errno;
        if (error == EINPROGRESS) {
            if (!waitFor(POLLOUT, limit, {NetFailure::Kind::ConnectTimedOut, peer}))
                return false;
            socklen_t length = sizeof error;
            if (::getsockopt(fd_.get(), SOL_SOCKET, SO_ERROR, &error, &length) != 0)
                error = errno;
            if (error == 0)
                return true;
        }
        // A refused address leaves the socket unusable: the next address gets a new one.
        fd_.reset(::socket(a->ai_family, SOCK_STREAM | SOCK_CLOEXEC, 0));
        if (!fd_.valid())
            return false;
    }
    switch (error) {
        case ECONNREFUSED:
            failure_ = {NetFailure::Kind::Refused, peer};
            break;
        case ENETUNREACH:
        case EHOSTUNREACH:
            failure_ = {NetFailure::Kind::Unreachable, peer};
            break;
        case ETIMEDOUT:
            failure_ = {NetFailure::Kind::ConnectTimedOut, peer};
            break;
        default:
            break;
    }
    return false;
}

bool LineSocket::sendLine(std::string_view text) {
    if (!fd_.valid())
        return false;
    traceLine(ProtocolTrace::Direction::Sent, text);
    std::string bytes(text);
    bytes += '\n';
    return sendBytes(bytes);
}

bool LineSocket::sendBytes(std::string_view bytes) {
    failure_ = {};
    if (!fd_.valid())
        return false;
    std::size_t sent = 0;
    while (sent < bytes.size()) {
        if (!waitFor(POLLOUT, idleLimit(), {NetFailure::Kind::TimedOut, {}}))
            return false;
        const ssize_t n = ::send(fd_.get(), bytes.data() + sent, bytes.size() - sent, MSG_NOSIGNAL);
        if (n < 0) {
            if (errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR)
                continue;
            failedWith(errno);
            return false;
        }
        sent += static_cast<std::size_t>(n);
    }
    return true;
}

LineSocket::ReadResult LineSocket::receiveSome(std::string& bytes) {
    failure_ = {};
    if (!fd_.valid())
        return ReadResult::Failed;
    // Each call waits the whole time-out afresh: what counts is silence, not the length of
    // the reply.
    const auto limit = idleLimit();
    std::array<char, kReadSize> buffer{};
    for (;;) {
        if (!waitFor(POLLIN, limit, {NetFailure::Kind::TimedOut, {}}))
            return ReadResult::Failed;
        const ssize_t n = ::recv(fd_.get(), buffer.data(), buffer.size(), 0);
        if (n > 0) {
            bytes.append(buffer.data(), static_cast<std::size_t>(n));
            return ReadResult::Data;
        }
        if (n == 0) {
            failure_ = {NetFailure::Kind::Closed, {}};
            return ReadResult::Closed;
        }
        if (errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR) {
            failedWith(errno);
            return ReadResult::Failed;
        }
    }
}

bool LineSocket::receiveLine(std::string& line) {
    failure_ = {};
    std::string raw;
    while (!splitter_.takeLine(raw)) {
        if (splitter_.overflowed()) {
            close();
            failure_ = {NetFailure::Kind::TooLarge, {}};
            return false;
        }
        std::string bytes;
        if (receiveSome(bytes) != ReadResult::Data)
            return false;
        splitter_.feed(bytes);
    }
    line = DecodeServerLine(raw, charset_);
    traceLine(ProtocolTrace::Direction::Received, line);
    return true;
}

void LineSocket::close() {
    if (fd_.valid())
        traceLine(ProtocolTrace::Direction::Note, "Close Socket");
    fd_.reset();
    splitter_.clear();
}

}  // namespace tw::freedb
