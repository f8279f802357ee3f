#pragma once

#include <QColor>
#include <QImage>
#include <QSize>
#include <QString>

class OrvaneAiCompareVoiceBroadcastStrategy;
class PictureFlow;
class SnapComparesMessage;

// The large snapshot slides the screen lays over the video: their texts, looks and size, how
// one is painted and how it joins the carousel.
class PictureFlowSlide
{
public:
    static constexpr int MaxSlides = 5;
    static constexpr int SlideDelayMs = 200;
    static constexpr int ClearDelayMs = 7000;
    static constexpr int FrameWidth = 8;

    struct Style
    {
        QString background;
        QString border;
        QColor textColour;  // name, group and device
        QColor stateColour; // temperature, and the frame around the face
    };
    // Background and colours by temperature state when a temperature was measured, else the
    // cyan look; the border by state either way.
    static Style style(bool p_bHasTemperature, int p_nState);

    struct Texts
    {
        QString name;
        QString group;
        QString temperature;
        QString device;
    };

    // Name by the strategy's show-archive setting; strangers by its stranger name.
    static QString nameText(int p_nArchiveId, const QString &archiveName,
                            const OrvaneAiCompareVoiceBroadcastStrategy *strategy);
    // "parent/group", or the group alone when both names are the same.
    static QString groupText(const QString &parentName, const QString &groupName);
    // The reading ("..." below zero) when measured, else the time part of the snapshot time.
    static QString temperatureText(bool p_bHasTemperature, double p_dTemperature,
                                   const QString &snapTime);
    // The verdict that replaces the reading when the strategy shows verdicts on framed faces.
    static QString verdictText(int p_nState);
    // Face shown framed in the state colour, with the verdict instead of the reading.
    static bool framesFace(const OrvaneAiCompareVoiceBroadcastStrategy *strategy);
    static bool mosaicsFace(const OrvaneAiCompareVoiceBroadcastStrategy *strategy);
    // In custom-picture mode the placeholder replaces the video, and no slide is made.
    static bool isCustomPictureMode(const OrvaneAiCompareVoiceBroadcastStrategy *strategy);
    // Slide size of a card size (1, 2, 3); an invalid size for any other.
    static QSize slideSizeForCard(int p_nCardSize);

    // All texts of a record, looked up through the host (groups, device name, unit).
    static Texts textsOf(const SnapComparesMessage &record,
                         const OrvaneAiCompareVoiceBroadcastStrategy *strategy);
    // The slide: the card (background, face, texts) on its border picture. Texts are drawn as
    // plain text. The picture carries the text "bordeImage" = the border's path.
    static QImage paint(const Texts &texts, const Style &style, const QImage &face, bool framed);
    // Appended while the carousel holds fewer than MaxSlides; once full, the new slide goes
    // first and the last one is dropped.
    static void insert(PictureFlow *flow, const QImage &slide);
};
