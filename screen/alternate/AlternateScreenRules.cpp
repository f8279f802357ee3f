#include "AlternateScreenRules.h"

AlternateScreenRules::RatioTexts AlternateScreenRules::ratioTexts(int p_nTotal, int p_nOverTemp)
{
    if (p_nTotal == 0)
        return {};
    const QString pattern = QStringLiteral("%1/%2");
    return {pattern.arg(p_nTotal - p_nOverTemp).arg(p_nTotal),
            pattern.arg(p_nOverTemp).arg(p_nTotal)};
}

bool AlternateScreenRules::overlaysVisible(bool p_bIsFormPlayer, bool p_bLayoutListEmpty,
                                           int p_nLayoutMode, bool p_bHasWinBig)
{
    return p_bIsFormPlayer && !p_bLayoutListEmpty && (p_nLayoutMode == 0 || p_bHasWinBig);
}

bool AlternateScreenRules::overlaysOnPlayerWidget(bool p_bHasStrategy, int p_nImageDisplayMode,
                                                  bool p_bFullScreen, bool p_bPlaceholderPresent)
{
    return (!p_bHasStrategy || p_nImageDisplayMode == 1) && p_bFullScreen && p_bPlaceholderPresent;
}

AlternateScreenRules::FacePicture AlternateScreenRules::facePicture(int p_nImageDisplayMode,
                                                                    int p_nImageHandle)
{
    if (p_nImageDisplayMode != 2)
        return FacePicture::Snapshot;
    if (p_nImageHandle == 1)
        return FacePicture::Placeholder;
    if (p_nImageHandle == 2)
        return FacePicture::Mosaic;
    return FacePicture::Snapshot;
}
