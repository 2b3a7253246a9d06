#include "publish/broker_login.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace lcr {

bool ReadMqttPassword(const std::string& file, std::string* password, std::string* why) {
  password->clear();
  if (file.empty()) {
    if (const char* env = std::getenv(kMqttPasswordVariable)) *password = env;
    return true;
  }
  // Opened first and checked through its descriptor, so the file checked is the file read.
  std::FILE* f = std::fopen(file.c_str(), "rb");
  if (!f) {
    *why = "cannot read the password file " + file + ": " + std::strerror(errno);
    return false;
  }
  struct stat st {};
  if (fstat(fileno(f), &st) != 0) {
    *why = "cannot read the password file " + file + ": " + std::strerror(errno);
    std::fclose(f);
    return false;
  }
  if (st.st_mode & (S_IRGRP | S_IROTH)) {
    char mode[8];
    std::snprintf(mode, sizeof mode, "%04o", unsigned(st.st_mode & 07777));
    *why = "the password file " + file + " can be read by other users (mode " + mode + "); make it private: chmod 600 " + file;
    std::fclose(f);
    return false;
  }
  std::string text;
  char buf[512];
  std::size_t n = 0;
  while ((n = std::fread(buf, 1, sizeof buf, f)) > 0 && text.size() < 65536) text.append(buf, n);
  const bool failed = std::ferror(f);
  std::fclose(f);
  if (failed) {
    *why = "cannot read the password file " + file + ": " + std::strerror(errno);
    return false;
  }
  *password = text.substr(0, text.find_first_of("\r\n"));
  return true;
}

}  // namespace lcr
