// The right to change a host's files and its backups. The front end hands it to the core
// inside the run's Context; only the edit of the host (HostEdit) can turn it into writes,
// so that nothing else in the core can change the host, by construction.
#pragma once
#include "platform/files.h"

namespace lumaset {

class EditAccess {
 public:
  explicit EditAccess(Files& files) : files_(files) {}

 private:
  friend class HostEdit;
  Files& files_;
};

}  // namespace lumaset
