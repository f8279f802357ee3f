#include "WindowKey.h"

#include <QObject>
#include <QVariant>

namespace {

bool readWindowId(const QObject *p_pScreen, int &p_nWindowId)
{
    p_nWindowId = 0;
    if (!p_pScreen)
        return false;
    const QVariant value = p_pScreen->property("priviewWinId");
    if (!value.isValid())
        return false;
    bool ok = false;
    const int id = value.toInt(&ok);
    if (!ok)
        return false;
    p_nWindowId = id;
    return true;
}

} // namespace

int screenWindowId(const QObject *p_pScreen)
{
    int id = 0;
    readWindowId(p_pScreen, id);
    return id;
}

int screenWindowKey(const QObject *p_pScreen)
{
    int id = 0;
    return readWindowId(p_pScreen, id) ? id + 1 : 0;
}
