#include "TempSnapRules.h"

#include "FeverValues.h"

#include "AppLanguageTr.h"
#include "OrvaneAiCompareVoiceBroadcastStrategy.h"
#include "QssFormatHelper.h"

#include <QFile>
#include <QFileInfo>

namespace {

const QString kDots = QStringLiteral("...");

using FeverValues::isAbnormalTemperature;
using FeverValues::isOverTemperature;

} // namespace

TempSnapRules::NameText
TempSnapRules::nameText(int p_nCompareResult, int p_nArchiveId, const QString &archiveName,
                        const OrvaneAiCompareVoiceBroadcastStrategy &strategy,
                        bool p_bConsultArchiveName)
{
    if (p_nCompareResult != 1)
        return {AppLanguageTr::translate(kDots), QString()};

    const bool registered = p_nArchiveId != FeverValues::NoValue
                            || (p_bConsultArchiveName && !archiveName.isEmpty());
    if (registered) {
        // The name is announced even when the strategy hides it on the card.
        switch (strategy.get_show_archive()) {
        case 1:
            return {archiveName, archiveName};
        case 2:
            return {kDots, archiveName};
        case 3:
            return {AppLanguageTr::translate(
                            QString::fromStdString(strategy.get_archive_show_name())),
                    archiveName};
        default:
            return {QString(), archiveName};
        }
    }

    const QString strangerName = QString::fromStdString(strategy.get_stranger_show_name());
    return {AppLanguageTr::translate(strangerName.isEmpty() ? QStringLiteral("TK_Stranger")
                                                            : strangerName),
            QString()};
}

QString TempSnapRules::stateColour(int p_nState, bool p_bAlternate)
{
    if (p_bAlternate)
        return isOverTemperature(p_nState) ? QStringLiteral("#ee7d6f") : QStringLiteral("#1a7a17");
    if (isOverTemperature(p_nState))
        return QssFormatHelper::findColorStrByKey(QStringLiteral("$word_overtemp"));
    if (isAbnormalTemperature(p_nState))
        return QssFormatHelper::findColorStrByKey(QStringLiteral("$word_anormaltemp"));
    return QssFormatHelper::findColorStrByKey(QStringLiteral("$word_normaltemp"));
}

QString TempSnapRules::cardStyleSheet(int p_nState, bool p_bAlternate)
{
    return p_bAlternate && isOverTemperature(p_nState) ? QStringLiteral("background-color: #edaaa2")
                                                       : QString();
}

TempSnapRules::PictureTreatment
TempSnapRules::pictureTreatment(const OrvaneAiCompareVoiceBroadcastStrategy &strategy)
{
    if (strategy.get_image_display_mode() != 2)
        return PictureTreatment::Plain;
    switch (strategy.get_snap_image_handle()) {
    case 1:
        return PictureTreatment::Placeholder;
    case 2:
        return PictureTreatment::Mosaic;
    default:
        return PictureTreatment::Plain;
    }
}

QString TempSnapRules::placeholderPicture(int p_nState)
{
    if (isOverTemperature(p_nState))
        return QStringLiteral(":/images/home/charts/ai/image_no_show_face_overTemp.png");
    if (isAbnormalTemperature(p_nState))
        return QStringLiteral(":/images/home/charts/ai/image_no_show_face_abnormal.png");
    return QStringLiteral(":/images/home/charts/ai/image_no_show_face_normal.png");
}

QString TempSnapRules::pictureSource(const QString &snapUrl, int p_nState,
                                     const OrvaneAiCompareVoiceBroadcastStrategy &strategy)
{
    return pictureTreatment(strategy) == PictureTreatment::Placeholder
                   ? placeholderPicture(p_nState)
                   : snapUrl;
}

QString TempSnapRules::borderStyleSheet(const QString &colour)
{
    return QStringLiteral("QWidget{border:5px  solid %1; background-color: transparent;}")
            .arg(colour);
}

int TempSnapRules::mosaicBlockSize(int p_nImageHeight)
{
    return p_nImageHeight / 32;
}

QString TempSnapRules::temperatureText(int p_nThermometryResult, int p_nState,
                                       const QString &textWithUnit, double temperature,
                                       bool p_bHideNegative)
{
    if (p_bHideNegative && temperature < 0.0)
        return kDots;
    switch (p_nThermometryResult) {
    case 1:
        return textWithUnit;
    case 3:
        if (isOverTemperature(p_nState))
            return AppLanguageTr::translate(QStringLiteral("TK_OverTemperature"));
        if (isAbnormalTemperature(p_nState))
            return AppLanguageTr::translate(QStringLiteral("TK_AbnormalTemperature"));
        return AppLanguageTr::translate(QStringLiteral("TK_Normal"));
    default:
        return QString();
    }
}

bool TempSnapRules::sendsTempInfo(const QString &temperatureText)
{
    return !(temperatureText.toFloat() < 0.0f);
}

bool TempSnapRules::saveOffered(const OrvaneAiCompareVoiceBroadcastStrategy &strategy)
{
    return strategy.get_image_display_mode() == 1;
}

TempSnapRules::SizeStyle TempSnapRules::sizeStyle(int p_nSizeMode)
{
    switch (p_nSizeMode) {
    case 0:
        return {15, 30, 1.3f};
    case 2:
        return {22, 40, 1.5f};
    default:
        return {12, 20, 1.0f};
    }
}

QString TempSnapRules::smallLabelColour(int p_nState, bool p_bAlternate)
{
    if (!p_bAlternate)
        return QString();
    return isOverTemperature(p_nState) ? QStringLiteral("color: white")
                                       : QStringLiteral("color: #6ba0d0");
}

QString TempSnapRules::smallLabelStyleSheet(int p_nPx, const QString &colourPart)
{
    return QStringLiteral("QLabel{font: %1px; %2}").arg(p_nPx).arg(colourPart);
}

QString TempSnapRules::tempLabelStyleSheet(int p_nPx, const QString &colour)
{
    return QStringLiteral("QLabel{font: %1px; color:%2;}").arg(p_nPx).arg(colour);
}

QSize TempSnapRules::pictureSize(int p_nCardHeight)
{
    const int height = p_nCardHeight - 6;
    // Double product narrowed to float before truncating, so widths match the stored layouts.
    const int width = static_cast<int>(static_cast<float>(height * 0.8));
    return {width, height};
}

QRect TempSnapRules::badgeGeometry(int p_nCardWidth, int p_nCardHeight, int p_nBadgeWidth,
                                   int p_nBadgeHeight, float p_fScale)
{
    const float width = static_cast<float>(p_nBadgeWidth) * p_fScale;
    const float height = static_cast<float>(p_nBadgeHeight) * p_fScale;
    const int x = static_cast<int>(static_cast<float>(p_nCardWidth) - width - 17.0f);
    const int y = static_cast<int>(static_cast<float>(p_nCardHeight) - height - 5.0f);
    return {x, y, static_cast<int>(width), static_cast<int>(height)};
}

QString TempSnapRules::noMaskBadgePath(int p_nLanguage)
{
    const QString localised =
            QStringLiteral(":/images/home/charts/ai/NOMASK%1.png").arg(p_nLanguage);
    QFile file(localised);
    if (file.open(QIODevice::ReadOnly))
        return localised;
    return QStringLiteral(":/images/home/charts/ai/NOMASK.png");
}

QString TempSnapRules::suggestedSavePath(const QString &rememberedFolder, const QString &picUrl)
{
    const QString fileName = QFileInfo(picUrl).fileName();
    return (rememberedFolder.isEmpty() ? QStringLiteral("./") : rememberedFolder) + fileName;
}

QString TempSnapRules::folderToRemember(const QString &chosenPath)
{
    // Only the trailing file name goes; the same text earlier in the path stays.
    return chosenPath.left(chosenPath.size() - QFileInfo(chosenPath).fileName().size());
}

QSize TempSnapRules::baseCardSize(bool p_bAlternate)
{
    return p_bAlternate ? QSize(286, 121) : QSize(330, 143);
}

TempSnapRules::CardGeometry TempSnapRules::cardGeometry(int p_nCardSize, bool p_bAlternate)
{
    int mode = 1;
    float scale = 1.0f;
    if (p_nCardSize == 2) {
        mode = 0;
        scale = 1.3f;
    } else if (p_nCardSize == 1) {
        mode = 2;
        scale = 1.5f;
    }
    // Multiplied in float on purpose: 330 x 1.3f lies just below 429, and the medium card has
    // always been 428 wide.
    const QSize base = baseCardSize(p_bAlternate);
    return {mode, static_cast<int>(static_cast<float>(base.width()) * scale),
            static_cast<int>(static_cast<float>(base.height()) * scale)};
}

bool TempSnapRules::isClearedByTime(qint64 p_nNow, uint p_nCreateTime, int p_nClearTime)
{
    if (p_nClearTime < 1)
        return false;
    return p_nNow - static_cast<qint64>(p_nCreateTime) >= p_nClearTime;
}
