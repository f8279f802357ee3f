#include "PictureFlowSlide.h"

#include "FeverValues.h"
#include "SnapComparesMessage.h"

#include "AppLanguageTr.h"
#include "AppTranslationHelper.h"
#include "OrvaneAiCompareVoiceBroadcastStrategy.h"
#include "PictureFlow.h"
#include "QssFormatHelper.h"
#include "VORNClientAIManager.h"
#include "VornClient.h"

#include <QHash>
#include <QPainter>

namespace {
const QString kAi = QStringLiteral(":/images/home/charts/ai/");
const QString kDots = QStringLiteral("...");
const QRect kFace(83, 31, 258, 311);
constexpr int CardOffset = 23;

// The few card pictures, decoded once: every slide starts from a copy of two of them.
QImage cardPicture(const QString &path)
{
    static QHash<QString, QImage> decoded;
    auto it = decoded.find(path);
    if (it == decoded.end())
        it = decoded.insert(path,
                            QImage(path).convertToFormat(QImage::Format_ARGB32_Premultiplied));
    return it.value();
}
} // namespace

PictureFlowSlide::Style PictureFlowSlide::style(bool p_bHasTemperature, int p_nState)
{
    Style style;
    if (p_nState == 1 || p_nState == 2)
        style.border = kAi + QStringLiteral("card_alarm_border.png");
    else if (p_nState == 3)
        style.border = kAi + QStringLiteral("card_temp_unnsual_border.png");
    else
        style.border = kAi + QStringLiteral("card_border.png");
    if (!p_bHasTemperature) {
        style.background = kAi + QStringLiteral("card_bg.png");
        style.textColour = QColor(25, 246, 255);
        style.stateColour = style.textColour;
        return style;
    }
    switch (p_nState) {
    case 1:
    case 2:
        style.background = kAi + QStringLiteral("card_temp_alarm_bg.png");
        style.textColour = QColor(210, 74, 74);
        style.stateColour = QssFormatHelper::findColorByKey(
                p_nState == 1 ? QStringLiteral("$word_overtemp")
                              : QStringLiteral("$word_anormaltemp"));
        break;
    case 3:
        style.background = kAi + QStringLiteral("card_temp_unnsual_bg.png");
        style.textColour = QColor(231, 122, 56);
        style.stateColour = QssFormatHelper::findColorByKey(QStringLiteral("$word_anormaltemp"));
        break;
    default:
        style.background = kAi + QStringLiteral("card_temp_bg.png");
        style.stateColour = QssFormatHelper::findColorByKey(QStringLiteral("$word_normaltemp"));
        style.textColour = style.stateColour;
        break;
    }
    return style;
}

QString PictureFlowSlide::nameText(int p_nArchiveId, const QString &archiveName,
                                   const OrvaneAiCompareVoiceBroadcastStrategy *strategy)
{
    if (p_nArchiveId == FeverValues::NoValue) {
        const QString stranger =
                strategy ? QString::fromStdString(strategy->get_stranger_show_name()) : QString();
        return stranger.isEmpty() ? AppLanguageTr::translate(QStringLiteral("TK_Stranger"))
                                  : stranger;
    }
    if (!strategy)
        return archiveName;
    switch (strategy->get_show_archive()) {
    case 2:
        return kDots;
    case 3:
        return QString::fromStdString(strategy->get_archive_show_name());
    default:
        return archiveName;
    }
}

QString PictureFlowSlide::groupText(const QString &parentName, const QString &groupName)
{
    if (parentName == groupName || parentName.isEmpty())
        return groupName;
    return parentName + QLatin1Char('/') + groupName;
}

QString PictureFlowSlide::temperatureText(bool p_bHasTemperature, double p_dTemperature,
                                          const QString &snapTime)
{
    if (!p_bHasTemperature)
        return snapTime.right(8);
    if (p_dTemperature < 0)
        return kDots;
    return VORNClientAIManager::instance()->convertNumberToTemperature(float(p_dTemperature), true,
                                                                       true);
}

QString PictureFlowSlide::verdictText(int p_nState)
{
    switch (p_nState) {
    case 1:
        return AppLanguageTr::translate(QStringLiteral("TK_OverTemperature"));
    case 2:
    case 3:
        return AppLanguageTr::translate(QStringLiteral("TK_AbnormalStatus"));
    default:
        return AppLanguageTr::translate(QStringLiteral("TK_Normal"));
    }
}

bool PictureFlowSlide::framesFace(const OrvaneAiCompareVoiceBroadcastStrategy *strategy)
{
    return strategy && strategy->get_thermometry_result() == 3
           && strategy->get_image_display_mode() == 2;
}

bool PictureFlowSlide::mosaicsFace(const OrvaneAiCompareVoiceBroadcastStrategy *strategy)
{
    return strategy && strategy->get_snap_image_handle() == 2
           && strategy->get_image_display_mode() == 2;
}

bool PictureFlowSlide::isCustomPictureMode(const OrvaneAiCompareVoiceBroadcastStrategy *strategy)
{
    return strategy && strategy->get_image_display_mode() == 2
           && strategy->get_screen_content_mode() == 1;
}

QSize PictureFlowSlide::slideSizeForCard(int p_nCardSize)
{
    switch (p_nCardSize) {
    case 1:
        return QSize(472, 603);
    case 2:
        return QSize(378, 483);
    case 3:
        return QSize(330, 422);
    default:
        return QSize();
    }
}

PictureFlowSlide::Texts
PictureFlowSlide::textsOf(const SnapComparesMessage &record,
                          const OrvaneAiCompareVoiceBroadcastStrategy *strategy)
{
    const OrvaneSnapTargetSource &source = record.snapFaceInfo.snapTargetSource;
    const OrvaneArchiveImageInfo &image = record.compareInfo.archiveImage;
    Texts texts;
    texts.name = nameText(image.archiveId, record.compareInfo.archive.get_name(), strategy);

    VORNClientAIManager *ai = VORNClientAIManager::instance();
    AppTranslationHelper *tr = AppTranslationHelper::instance();
    const OrvanePersonGroup group = ai->getPersonGroupByID(image.archiveGroupId);
    const OrvanePersonGroup parent = ai->getPersonGroupByID(group.get_parent_id());
    texts.group = groupText(tr->getStringAfterTranslation(parent.get_group_name()),
                            tr->getStringAfterTranslation(group.get_group_name()));

    const bool hasTemperature = source.hasTemperature == 1;
    texts.temperature = temperatureText(hasTemperature, source.temperature, source.snapTime);
    if (hasTemperature && framesFace(strategy))
        texts.temperature = verdictText(source.temperatureState);
    texts.device = VornClient::instance()->getDevNameByChannelUID(source.channelUID);
    return texts;
}

QImage PictureFlowSlide::paint(const Texts &texts, const Style &style, const QImage &face,
                               bool framed)
{
    QImage card = cardPicture(style.background);
    if (card.isNull())
        card = QImage(426, 557, QImage::Format_ARGB32_Premultiplied);
    {
        QPainter painter(&card);
        painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing
                               | QPainter::SmoothPixmapTransform);
        painter.drawImage(kFace.topLeft(), face.scaled(kFace.size(), Qt::IgnoreAspectRatio,
                                                       Qt::SmoothTransformation));
        if (framed) {
            painter.setPen(QPen(style.stateColour, FrameWidth));
            painter.drawRect(kFace);
        }
        QFont font = painter.font();
        font.setPixelSize(22);
        painter.setFont(font);
        painter.setPen(style.textColour);
        painter.drawText(QRect(0, 365, card.width(), card.height() - 365), Qt::AlignHCenter,
                         texts.name);
        font.setPixelSize(20);
        painter.setFont(font);
        painter.setPen(style.stateColour);
        painter.drawText(QPoint(83, 446), texts.temperature);
        painter.setPen(style.textColour);
        painter.drawText(QPoint(83, 496), texts.group);
        painter.drawText(QPoint(83, 539), texts.device);
    }

    QImage slide = cardPicture(style.border);
    if (slide.isNull())
        slide = QImage(card.width() + 2 * CardOffset, card.height() + 2 * CardOffset,
                       QImage::Format_ARGB32_Premultiplied);
    QPainter painter(&slide);
    painter.drawImage(CardOffset, CardOffset, card);
    painter.end();
    slide.setText(QStringLiteral("bordeImage"), style.border);
    return slide;
}

void PictureFlowSlide::insert(PictureFlow *flow, const QImage &slide)
{
    const int count = flow->slideCount();
    if (count >= MaxSlides) {
        for (int i = MaxSlides - 2; i >= 0; --i)
            flow->setSlide(i + 1, flow->slide(i));
        flow->setSlide(0, slide);
    } else {
        flow->addSlide(slide);
    }
}
