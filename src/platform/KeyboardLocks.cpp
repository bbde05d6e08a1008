#include "platform/KeyboardLocks.h"

#include <QGuiApplication>

// X11 headers define words like None and Bool: keep them to this file.
#include <X11/XKBlib.h>

CLockKeys ReadLockKeys() {
    CLockKeys keys;
    auto* x11 = qApp ? qApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    if (!x11 || !x11->display()) return keys;
    unsigned state = 0;
    if (XkbGetIndicatorState(x11->display(), XkbUseCoreKbd, &state) != Success) return keys;
    keys.caps = state & 0x1;
    keys.num = state & 0x2;
    keys.scroll = state & 0x4;
    return keys;
}
