// One name looked up in a space-separated extension list.
#include "window/Extensions.h"

#include <cstring>

bool HasExtension(const char* list, const char* name) {
  const size_t length = std::strlen(name);
  for (const char* at = list; at != nullptr && (at = std::strstr(at, name)) != nullptr;
       at += length) {
    const bool starts = at == list || at[-1] == ' ';
    const bool ends = at[length] == ' ' || at[length] == '\0';
    if (starts && ends) return true;
  }
  return false;
}
