#pragma once

#include <memory>

struct LockKeyState
{
    bool capsLock = false;
    bool numLock = false;
};

// The state of the keyboard's lock keys. Where the window system can be
// asked, it is; elsewhere the lock keys that the program's windows see are
// followed, starting from both off.
class LockKeys
{
public:
    virtual ~LockKeys() = default;
    virtual LockKeyState state() const = 0;
};

// Needs a running application object.
std::unique_ptr<LockKeys> createLockKeys();
