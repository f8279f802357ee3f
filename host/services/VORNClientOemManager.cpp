#include "VORNClientOemManager.h"

#include "PlatformStore.h"

#include <QDebug>

namespace {

const QString kKind = QStringLiteral("OemCustomization");

} // namespace

VORNClientOemManager *VORNClientOemManager::instance()
{
    static VORNClientOemManager manager;
    return &manager;
}

bool VORNClientOemManager::containCustomizationFunc(const QString &name) const
{
    if (name.isEmpty())
        return false;
    const auto payload = PlatformStore::instance()->readRecord(kKind, name);
    return payload && *payload == "1";
}

bool VORNClientOemManager::setCustomizationFunc(const QString &name, bool enabled)
{
    if (name.isEmpty()) {
        qDebug() << "VORNClientOemManager::setCustomizationFunc empty name ignored";
        return false;
    }
    PlatformStore *store = PlatformStore::instance();
    return enabled ? store->writeRecord(kKind, name, QByteArrayLiteral("1"))
                   : store->removeRecord(kKind, name);
}

QStringList VORNClientOemManager::customizationFuncs() const
{
    return PlatformStore::instance()->recordKeys(kKind);
}
