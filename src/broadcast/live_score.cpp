// SPDX-License-Identifier: GPL-3.0-or-later
#include "broadcast/live_score.h"

#include <curl/curl.h>

#include "config/ini_file.h"
#include "util/strings.h"

namespace vk {
namespace {

// A scoreboard that does not answer within these holds the thread, never the station.
constexpr long kConnectSeconds = 10;
constexpr long kTotalSeconds = 20;

std::size_t Discard(char*, std::size_t size, std::size_t count, void*) {
  return size * count;
}

// Called by curl while a post is under way: a non-zero answer ends it, so the program's end
// never waits for a silent scoreboard.
int AbortOnStop(void* stop, curl_off_t, curl_off_t, curl_off_t, curl_off_t) {
  return static_cast<const std::atomic<bool>*>(stop)->load(std::memory_order_acquire) ? 1 : 0;
}

}  // namespace

LiveScoreSettings LoadLiveScoreSettings(const std::string& path) {
  const IniFile ini(path);
  LiveScoreSettings s;
  s.url = Trim(ini.GetEntry(kLiveScoreSection, "Url", ""));
  const int every = ini.GetIntEntry(kLiveScoreSection, "Every", s.everyMinutes);
  if (every >= 1 && every <= 60) s.everyMinutes = every;
  return s;
}

std::string LiveScoreBody(const std::string& document) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string out = "xml=";
  for (unsigned char c : document) {
    const bool plain = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
                       c == '-' || c == '_' || c == '.' || c == '~';
    if (plain) {
      out += static_cast<char>(c);
    } else {
      out += '%';
      out += kHex[c >> 4];
      out += kHex[c & 15];
    }
  }
  return out;
}

LiveScorePoster::LiveScorePoster(std::string url) : url_(std::move(url)) {}

LiveScorePoster::~LiveScorePoster() {
  Stop();
}

void LiveScorePoster::Start() {
  if (thread_.joinable()) return;
  stop_.store(false, std::memory_order_release);
  thread_ = std::thread([this] { Run(); });
}

void LiveScorePoster::Stop() {
  {
    const std::lock_guard<std::mutex> lock(mutex_);
    stop_.store(true, std::memory_order_release);
  }
  wake_.notify_all();
  if (thread_.joinable()) thread_.join();
}

void LiveScorePoster::Post(std::string document) {
  {
    const std::lock_guard<std::mutex> lock(mutex_);
    pending_ = std::move(document);
  }
  wake_.notify_one();
}

void LiveScorePoster::Run() {
  std::unique_lock<std::mutex> lock(mutex_);
  while (true) {
    wake_.wait(lock, [this] { return stop_.load(std::memory_order_acquire) || pending_.has_value(); });
    if (stop_.load(std::memory_order_acquire)) return;
    std::string document = std::move(*pending_);
    pending_.reset();
    lock.unlock();
    Send(document);
    lock.lock();
  }
}

void LiveScorePoster::Send(const std::string& document) {
  CURL* curl = curl_easy_init();
  if (curl == nullptr) {
    failed_.fetch_add(1, std::memory_order_relaxed);
    return;
  }
  const std::string body = LiveScoreBody(document);
  curl_easy_setopt(curl, CURLOPT_URL, url_.c_str());
  curl_easy_setopt(curl, CURLOPT_POSTFIELDS, body.c_str());
  curl_easy_setopt(curl, CURLOPT_POSTFIELDSIZE, static_cast<long>(body.size()));
  curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT, kConnectSeconds);
  curl_easy_setopt(curl, CURLOPT_TIMEOUT, kTotalSeconds);
  // No signals from the resolver: the program's other threads must not see SIGALRM.
  curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
  curl_easy_setopt(curl, CURLOPT_USERAGENT, "Vorkan");
  curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, Discard);
  curl_easy_setopt(curl, CURLOPT_NOPROGRESS, 0L);
  curl_easy_setopt(curl, CURLOPT_XFERINFOFUNCTION, AbortOnStop);
  curl_easy_setopt(curl, CURLOPT_XFERINFODATA, &stop_);
  const CURLcode rc = curl_easy_perform(curl);
  long status = 0;
  if (rc == CURLE_OK) curl_easy_getinfo(curl, CURLINFO_RESPONSE_CODE, &status);
  curl_easy_cleanup(curl);
  lastStatus_.store(status, std::memory_order_relaxed);
  if (rc == CURLE_OK && status >= 200 && status < 300) {
    posted_.fetch_add(1, std::memory_order_relaxed);
  } else {
    failed_.fetch_add(1, std::memory_order_relaxed);
  }
}

}  // namespace vk
