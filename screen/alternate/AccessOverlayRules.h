#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>

// How an access overlay looks and where it sits over the video: a face and, right of it, a
// banner that grants or denies access. Sizes follow the player's height; every scaled number is
// computed in single precision and truncated.
class AccessOverlayRules
{
public:
    // The player height at which the overlay has its nominal size.
    static constexpr float NominalPlayerHeight = 650.0f;

    struct Banner
    {
        QString strColor;
        QString strTextKey;
        QString strIconPath;
        bool bOver = false; // kept on the text label, so that a language switch can re-text it
    };
    static Banner banner(int p_nTempState);
    static QString bannerTextKey(bool p_bOver);
    static QString bannerStyleSheet(const QString &color);
    static QString textStyleSheet(float k);

    static float scale(int p_nPlayerHeight);
    // Group 0 sits at the top left; group 1 below it, a gap of k x 30 under the first face.
    static QRect faceGeometry(float k, int p_nIndex, int p_nFirstFaceHeight);
    // Where the one remaining face goes when a newer group takes the top.
    static QPoint movedDown(const QRect &face, float k);
    // Right of the face, centred on it vertically.
    static QRect bannerGeometry(float k, const QRect &face);
    static QSize iconMaximumSize(int p_nBannerHeight);
};
