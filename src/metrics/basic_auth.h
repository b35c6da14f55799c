#pragma once
// The users that may read /metrics, each with a bcrypt hash of their password: the check a
// scrape's basic-auth credentials go through. Hashes are checked by the system's crypt
// library (libxcrypt), which knows $2a$, $2b$ and $2y$.

#include <string>
#include <vector>

#include "metrics/metrics_web_config.h"

// Whether `password` is the one `hash` was made from; false for a hash crypt cannot read.
bool BcryptMatches(const std::string& password, const std::string& hash);

class BasicAuthUsers {
  public:
    explicit BasicAuthUsers(std::vector<MetricsUser> users);

    // Any thread. An unknown user costs a hash too, so the time taken does not tell
    // which names exist.
    bool Allows(const std::string& user, const std::string& password) const;

  private:
    const std::vector<MetricsUser> users_;
};
