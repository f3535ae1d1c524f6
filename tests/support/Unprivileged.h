#pragma once

// A player without privileges, for the tests that root would pass for the
// wrong reason: root writes into a read-only folder.  While a
// TUnprivileged lives, a process that runs as root acts as the user
// nobody, real and effective user and group alike (access() asks the real
// one), keeping root only as its saved user to come back to; any other
// user stays who it is, bound already.  The files such a test reads must
// be readable by others, and their folders searchable.

#include <sys/types.h>

class TUnprivileged {
public:
    static constexpr uid_t Nobody = 65534;

    TUnprivileged();
    ~TUnprivileged();
    TUnprivileged(const TUnprivileged&) = delete;
    TUnprivileged& operator=(const TUnprivileged&) = delete;

    // False when root could not give up its privileges.
    bool Bound() const { return FBound; }

private:
    bool FSwitched = false;
    bool FBound = true;
};
