#pragma once

// The lock keys' lights, for the status-bar indicators; all off where the platform
// cannot tell.
struct CLockKeys {
    bool caps = false;
    bool num = false;
    bool scroll = false;
};

CLockKeys ReadLockKeys();
