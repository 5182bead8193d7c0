#pragma once

#include <unistd.h>

namespace nakva {

// Root may write anywhere: a test of a refused folder runs its save as an ordinary user would
// (the effective user "nobody" while the object lives).
class AsOrdinaryUser {
public:
    AsOrdinaryUser() {
        if (::geteuid() == 0 && ::seteuid(65534) == 0) {
            switched_ = true;
        }
    }
    ~AsOrdinaryUser() {
        if (switched_) {
            [[maybe_unused]] const int restored = ::seteuid(0);
        }
    }
    AsOrdinaryUser(const AsOrdinaryUser&) = delete;
    AsOrdinaryUser& operator=(const AsOrdinaryUser&) = delete;

private:
    bool switched_ = false;
};

} // namespace nakva
