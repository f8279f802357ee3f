#pragma once

#include <QString>
#include <QStringList>

// Customisations switched on for this installation (for example "Func_PasswordAgainAuth").
// They are kept in the platform store, so a switch survives a restart.
class VORNClientOemManager
{
public:
    static VORNClientOemManager *instance();

    bool containCustomizationFunc(const QString &name) const;
    bool setCustomizationFunc(const QString &name, bool enabled);
    QStringList customizationFuncs() const;

    VORNClientOemManager(const VORNClientOemManager &) = delete;
    VORNClientOemManager &operator=(const VORNClientOemManager &) = delete;

private:
    VORNClientOemManager() = default;
};
