#include "platform/os/Http.h"

#include <curl/curl.h>

#include <mutex>

namespace {

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
  static std::once_flag globalInit;
  std::call_once(globalInit, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });

  CURL* curl = curl_easy_init();
  if (!curl) return std::nullopt;
  std::string body;
  curl_slist* headers = nullptr;
  for (const String& h : request.Headers) headers = curl_slist_append(headers, StringToUtf8(h).c_str());
  const std::string url = StringToUtf8(request.Url);
  const std::string agent = StringToUtf8(request.UserAgent);
  // libcurl takes 0 as "no limit": a request without one would freeze its caller on a dead server.
  const long timeoutMs = request.TimeoutMs == 0 ? 10000L : static_cast<long>(request.TimeoutMs);

  curl_easy_setopt(curl, CURLOPT_URL, url.c_str());
  curl_easy_setopt(curl, CURLOPT_HTTPGET, 1L);
  curl_easy_setopt(curl, CURLOPT_HTTP_VERSION, static_cast<long>(CURL_HTTP_VERSION_1_0));
  curl_easy_setopt(curl, CURLOPT_PROTOCOLS_STR, "http,https");
  // No proxy, whatever the environment says.
  curl_easy_setopt(curl, CURLOPT_PROXY, "");
  curl_easy_setopt(curl, CURLOPT_NOPROXY, "*");
  curl_easy_setopt(curl, CURLOPT_FAILONERROR, 1L);
  curl_easy_setopt(curl, CURLOPT_TIMEOUT_MS, timeoutMs);
  curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT_MS, timeoutMs);
  // Signals for the time-outs would disturb other threads of the program.
  curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
  if (!agent.empty()) curl_easy_setopt(curl, CURLOPT_USERAGENT, agent.c_str());
  if (headers) curl_easy_setopt(curl, CURLOPT_HTTPHEADER, headers);
  curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, Collect);
  curl_easy_setopt(curl, CURLOPT_WRITEDATA, &body);

  const CURLcode rc = curl_easy_perform(curl);
  long status = 0;
  curl_easy_getinfo(curl, CURLINFO_RESPONSE_CODE, &status);
  curl_slist_free_all(headers);
  curl_easy_cleanup(curl);
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
