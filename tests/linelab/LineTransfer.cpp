// A bulk transfer across the line lab, with the receiver's window held to a
// chosen size, as a Windows machine's receive window would hold it.
//
//   line_transfer receive PORT WINDOW SECONDS WARMUP
//     takes one connection, reads for SECONDS from its first byte and prints
//     the bytes per second that came after the first WARMUP seconds (the
//     sender's slow start left out).
//   line_transfer send ADDRESS PORT
//     connects (trying again for up to ten seconds while the receiver is not
//     listening yet) and sends until the receiver closes.
#include <arpa/inet.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>
#include <sys/time.h>
#include <time.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "LineLabProgram.h"

namespace {

double Seconds() {
  timespec now;
  clock_gettime(CLOCK_MONOTONIC, &now);
  return now.tv_sec + now.tv_nsec / 1e9;
}

[[noreturn]] void Fail(const std::string& what) {
  linelab::Fail("line_transfer", what);
}

long Number(const char* text, const char* what) {
  char* end = nullptr;
  errno = 0;
  long value = std::strtol(text, &end, 10);
  if (errno != 0 || end == text || *end != '\0' || value < 0) {
    std::fprintf(stderr, "line_transfer: %s must be a number, not '%s'\n", what,
                 text);
    std::exit(2);
  }
  return value;
}

sockaddr_in Address(const char* host, long port) {
  return linelab::Address("line_transfer", host, port);
}

// Holds the window the connection offers to `window`. Linux derives the
// clamp anew from the receive buffer whenever it changes its estimate of
// the buffer's overhead per byte (since 6.7), so the clamp is set again
// after every read: the window stops growing past it from there on.
void Clamp(int connection, int window) {
  if (setsockopt(connection, IPPROTO_TCP, TCP_WINDOW_CLAMP, &window,
                 sizeof window) != 0)
    Fail("cannot clamp the window");
}

// How long the receiver waits for the sender to connect, and for the next
// bytes once they flow: a wire that has gone ends the transfer, never hangs
// it.
const timeval kLongestWait = {30, 0};

int Receive(long port, int window, double seconds, double warmup) {
  int listener = socket(AF_INET, SOCK_STREAM, 0);
  if (listener < 0) Fail("cannot make a socket");
  setsockopt(listener, SOL_SOCKET, SO_RCVTIMEO, &kLongestWait,
             sizeof kLongestWait);
  int on = 1;
  setsockopt(listener, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
  // The buffer is kept well above the window, so that the clamp, not the
  // memory behind it, decides what the receiver offers; both are set before
  // listening, so that the connection has them from its first segment.
  int buffer = 4 * window;
  if (setsockopt(listener, SOL_SOCKET, SO_RCVBUF, &buffer, sizeof buffer) != 0)
    Fail("cannot size the receive buffer");
  Clamp(listener, window);
  sockaddr_in address = Address("0.0.0.0", port);
  if (bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address) !=
      0)
    Fail("cannot bind");
  if (listen(listener, 1) != 0) Fail("cannot listen");
  int connection = accept(listener, nullptr, nullptr);
  if (connection < 0) Fail("nothing connected");
  setsockopt(connection, SOL_SOCKET, SO_RCVTIMEO, &kLongestWait,
             sizeof kLongestWait);
  Clamp(connection, window);
  close(listener);

  static char data[1 << 16];
  double first = -1, measuredFrom = -1, last = 0;
  long long measured = 0;
  for (;;) {
    ssize_t got = recv(connection, data, sizeof data, 0);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0 && (errno == EAGAIN || errno == EWOULDBLOCK))
      Fail("nothing came for 30 s: the line stopped carrying");
    if (got <= 0) break;
    Clamp(connection, window);
    const double now = Seconds();
    if (first < 0) first = now;
    if (now - first >= warmup) {
      if (measuredFrom < 0)
        measuredFrom = now;
      else
        measured += got;
      last = now;
    }
    if (now - first >= seconds) break;
  }
  close(connection);
  if (measuredFrom < 0 || last <= measuredFrom) {
    std::fprintf(stderr, "line_transfer: too little came to measure a rate\n");
    return 1;
  }
  std::printf("%.0f\n", measured / (last - measuredFrom));
  return 0;
}

int Send(const char* host, long port) {
  sockaddr_in address = Address(host, port);
  const double giveUp = Seconds() + 10;
  int connection = -1;
  for (;;) {
    connection = socket(AF_INET, SOCK_STREAM, 0);
    if (connection < 0) Fail("cannot make a socket");
    if (connect(connection, reinterpret_cast<sockaddr*>(&address),
                sizeof address) == 0)
      break;
    if (errno != ECONNREFUSED || Seconds() > giveUp) Fail("cannot connect");
    close(connection);
    usleep(20000);
  }
  setsockopt(connection, SOL_SOCKET, SO_SNDTIMEO, &kLongestWait,
             sizeof kLongestWait);
  static char data[1 << 16];
  for (;;) {
    ssize_t sent = send(connection, data, sizeof data, MSG_NOSIGNAL);
    if (sent < 0 && errno == EINTR) continue;
    if (sent < 0) break;  // the receiver has closed, or the line is gone
  }
  close(connection);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string mode = argc > 1 ? argv[1] : "";
  if (mode == "receive" && argc == 6) {
    const long window = Number(argv[3], "the window");
    if (window < 1 || window > 1 << 30) {
      std::fprintf(stderr, "line_transfer: no window of %ld bytes\n", window);
      return 2;
    }
    return Receive(Number(argv[2], "the port"), static_cast<int>(window),
                   Number(argv[4], "the seconds"),
                   Number(argv[5], "the warm-up"));
  }
  if (mode == "send" && argc == 4)
    return Send(argv[2], Number(argv[3], "the port"));
  std::fprintf(stderr,
               "usage: line_transfer receive PORT WINDOW SECONDS WARMUP\n"
               "       line_transfer send ADDRESS PORT\n");
  return 2;
}
