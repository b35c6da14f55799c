// The users that may read /metrics: a password checked against its bcrypt hash by the
// system's crypt library, for $2b$ and $2y$ hashes alike, and nothing let through for an
// unknown name, a wrong password or a hash crypt cannot read.
#include "metrics/basic_auth.h"

#include <gtest/gtest.h>

namespace {

// Made with libxcrypt's crypt() of "right-password" at cost 4 (python3 -c "import crypt; ...").
const std::string kHashB = "$2b$04$CRrnBTTLH2INjx8Cx6e/t.r7uLV4pei0TbmUQ6R2Pm7hK36QlgQSO";
const std::string kHashY = "$2y$04$abcdefghijklmnopqrstuuS80hwFD6gSIL20SCUGvmL7S939BjOHW";

TEST(BcryptMatches, OnlyThePasswordTheHashWasMadeFrom) {
    const std::tuple<std::string, std::string, bool> cases[] = {
        {"right-password", kHashB, true},
        {"right-password", kHashY, true},
        {"right-passwor", kHashB, false},
        {"right-password ", kHashY, false},
        {"", kHashB, false},
        {"right-password", kHashB.substr(0, 40), false},
        {"right-password", "", false},
        {"right-password", "right-password", false},
        {"right-password", "$2b$04$short", false},
    };
    for (const auto& [password, hash, matches] : cases) {
        SCOPED_TRACE(password + " / " + hash);
        EXPECT_EQ(BcryptMatches(password, hash), matches);
    }
}

TEST(BasicAuthUsers, AllowsAKnownNameWithItsOwnPasswordOnly) {
    const BasicAuthUsers users({{"prometheus", kHashB}, {"grafana", kHashY}});
    EXPECT_TRUE(users.Allows("prometheus", "right-password"));
    EXPECT_TRUE(users.Allows("grafana", "right-password"));
    EXPECT_FALSE(users.Allows("prometheus", "wrong"));
    EXPECT_FALSE(users.Allows("Prometheus", "right-password"));
    EXPECT_FALSE(users.Allows("", "right-password"));
    EXPECT_FALSE(users.Allows("nobody", ""));
    EXPECT_FALSE(BasicAuthUsers({}).Allows("prometheus", "right-password"));
}

}  // namespace
