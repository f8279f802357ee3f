#pragma once

class QObject;

// The host names each screen's window through the dynamic property "priviewWinId".

// The screen's window id, which keys the host's per-window records; 0 when the property is
// missing or not a number.
int screenWindowId(const QObject *p_pScreen);
// Key of the window's strategy list and NVR channel registration on the platform: the window
// id + 1, or 0 when the screen has no window id.
int screenWindowKey(const QObject *p_pScreen);
