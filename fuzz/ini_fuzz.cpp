// The configuration file on any bytes, and its update: a value the program sets reads back the
// same, and every line it did not set is written back as it was read.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "config/ini_file.h"

namespace {

const std::string& Path() {
  static const std::string path = "/tmp/vk_ini_fuzz_" + std::to_string(::getpid()) + ".cfg";
  return path;
}

void Write(const std::string& text) {
  std::FILE* f = std::fopen(Path().c_str(), "wb");
  if (f == nullptr) std::abort();
  std::fwrite(text.data(), 1, text.size(), f);
  std::fclose(f);
}

// Values the file can carry: one line, no spaces at the ends (they are trimmed on reading), and
// not ";" together with both quote characters.
bool Representable(const std::string& v) {
  if (v.find_first_of("\r\n") != std::string::npos) return false;
  if (!v.empty() && (v.front() == ' ' || v.back() == ' ')) return false;
  return !(v.find(';') != std::string::npos && v.find('"') != std::string::npos &&
           v.find('\'') != std::string::npos);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string text(reinterpret_cast<const char*>(data), size);
  // The last line of the input is the value to set; the rest is the file.
  std::string value;
  if (const std::size_t nl = text.rfind('\n'); nl != std::string::npos) {
    value = text.substr(nl + 1);
    text.resize(nl + 1);
  }
  Write(text);
  vk::IniFile first(Path());
  const vk::IniEntry* set = first.SearchEntry("Fuzz", "Key");
  {
    vk::IniFile ini(Path());
    ini.SetEntry("Fuzz", "Key", value);
    if (ini.IsModified() && !ini.Update()) std::abort();
  }
  vk::IniFile back(Path());
  if (Representable(value) && (set != nullptr || !value.empty()) &&
      back.GetEntry("Fuzz", "Key", "?") != value) {
    std::abort();
  }
  // Every line not set comes back as it was read, in its place.
  auto b = back.Sections().begin();
  for (const vk::IniSection& sec : first.Sections()) {
    if (b == back.Sections().end() || b->name != sec.name) std::abort();
    auto e = b->entries.begin();
    for (const vk::IniEntry& entry : sec.entries) {
      if (e == b->entries.end()) std::abort();
      if (&entry != set && vk::IniEntryLine(entry) != vk::IniEntryLine(*e)) std::abort();
      ++e;
    }
    ++b;
  }
  std::remove(Path().c_str());
  return 0;
}
