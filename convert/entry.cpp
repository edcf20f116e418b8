#include "convert/entry.h"

#include <algorithm>

#include "convert/reading.h"

namespace quotalis {

bool IsKeypadEntry(std::string_view text) {
  if (text.empty() || text.size() > static_cast<std::size_t>(kEntryLongest)) return false;
  const bool allowed =
      std::all_of(text.begin(), text.end(), [](char c) { return IsDigit(c) || c == kEntryPoint; });
  return allowed && std::count(text.begin(), text.end(), kEntryPoint) <= 1;
}

}  // namespace quotalis
