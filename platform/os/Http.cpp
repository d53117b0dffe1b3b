#include "platform/os/Http.h"

#include <curl/curl.h>

#include <mutex>

#include "platform/os/SharedLibrary.h"

namespace {

// libcurl is loaded by the first request: the program's start and every command without a web
// query leave it (and the two dozen libraries it brings) unloaded.
TSharedLibrary& CurlLibrary() {
  static TSharedLibrary Library("libcurl.so.4");
  return Library;
}

// The calls this client makes, taken from the library once; null members when it is missing.
struct TCurlApi {
  decltype(&curl_global_init) global_init = nullptr;
  decltype(&curl_easy_init) easy_init = nullptr;
  decltype(&curl_easy_setopt) easy_setopt = nullptr;
  decltype(&curl_easy_perform) easy_perform = nullptr;
  decltype(&curl_easy_getinfo) easy_getinfo = nullptr;
  decltype(&curl_easy_cleanup) easy_cleanup = nullptr;
  decltype(&curl_slist_append) slist_append = nullptr;
  decltype(&curl_slist_free_all) slist_free_all = nullptr;
  bool Complete() const {
    return global_init && easy_init && easy_setopt && easy_perform && easy_getinfo && easy_cleanup && slist_append &&
           slist_free_all;
  }
};

// The library's calls with curl_global_init made, or nullptr when libcurl cannot be loaded (every
// request then fails, as one without a network would).
const TCurlApi* Curl() {
  static const TCurlApi* Api = [] () -> const TCurlApi* {
    static TCurlApi A;
    TSharedLibrary& L = CurlLibrary();
    A.global_init = reinterpret_cast<decltype(A.global_init)>(L.Find("curl_global_init"));
    A.easy_init = reinterpret_cast<decltype(A.easy_init)>(L.Find("curl_easy_init"));
    A.easy_setopt = reinterpret_cast<decltype(A.easy_setopt)>(L.Find("curl_easy_setopt"));
    A.easy_perform = reinterpret_cast<decltype(A.easy_perform)>(L.Find("curl_easy_perform"));
    A.easy_getinfo = reinterpret_cast<decltype(A.easy_getinfo)>(L.Find("curl_easy_getinfo"));
    A.easy_cleanup = reinterpret_cast<decltype(A.easy_cleanup)>(L.Find("curl_easy_cleanup"));
    A.slist_append = reinterpret_cast<decltype(A.slist_append)>(L.Find("curl_slist_append"));
    A.slist_free_all = reinterpret_cast<decltype(A.slist_free_all)>(L.Find("curl_slist_free_all"));
    if (!A.Complete() || A.global_init(CURL_GLOBAL_DEFAULT) != CURLE_OK) return nullptr;
    return &A;
  }();
  return Api;
}

std::mutex& HookMutex() {
  static std::mutex m;
  return m;
}
THttpGetFunction& Hook() {
  static THttpGetFunction f;
  return f;
}

size_t Collect(char* data, size_t size, size_t count, void* userdata) {
  static_cast<std::string*>(userdata)->append(data, size * count);
  return size * count;
}

std::optional<std::string> RealHttpGet(const THttpRequest& request) {
  const TCurlApi* api = Curl();
  if (!api) return std::nullopt;
  CURL* curl = api->easy_init();
  if (!curl) return std::nullopt;
  std::string body;
  curl_slist* headers = nullptr;
  for (const String& h : request.Headers) headers = api->slist_append(headers, StringToUtf8(h).c_str());
  const std::string url = StringToUtf8(request.Url);
  const std::string agent = StringToUtf8(request.UserAgent);
  // libcurl takes 0 as "no limit": a request without one would freeze its caller on a dead server.
  const long timeoutMs = request.TimeoutMs == 0 ? 10000L : static_cast<long>(request.TimeoutMs);

  api->easy_setopt(curl, CURLOPT_URL, url.c_str());
  api->easy_setopt(curl, CURLOPT_HTTPGET, 1L);
  api->easy_setopt(curl, CURLOPT_HTTP_VERSION, static_cast<long>(CURL_HTTP_VERSION_1_0));
  api->easy_setopt(curl, CURLOPT_PROTOCOLS_STR, "http,https");
  // No proxy, whatever the environment says.
  api->easy_setopt(curl, CURLOPT_PROXY, "");
  api->easy_setopt(curl, CURLOPT_NOPROXY, "*");
  api->easy_setopt(curl, CURLOPT_FAILONERROR, 1L);
  api->easy_setopt(curl, CURLOPT_TIMEOUT_MS, timeoutMs);
  api->easy_setopt(curl, CURLOPT_CONNECTTIMEOUT_MS, timeoutMs);
  // Signals for the time-outs would disturb other threads of the program.
  api->easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
  if (!agent.empty()) api->easy_setopt(curl, CURLOPT_USERAGENT, agent.c_str());
  if (headers) api->easy_setopt(curl, CURLOPT_HTTPHEADER, headers);
  api->easy_setopt(curl, CURLOPT_WRITEFUNCTION, Collect);
  api->easy_setopt(curl, CURLOPT_WRITEDATA, &body);

  const CURLcode rc = api->easy_perform(curl);
  long status = 0;
  api->easy_getinfo(curl, CURLINFO_RESPONSE_CODE, &status);
  api->slist_free_all(headers);
  api->easy_cleanup(curl);
  // Only a complete 2xx answer counts; a redirect is not followed and gives nothing either.
  if (rc != CURLE_OK || status < 200 || status > 299) return std::nullopt;
  return body;
}

}  // namespace

std::optional<std::string> HttpTryGet(const THttpRequest& request) {
  THttpGetFunction f;
  {
    std::lock_guard<std::mutex> lock(HookMutex());
    f = Hook();
  }
  return f ? f(request) : RealHttpGet(request);
}

std::string HttpGet(const THttpRequest& request) { return HttpTryGet(request).value_or(std::string()); }

THttpGetFunction SetHttpGetFunction(THttpGetFunction f) {
  std::lock_guard<std::mutex> lock(HookMutex());
  THttpGetFunction old = std::move(Hook());
  Hook() = std::move(f);
  return old;
}
