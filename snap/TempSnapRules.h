#pragma once

#include <QRect>
#include <QSize>
#include <QString>

class OrvaneAiCompareVoiceBroadcastStrategy;

// What a snapshot card and the strip decide, apart from the widgets that show it: names,
// temperature texts, colours, privacy treatment, sizes and clearing.
class TempSnapRules
{
public:
    static constexpr int MaxCards = 30;

    struct NameText
    {
        QString label; // what labelName shows
        QString name;  // what sendTempInfo sends: the archive name, or empty
    };
    // p_bConsultArchiveName: a match without archive id but with a name still counts as a
    // registered person (at construction; a later strategy change looks at the id only).
    static NameText nameText(int p_nCompareResult, int p_nArchiveId, const QString &archiveName,
                             const OrvaneAiCompareVoiceBroadcastStrategy &strategy,
                             bool p_bConsultArchiveName);

    // Colour of the temperature text and of the privacy frame.
    static QString stateColour(int p_nState, bool p_bAlternate);
    // The card's own style sheet; only over-temperature cards of the alternate style have one.
    static QString cardStyleSheet(int p_nState, bool p_bAlternate);

    enum class PictureTreatment { Plain, Placeholder, Mosaic };
    static PictureTreatment pictureTreatment(const OrvaneAiCompareVoiceBroadcastStrategy &strategy);
    static QString placeholderPicture(int p_nState);
    // The picture shown: the snapshot, or the state's placeholder in private mode.
    static QString pictureSource(const QString &snapUrl, int p_nState,
                                 const OrvaneAiCompareVoiceBroadcastStrategy &strategy);
    static QString borderStyleSheet(const QString &colour);
    static int mosaicBlockSize(int p_nImageHeight);

    // labelTemp's text by the strategy's thermometry result. p_bHideNegative: a negative
    // reading (the platform's "no reading") shows "..." whatever the mode.
    static QString temperatureText(int p_nThermometryResult, int p_nState,
                                   const QString &textWithUnit, double temperature,
                                   bool p_bHideNegative);
    // A unit-less temperature text that reads as negative is never announced.
    static bool sendsTempInfo(const QString &temperatureText);
    static bool saveOffered(const OrvaneAiCompareVoiceBroadcastStrategy &strategy);

    struct SizeStyle
    {
        int nTextPx;
        int nTempPx;
        float fBadgeScale;
    };
    static SizeStyle sizeStyle(int p_nSizeMode);
    static QString smallLabelColour(int p_nState, bool p_bAlternate);
    static QString smallLabelStyleSheet(int p_nPx, const QString &colourPart);
    static QString tempLabelStyleSheet(int p_nPx, const QString &colour);
    // The face picture is a 4:5 portrait filling the card's height less 6 pixels.
    static QSize pictureSize(int p_nCardHeight);
    // Scaled badge in the card's bottom right corner.
    static QRect badgeGeometry(int p_nCardWidth, int p_nCardHeight, int p_nBadgeWidth,
                               int p_nBadgeHeight, float p_fScale);
    // The no-mask badge of the language, or the plain one when the language has none.
    static QString noMaskBadgePath(int p_nLanguage);

    // Save dialog: where to propose saving the picture, and which folder to remember.
    static QString suggestedSavePath(const QString &rememberedFolder, const QString &picUrl);
    static QString folderToRemember(const QString &chosenPath);

    struct CardGeometry
    {
        int nSizeMode;
        int nWidth;
        int nHeight;
    };
    static QSize baseCardSize(bool p_bAlternate);
    // Card size value of the strategy (1 big, 2 medium, 3 small) to size mode and card size.
    static CardGeometry cardGeometry(int p_nCardSize, bool p_bAlternate);
    // p_nClearTime below 1 never clears by time.
    static bool isClearedByTime(qint64 p_nNow, uint p_nCreateTime, int p_nClearTime);
};
