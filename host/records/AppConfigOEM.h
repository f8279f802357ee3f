#pragma once

// OEM switches of the host build; the plug-in reads them to pick its screen variant.
struct AppConfigOEM
{
    int nPreviewScreenType = 0; // 1 selects the alternate screening screen
    bool bCollapsibleSnapPanel = false;

    bool operator==(const AppConfigOEM &other) const
    {
        return nPreviewScreenType == other.nPreviewScreenType
               && bCollapsibleSnapPanel == other.bCollapsibleSnapPanel;
    }
    bool operator!=(const AppConfigOEM &other) const { return !(*this == other); }
};
