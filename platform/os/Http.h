// HTTP GET with a total time limit, for short queries to a web server.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/rtl/System.h"

struct THttpRequest {
  String Url;                    // "http://host[:port]/path?query" (http and https only)
  std::vector<String> Headers;   // whole header lines, e.g. u"Accept: text/html"
  String UserAgent;              // the User-Agent header; none when empty
  Cardinal TimeoutMs = 10000;    // the whole request, connection included; 0 means 10000
};

// Sends the request as HTTP/1.0 without any proxy and returns the body of the answer as bytes,
// or nothing when the request failed: no connection, the time limit passed, a status other than
// 2xx, a URL of another scheme. Nothing is raised.
std::optional<std::string> HttpTryGet(const THttpRequest& request);
// The same with an empty answer for a failed request.
std::string HttpGet(const THttpRequest& request);

// Replace the HTTP client for tests (nothing stands for a failed request). An empty function
// restores the real one; the previous function is returned.
using THttpGetFunction = std::function<std::optional<std::string>(const THttpRequest& request)>;
THttpGetFunction SetHttpGetFunction(THttpGetFunction f);
