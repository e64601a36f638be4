#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

#include <unistd.h>

// The fuzz input as a file on disk, for loaders that take a file name.
inline std::string WriteFuzzFile(const uint8_t* data, size_t size, const char* extension) {
  const std::string name = "/tmp/ql-fuzz-" + std::to_string(getpid()) + extension;
  if (FILE* f = std::fopen(name.c_str(), "wb")) {
    std::fwrite(data, 1, size, f);
    std::fclose(f);
  }
  return name;
}
