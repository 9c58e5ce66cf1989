#include "bench/ProcessMemory.h"

#include <cstdlib>
#include <cstring>
#include <sstream>
#include <vector>

namespace {

constexpr uint64_t kFourGiB = uint64_t{1} << 32;

struct Mapping {
  uint64_t start;
  uint64_t end;
  bool executable;
  uint64_t offset;
  std::string path;  // a file, a [name] of the kernel's, or empty
  uint64_t rssKiB;
};

// A mapping's first line: "start-end perms offset dev inode [path]", the
// numbers in hexadecimal except the inode. Addresses need 64 bits even when
// this is a 32-bit program reading about the emulator.
bool ParseHeader(const std::string& line, Mapping& mapping) {
  const char* text = line.c_str();
  char* end = nullptr;
  mapping.start = std::strtoull(text, &end, 16);
  if (end == text || *end != '-') return false;
  text = end + 1;
  mapping.end = std::strtoull(text, &end, 16);
  if (end == text || *end != ' ') return false;
  std::istringstream fields(end + 1);
  std::string perms;
  std::string offset;
  std::string device;
  std::string inode;
  if (!(fields >> perms >> offset >> device >> inode) || perms.size() != 4) return false;
  mapping.executable = perms[2] == 'x';
  mapping.offset = std::strtoull(offset.c_str(), nullptr, 16);
  std::getline(fields >> std::ws, mapping.path);
  mapping.rssKiB = 0;
  return true;
}

std::vector<Mapping> ParseSmaps(const std::string& smaps) {
  std::vector<Mapping> mappings;
  std::istringstream lines(smaps);
  std::string line;
  while (std::getline(lines, line)) {
    Mapping mapping;
    if (ParseHeader(line, mapping)) {
      mappings.push_back(mapping);
    } else if (!mappings.empty() && line.compare(0, 4, "Rss:") == 0) {
      mappings.back().rssKiB = std::strtoull(line.c_str() + 4, nullptr, 10);
    }
  }
  return mappings;
}

bool NamesFile(const std::string& path, const std::string& file) {
  if (path.size() <= file.size() || path[path.size() - file.size() - 1] != '/') return false;
  const char* tail = path.c_str() + path.size() - file.size();
  // Windows names match whatever their case; Wine keeps the file's own.
  for (size_t i = 0; i < file.size(); ++i) {
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
    if (lower(tail[i]) != lower(file[i])) return false;
  }
  return true;
}

}  // namespace

bool SummariseSmaps(const std::string& smaps, const std::string& imageFile, uint64_t imageBase,
                    ResidentMemory& memory, std::string& why) {
  const std::vector<Mapping> mappings = ParseSmaps(smaps);
  if (mappings.empty()) {
    why = "no mapping in smaps";
    return false;
  }
  memory = ResidentMemory{};
  bool emulated = false;
  for (const Mapping& mapping : mappings) {
    memory.wholeKiB += mapping.rssKiB;
    emulated = emulated || mapping.end > kFourGiB;
  }
  if (!emulated) {
    memory.programKiB = memory.wholeKiB;
    return true;
  }

  const Mapping* image = nullptr;
  for (const Mapping& mapping : mappings) {
    if (mapping.offset == 0 && NamesFile(mapping.path, imageFile)) {
      image = &mapping;
      break;
    }
  }
  if (image == nullptr || image->start < imageBase) {
    why = "the emulator has not mapped " + imageFile + " from its file";
    return false;
  }
  const uint64_t low = image->start - imageBase;
  const uint64_t high = low + kFourGiB;
  for (const Mapping& mapping : mappings) {
    if (mapping.end <= low || mapping.start >= high) {
      if (memory.emulator.empty() && mapping.executable && !mapping.path.empty() &&
          mapping.path[0] == '/') {
        memory.emulator = mapping.path;
      }
      continue;
    }
    if (mapping.start < low || mapping.end > high) {
      why = "a mapping crosses the edge of the program's 4 GiB";
      return false;
    }
    if (!mapping.path.empty() && mapping.path[0] == '[') {
      why = "the program's 4 GiB hold the emulator's " + mapping.path;
      return false;
    }
    memory.programKiB += mapping.rssKiB;
  }
  if (memory.emulator.empty()) {
    why = "no code of an emulator outside the program's 4 GiB";
    return false;
  }
  for (const Mapping& mapping : mappings) {
    if (mapping.start >= low && mapping.end <= high && mapping.path == memory.emulator) {
      why = "the program's 4 GiB hold the emulator's code";
      return false;
    }
  }
  return true;
}
