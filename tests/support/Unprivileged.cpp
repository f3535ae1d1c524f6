#include "tests/support/Unprivileged.h"

#include <unistd.h>

TUnprivileged::TUnprivileged() {
    if (::geteuid() != 0)
        return;
    // The group first: without root, the user could not change it.
    FSwitched = ::setresgid(Nobody, Nobody, 0) == 0 && ::setresuid(Nobody, Nobody, 0) == 0;
    FBound = FSwitched;
}

TUnprivileged::~TUnprivileged() {
    if (FSwitched) {
        (void)::setresuid(0, 0, 0);
        (void)::setresgid(0, 0, 0);
    }
}
