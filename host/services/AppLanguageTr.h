#pragma once

#include <QString>

// Display text of a translation key ("TK_..."), looked up in the host's installed catalogue
// under the context "AppLanguageTr". Any text the catalogue does not know, including free text
// typed by the user, comes back unchanged.
class AppLanguageTr
{
public:
    static QString translate(const QString &key);
    static constexpr const char *context() { return "AppLanguageTr"; }
};
