#include "tests/support/Unprivileged.h"

#include <unistd.h>

TUnprivileged::TUnprivileged() {
    if (::geteuid() != 0)
        return;
    // The group first: without root, the user could not change it.
    FSwitched = ::setegid(Nobody) == 0 && ::seteuid(Nobody) == 0;
    FBound = FSwitched;
}

TUnprivileged::~TUnprivileged() {
    if (FSwitched) {
        (void)::seteuid(0);
        (void)::setegid(0);
    }
}
