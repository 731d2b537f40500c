// The round trip across the line lab, measured with UDP echoes.
//
//   line_echo serve PORT
//     sends every datagram back to where it came from, until killed.
//   line_echo measure ADDRESS PORT COUNT BYTES
//     sends COUNT echoes of BYTES bytes of data, one after the other (trying
//     each again after a second without an answer, ten times at most), and
//     prints the median round trip in milliseconds.
//   line_echo count ADDRESS PORT COUNT BYTES
//     sends COUNT echoes of BYTES bytes of data ten milliseconds apart and
//     prints how many came back within a second of the last.
#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "LineLabProgram.h"

namespace {

double Milliseconds() {
  timespec now;
  clock_gettime(CLOCK_MONOTONIC, &now);
  return now.tv_sec * 1e3 + now.tv_nsec / 1e6;
}

[[noreturn]] void Fail(const std::string& what) {
  linelab::Fail("line_echo", what);
}

long Number(const char* text, const char* what) {
  char* end = nullptr;
  errno = 0;
  long value = std::strtol(text, &end, 10);
  if (errno != 0 || end == text || *end != '\0' || value < 1 || value > 65000) {
    std::fprintf(stderr, "line_echo: %s must be from 1 to 65000, not '%s'\n",
                 what, text);
    std::exit(2);
  }
  return value;
}

sockaddr_in Address(const char* host, long port) {
  return linelab::Address("line_echo", host, port);
}

int Serve(long port) {
  int echo = socket(AF_INET, SOCK_DGRAM, 0);
  if (echo < 0) Fail("cannot make a socket");
  sockaddr_in address = Address("0.0.0.0", port);
  if (bind(echo, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0)
    Fail("cannot bind");
  static char data[65536];
  for (;;) {
    sockaddr_in from;
    socklen_t size = sizeof from;
    ssize_t got = recvfrom(echo, data, sizeof data, 0,
                           reinterpret_cast<sockaddr*>(&from), &size);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) Fail("cannot receive");
    sendto(echo, data, static_cast<size_t>(got), 0,
           reinterpret_cast<sockaddr*>(&from), size);
  }
}

// A datagram socket that sends to the echo at `host` and `port`.
int ConnectedTo(const char* host, long port) {
  int echo = socket(AF_INET, SOCK_DGRAM, 0);
  if (echo < 0) Fail("cannot make a socket");
  sockaddr_in address = Address(host, port);
  if (connect(echo, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0)
    Fail("cannot connect");
  return echo;
}

int Measure(const char* host, long port, long count, long bytes) {
  const int echo = ConnectedTo(host, port);
  std::vector<char> data(static_cast<size_t>(bytes)), answer(65536);
  std::vector<double> trips;
  for (long sequence = 0; sequence < count; ++sequence) {
    std::memcpy(data.data(), &sequence, std::min(sizeof sequence, data.size()));
    bool answered = false;
    for (int attempt = 0; attempt < 10 && !answered; ++attempt) {
      const double sent = Milliseconds();
      // An answer refused by a port not yet listening comes back as an
      // error: the echo is sent again after the wait.
      send(echo, data.data(), data.size(), 0);
      for (;;) {
        const double left = sent + 1000 - Milliseconds();
        pollfd wait = {echo, POLLIN, 0};
        if (left <= 0 || poll(&wait, 1, static_cast<int>(left) + 1) <= 0) break;
        ssize_t got = recv(echo, answer.data(), answer.size(), 0);
        if (got == bytes &&
            std::memcmp(answer.data(), data.data(),
                        std::min(sizeof sequence, data.size())) == 0) {
          trips.push_back(Milliseconds() - sent);
          answered = true;
          break;
        }
      }
    }
    if (!answered) {
      std::fprintf(stderr, "line_echo: echo %ld got no answer\n", sequence);
      return 1;
    }
  }
  std::sort(trips.begin(), trips.end());
  std::printf("%.1f\n", trips[trips.size() / 2]);
  return 0;
}

int Count(const char* host, long port, long count, long bytes) {
  const int echo = ConnectedTo(host, port);
  std::vector<char> data(static_cast<size_t>(bytes)), answer(65536);
  long answered = 0;
  double next = Milliseconds(), end = 0;
  for (long sent = 0; sent < count || Milliseconds() < end;) {
    if (sent < count && Milliseconds() >= next) {
      send(echo, data.data(), data.size(), 0);
      next += 10;
      if (++sent == count) end = Milliseconds() + 1000;
    }
    const double until = sent < count ? next : end;
    pollfd wait = {echo, POLLIN, 0};
    const double left = until - Milliseconds();
    if (poll(&wait, 1, left > 0 ? static_cast<int>(left) + 1 : 0) > 0 &&
        recv(echo, answer.data(), answer.size(), 0) == bytes)
      ++answered;
  }
  std::printf("%ld\n", answered);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string mode = argc > 1 ? argv[1] : "";
  if (mode == "serve" && argc == 3) return Serve(Number(argv[2], "the port"));
  if (mode == "measure" && argc == 6)
    return Measure(argv[2], Number(argv[3], "the port"),
                   Number(argv[4], "the count"), Number(argv[5], "the bytes"));
  if (mode == "count" && argc == 6)
    return Count(argv[2], Number(argv[3], "the port"),
                 Number(argv[4], "the count"), Number(argv[5], "the bytes"));
  std::fprintf(stderr,
               "usage: line_echo serve PORT\n"
               "       line_echo measure ADDRESS PORT COUNT BYTES\n"
               "       line_echo count ADDRESS PORT COUNT BYTES\n");
  return 2;
}
