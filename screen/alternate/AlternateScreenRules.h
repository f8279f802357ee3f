#pragma once

#include <QString>

// Decisions of the alternate screening screen apart from its widgets: the ratio texts beside
// the two rings, when the access overlays may show, where they hang and which picture a face
// shows.
class AlternateScreenRules
{
public:
    struct RatioTexts
    {
        QString strHealthy; // healthy / total
        QString strWarm;    // over temperature / total
    };
    // Both empty for a total of 0.
    static RatioTexts ratioTexts(int p_nTotal, int p_nOverTemp);

    // Overlays show over a host player with tiles in the layout, in the single-layout mode or
    // with one tile enlarged.
    static bool overlaysVisible(bool p_bIsFormPlayer, bool p_bLayoutListEmpty, int p_nLayoutMode,
                                bool p_bHasWinBig);
    // Full screen with the placeholder taking the screen: the overlays hang on the player widget
    // itself (and scale by its height) instead of on the whole video area.
    static bool overlaysOnPlayerWidget(bool p_bHasStrategy, int p_nImageDisplayMode,
                                       bool p_bFullScreen, bool p_bPlaceholderPresent);

    enum class FacePicture { Snapshot, Placeholder, Mosaic };
    // Only image display mode 2 treats the picture: handling 1 swaps in the state's
    // placeholder, handling 2 pixelates it.
    static FacePicture facePicture(int p_nImageDisplayMode, int p_nImageHandle);
    static int mosaicBlock(int p_nImageHeight) { return p_nImageHeight / 32; }
};
