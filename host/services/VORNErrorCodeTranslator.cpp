#include "VORNErrorCodeTranslator.h"

#include "AppLanguageTr.h"

QString VORNErrorCodeTranslator::getErrorString(int p_nErrorCode)
{
    if (p_nErrorCode == ErrorTimeout)
        return AppLanguageTr::translate(QStringLiteral("TK_SDKTimeout"));
    // The code goes with the text: it is what the platform's administrator looks up.
    return QStringLiteral("%1 (%2)")
            .arg(AppLanguageTr::translate(QStringLiteral("TK_GetFailed")))
            .arg(p_nErrorCode);
}
