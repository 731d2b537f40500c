// What the line lab's programs share: how each gives up, and the address a
// socket program is given.
#pragma once

#include <arpa/inet.h>
#include <netinet/in.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace linelab {

// Ends the program `name` with `what` and the system's reason.
[[noreturn]] inline void Fail(const char* name, const std::string& what) {
  std::fprintf(stderr, "%s: %s: %s\n", name, what.c_str(), std::strerror(errno));
  std::exit(1);
}

// `host` and `port` as a socket address; a `host` that is no IPv4 address
// ends the program `name` as a wrong argument does.
inline sockaddr_in Address(const char* name, const char* host, long port) {
  sockaddr_in address;
  std::memset(&address, 0, sizeof address);
  address.sin_family = AF_INET;
  address.sin_port = htons(static_cast<uint16_t>(port));
  if (inet_pton(AF_INET, host, &address.sin_addr) != 1) {
    std::fprintf(stderr, "%s: '%s' is not an IPv4 address\n", name, host);
    std::exit(2);
  }
  return address;
}

}  // namespace linelab
