#include "metrics/basic_auth.h"

#include <crypt.h>

#include <memory>

bool BcryptMatches(const std::string& password, const std::string& hash) {
    // Large (tens of KiB), and one per call keeps concurrent checks apart.
    const auto data = std::make_unique<crypt_data>();
    const char* const result = crypt_r(password.c_str(), hash.c_str(), data.get());
    if (result == nullptr || result[0] == '*' || hash.empty()) {
        return false;  // "*0", "*1": crypt's failure tokens
    }
    // Compared whole, whatever differs where: no timing tells how much of it matched.
    const std::string made(result);
    if (made.size() != hash.size()) {
        return false;
    }
    unsigned char difference = 0;
    for (std::size_t i = 0; i < made.size(); ++i) {
        difference |= static_cast<unsigned char>(made[i] ^ hash[i]);
    }
    return difference == 0;
}

BasicAuthUsers::BasicAuthUsers(std::vector<MetricsUser> users) : users_(std::move(users)) {}

bool BasicAuthUsers::Allows(const std::string& user, const std::string& password) const {
    for (const MetricsUser& known : users_) {
        if (known.name == user) {
            return BcryptMatches(password, known.hash);
        }
    }
    if (!users_.empty()) {
        BcryptMatches(password, users_.front().hash);
    }
    return false;
}
