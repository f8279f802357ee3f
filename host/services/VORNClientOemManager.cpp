#include "VORNClientOemManager.h"

#include "PlatformStore.h"
#include "VornClient.h"

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
    // A switch stored on the platform wins; the scenario only says how an installation starts.
    const auto payload = PlatformStore::instance()->readRecord(kKind, name);
    if (payload)
        return *payload == "1";
    return VornClient::instance()->scenarioCustomizations().contains(name);
}

bool VORNClientOemManager::setCustomizationFunc(const QString &name, bool enabled)
{
    if (name.isEmpty()) {
        qDebug() << "VORNClientOemManager::setCustomizationFunc empty name ignored";
        return false;
    }
    // Off is stored too, so that it overrides a scenario that has the switch on.
    return PlatformStore::instance()->writeRecord(
            kKind, name, enabled ? QByteArrayLiteral("1") : QByteArrayLiteral("0"));
}

QStringList VORNClientOemManager::customizationFuncs() const
{
    QStringList names = VornClient::instance()->scenarioCustomizations();
    names += PlatformStore::instance()->recordKeys(kKind);
    names.removeDuplicates();
    QStringList on;
    for (const QString &name : qAsConst(names)) {
        if (containCustomizationFunc(name))
            on.append(name);
    }
    on.sort();
    return on;
}
