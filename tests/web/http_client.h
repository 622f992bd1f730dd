#pragma once

#include <string>

// HTTP/1.1 over a POSIX socket to a server on 127.0.0.1: one request per connection
// (Connection: close), a body of Content-Length or chunked, read to the end.
struct HttpResponse {
    int status = 0;
    std::string body;
};

/// Sends `method path` with `body` (JSON when not empty) and returns the answer;
/// throws std::runtime_error when the server cannot be reached or answers no HTTP.
/// `timeoutSeconds` bounds the wait for each read.
HttpResponse httpRequest(int port, const std::string &method, const std::string &path,
                         const std::string &body = {}, int timeoutSeconds = 120);

/// True when something accepts connections on 127.0.0.1:`port`.
bool portAnswers(int port);

/// A port on 127.0.0.1 that was free a moment ago.
int freePort();
