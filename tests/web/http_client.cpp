#include "http_client.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <sys/time.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <stdexcept>
#include <string_view>

namespace {

class Socket {
public:
    Socket() : m_fd(::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0))
    {
        if (m_fd < 0)
            throw std::runtime_error(std::string("socket: ") + std::strerror(errno));
    }
    ~Socket() { ::close(m_fd); }
    Socket(const Socket &) = delete;
    Socket &operator=(const Socket &) = delete;
    int fd() const { return m_fd; }

private:
    int m_fd;
};

sockaddr_in loopback(int port)
{
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<uint16_t>(port));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    return address;
}

bool connectTo(const Socket &socket, int port)
{
    const sockaddr_in address = loopback(port);
    return ::connect(socket.fd(), reinterpret_cast<const sockaddr *>(&address), sizeof address)
           == 0;
}

void sendAll(const Socket &socket, std::string_view data)
{
    while (!data.empty()) {
        const ssize_t sent = ::send(socket.fd(), data.data(), data.size(), MSG_NOSIGNAL);
        if (sent < 0) {
            if (errno == EINTR)
                continue;
            throw std::runtime_error(std::string("send: ") + std::strerror(errno));
        }
        data.remove_prefix(static_cast<std::size_t>(sent));
    }
}

std::string lower(std::string text)
{
    for (char &c : text)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return text;
}

std::string unchunk(std::string_view body)
{
    std::string out;
    for (;;) {
        const std::size_t line = body.find("\r\n");
        if (line == std::string_view::npos)
            throw std::runtime_error("HTTP: broken chunk");
        const std::size_t size =
            std::strtoul(std::string(body.substr(0, line)).c_str(), nullptr, 16);
        body.remove_prefix(line + 2);
        if (size == 0)
            return out;
        if (body.size() < size + 2)
            throw std::runtime_error("HTTP: short chunk");
        out.append(body.substr(0, size));
        body.remove_prefix(size + 2);
    }
}

// Whether `data` holds a whole response: its head and then as much body as the head
// announces (or, with neither length nor chunks, whatever came before the close).
bool complete(const std::string &data)
{
    const std::size_t headEnd = data.find("\r\n\r\n");
    if (headEnd == std::string::npos)
        return false;
    const std::string head = lower(data.substr(0, headEnd));
    const std::size_t bodySize = data.size() - headEnd - 4;
    if (head.find("\r\ntransfer-encoding: chunked") != std::string::npos)
        return data.size() >= 5 && data.compare(data.size() - 5, 5, "0\r\n\r\n") == 0;
    const std::size_t length = head.find("\r\ncontent-length:");
    if (length != std::string::npos)
        return bodySize >= std::strtoul(head.c_str() + length + 17, nullptr, 10);
    return false;
}

std::string receiveResponse(const Socket &socket)
{
    std::string data;
    char buffer[16384];
    while (!complete(data)) {
        const ssize_t got = ::recv(socket.fd(), buffer, sizeof buffer, 0);
        if (got < 0) {
            if (errno == EINTR)
                continue;
            throw std::runtime_error(std::string("recv: ") + std::strerror(errno));
        }
        if (got == 0)
            break;
        data.append(buffer, static_cast<std::size_t>(got));
    }
    return data;
}

} // namespace

HttpResponse httpRequest(int port, const std::string &method, const std::string &path,
                         const std::string &body, int timeoutSeconds)
{
    Socket socket;
    timeval timeout{timeoutSeconds, 0};
    ::setsockopt(socket.fd(), SOL_SOCKET, SO_RCVTIMEO, &timeout, sizeof timeout);
    if (!connectTo(socket, port))
        throw std::runtime_error("HTTP: nothing answers on port " + std::to_string(port));
    std::string request = method + " " + path + " HTTP/1.1\r\nHost: 127.0.0.1:"
                          + std::to_string(port) + "\r\nConnection: close\r\n";
    if (!body.empty() || method == "POST")
        request += "Content-Type: application/json; charset=utf-8\r\nContent-Length: "
                   + std::to_string(body.size()) + "\r\n";
    request += "\r\n" + body;
    sendAll(socket, request);

    const std::string answer = receiveResponse(socket);
    const std::size_t headEnd = answer.find("\r\n\r\n");
    if (answer.compare(0, 5, "HTTP/") != 0 || headEnd == std::string::npos)
        throw std::runtime_error("HTTP: no answer to " + method + " " + path);
    HttpResponse response;
    response.status = std::atoi(answer.c_str() + answer.find(' ') + 1);
    const std::string head = lower(answer.substr(0, headEnd));
    std::string_view rest = std::string_view(answer).substr(headEnd + 4);
    if (head.find("\r\ntransfer-encoding: chunked") != std::string::npos) {
        response.body = unchunk(rest);
    } else {
        const std::size_t length = head.find("\r\ncontent-length:");
        if (length != std::string::npos)
            rest = rest.substr(0, std::strtoul(head.c_str() + length + 17, nullptr, 10));
        response.body = std::string(rest);
    }
    return response;
}

bool portAnswers(int port)
{
    Socket socket;
    return connectTo(socket, port);
}

int freePort()
{
    Socket socket;
    sockaddr_in address = loopback(0);
    socklen_t size = sizeof address;
    if (::bind(socket.fd(), reinterpret_cast<sockaddr *>(&address), sizeof address) != 0
        || ::getsockname(socket.fd(), reinterpret_cast<sockaddr *>(&address), &size) != 0)
        throw std::runtime_error(std::string("no free port: ") + std::strerror(errno));
    return ntohs(address.sin_port);
}
