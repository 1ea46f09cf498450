#include "aids/line_reader.h"

#include <cstdio>
#include <memory>
#include <vector>

namespace vk {

namespace {

constexpr std::size_t kChunk = 1 << 16;
constexpr std::size_t kMinCall = 3;
constexpr std::size_t kMaxCall = 16;

// Feeds lines to the sink across chunk borders.  `pending_` holds the start of a line whose
// end has not arrived; it never grows beyond the limit.
class LineSplitter {
 public:
  LineSplitter(std::size_t maxLine, const LineSink& sink) : max_(maxLine), sink_(sink) {}

  // False once the sink asked to stop.
  bool Feed(std::string_view chunk) {
    std::size_t start = 0;
    for (std::size_t i = 0; i < chunk.size() && !stopped_; ++i) {
      const char c = chunk[i];
      if (c != '\n' && c != '\r') continue;
      // CR LF is one line end; a lone CR ends a line as well.
      if (c == '\n' && lastWasCr_ && i == start && pending_.empty() && !overlong_) {
        lastWasCr_ = false;
        start = i + 1;
        continue;
      }
      Take(chunk.substr(start, i - start));
      End();
      lastWasCr_ = c == '\r';
      start = i + 1;
    }
    if (!stopped_ && start < chunk.size()) {
      Take(chunk.substr(start));
      lastWasCr_ = false;
    }
    return !stopped_;
  }

  void Finish() {
    if (!stopped_ && (!pending_.empty() || overlong_)) End();
  }
  const LineCounts& Counts() const { return counts_; }

 private:
  void Take(std::string_view part) {
    if (overlong_) return;
    if (pending_.size() + part.size() > max_) {
      overlong_ = true;
      pending_.clear();
      return;
    }
    pending_.append(part);
  }
  void End() {
    ++counts_.lines;
    if (overlong_) {
      ++counts_.overlong;
    } else if (!sink_(pending_)) {
      stopped_ = true;
    }
    pending_.clear();
    overlong_ = false;
  }

  std::size_t max_;
  const LineSink& sink_;
  std::string pending_;
  bool overlong_ = false;
  bool lastWasCr_ = false;
  bool stopped_ = false;
  LineCounts counts_;
};

struct FileCloser {
  void operator()(std::FILE* f) const { std::fclose(f); }
};

}  // namespace

LineCounts ForEachLine(std::string_view text, std::size_t maxLine, const LineSink& sink) {
  LineSplitter s(maxLine, sink);
  s.Feed(text);
  s.Finish();
  return s.Counts();
}

Status ForEachFileLine(const std::string& path, std::size_t maxLine, const LineSink& sink,
                       LineCounts& counts) {
  std::unique_ptr<std::FILE, FileCloser> f(std::fopen(path.c_str(), "rb"));
  if (!f) return Status::Error(ErrCode::kNotFound, "cannot open " + path, path);
  LineSplitter s(maxLine, sink);
  std::vector<char> buf(kChunk);
  bool more = true;
  while (more) {
    const std::size_t n = std::fread(buf.data(), 1, buf.size(), f.get());
    if (n > 0) more = s.Feed(std::string_view(buf.data(), n));
    if (n < buf.size()) break;
  }
  const bool failed = std::ferror(f.get()) != 0;
  s.Finish();
  counts = s.Counts();
  if (failed) return Status::Error(ErrCode::kIo, "cannot read " + path, path);
  return Status::Ok();
}

std::string CleanCall(std::string_view text) {
  std::size_t b = 0, e = text.size();
  while (b < e && (text[b] == ' ' || text[b] == '\t')) ++b;
  while (e > b && (text[e - 1] == ' ' || text[e - 1] == '\t')) --e;
  std::string out(text.substr(b, e - b));
  for (char& c : out) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return out;
}

bool IsPlainCall(std::string_view call) {
  if (call.size() < kMinCall || call.size() > kMaxCall) return false;
  for (char c : call) {
    const bool ok = (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '/';
    if (!ok) return false;
  }
  return true;
}

}  // namespace vk
