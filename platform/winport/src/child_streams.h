// The standard input, output and error a new child process gets.
#pragma once

namespace winport {

// For each of the child's descriptors 0, 1 and 2: the parent's descriptor
// to give it, kOwnStream for the parent's own, or kNullStream for the null
// device.
struct ChildStreams {
  static const int kOwnStream = -1;
  static const int kNullStream = -2;
  int fds[3] = {kOwnStream, kOwnStream, kOwnStream};
};

}  // namespace winport
