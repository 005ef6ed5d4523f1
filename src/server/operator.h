#pragma once

#include "server/config.h"

namespace zelvora::server {

// Binds the workstation that most recently asked for a login to the account
// of `user` (its first login row), so this machine logs in as that user.
// Prints what it did; returns the process exit code.
int bindLastWorkstation(const ServerConfig &config, const QString &user);

} // namespace zelvora::server
