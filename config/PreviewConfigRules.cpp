#include "PreviewConfigRules.h"

#include "FeverValues.h"

#include "AppLanguageTr.h"
#include "ScheduleTime.h"
#include "ScheduleTimeWidget.h"

#include <QFileInfo>
#include <QImageReader>

#include <algorithm>

namespace PreviewConfigRules {

bool isStranger(const ST_MSGVoiceBroadcastStrategy &p_objStrategy)
{
    return p_objStrategy.get_recognition_type() == 2;
}

QString addRefusal(int p_nRowCount)
{
    return p_nRowCount >= MaxRows ? QStringLiteral("TK_AddVoiceStrategyMax") : QString();
}

QString deleteRefusal(bool p_bStrangerRow, int p_nRowCount)
{
    if (p_bStrangerRow)
        return QStringLiteral("TK_StrangerPolicyNoDeleted");
    if (p_nRowCount <= MinRows)
        return QStringLiteral("TK_TwoStrategyAtLeast");
    return QString();
}

int nextRegistryNumber(const QStringList &p_lstRowTexts)
{
    int largest = 0;
    for (QString text : p_lstRowTexts) {
        text.remove(QLatin1Char('*'));
        const int separator = text.indexOf(QLatin1Char('_'));
        if (separator < 0)
            continue;
        bool ok = false;
        const int number = text.mid(separator + 1).toInt(&ok);
        if (ok && number > largest)
            largest = number;
    }
    return largest + 1;
}

QString registryRowText(int p_nNumber, bool p_bUnsaved)
{
    return AppLanguageTr::translate(QStringLiteral("TK_RegistrySpeech")) + QLatin1Char('_')
           + QString::number(p_nNumber) + (p_bUnsaved ? QStringLiteral("*") : QString());
}

int clearTimeFromText(const QString &p_strText)
{
    if (p_strText.isEmpty())
        return -1;
    bool ok = false;
    const int seconds = p_strText.toInt(&ok);
    return ok && seconds >= 0 && seconds <= MaxClearSeconds ? seconds : -1;
}

QString clearTimeText(int p_nSeconds)
{
    return p_nSeconds < 0 ? QString() : QString::number(p_nSeconds);
}

void applyDisplay(ST_MSGVoiceBroadcastStrategy &p_objStrategy, const DisplaySettings &p_objDisplay)
{
    p_objStrategy.set_card_size(p_objDisplay.nCardSize);
    p_objStrategy.set_display_mode(p_objDisplay.nDisplayMode);
    p_objStrategy.set_show_stranger(p_objDisplay.nShowStranger);
    p_objStrategy.set_image_display_mode(p_objDisplay.nImageDisplayMode);
    p_objStrategy.set_snap_image_handle(p_objDisplay.nSnapImageHandle);
    p_objStrategy.set_screen_content_mode(p_objDisplay.nScreenContentMode);
    p_objStrategy.set_thermometry_result(p_objDisplay.nThermometryResult);
    p_objStrategy.set_stranger_show_name(p_objDisplay.strStrangerShowName);
    p_objStrategy.set_show_archive(p_objDisplay.nShowArchive);
    p_objStrategy.set_archive_show_name(p_objDisplay.strArchiveShowName);
    p_objStrategy.set_window_id(p_objDisplay.nWindowId);
    p_objStrategy.over_temp_clear_time = p_objDisplay.nOverTempClearTime;
    p_objStrategy.normal_temp_clear_time = p_objDisplay.nNormalTempClearTime;
    p_objStrategy.show_total_no_mask = p_objDisplay.nShowTotalNoMask;
    p_objStrategy.show_over_temp_device_name = p_objDisplay.nShowOverTempDeviceName;
    p_objStrategy.show_custom_picture = p_objDisplay.nShowCustomPicture;
    p_objStrategy.set_screen_image_url(p_objDisplay.strScreenImageUrl);
    p_objStrategy.auto_full_screen = p_objDisplay.nAutoFullScreen;
}

std::vector<Node> personGroupMarks(std::vector<Node> p_vecNodes, const std::vector<int> &p_vecRow,
                                   const std::vector<int> &p_vecOtherRegistryRows)
{
    auto holds = [](const std::vector<int> &ids, int id) {
        return std::find(ids.begin(), ids.end(), id) != ids.end();
    };
    for (Node &node : p_vecNodes) {
        if (holds(p_vecRow, node.nId)) {
            node.bChecked = true;
            node.bCheckable = true;
        } else if (holds(p_vecOtherRegistryRows, node.nId)) {
            node.bChecked = true;
            node.bCheckable = false;
        } else {
            node.bChecked = false;
            node.bCheckable = true;
        }
    }
    return p_vecNodes;
}

std::vector<int> chosenGroupIds(const std::vector<Node> &p_vecNodes)
{
    std::vector<int> ids;
    for (const Node &node : p_vecNodes) {
        if (node.bChecked && node.bCheckable)
            ids.push_back(node.nId);
    }
    return ids;
}

QList<ScheduleTimeRange> toSchedule(const std::vector<VoiceTimeRange> &p_vecRanges)
{
    QList<ScheduleTimeRange> ranges;
    for (const VoiceTimeRange &range : p_vecRanges) {
        ScheduleTimeRange objRange;
        objRange.nWeekday = range.weekday;
        objRange.nStart = ScheduleTime::timeFormatConvert(QString::fromStdString(range.start_time));
        objRange.nEnd = ScheduleTime::timeFormatConvert(QString::fromStdString(range.end_time));
        ranges.append(objRange);
    }
    return ranges;
}

std::vector<VoiceTimeRange> fromSchedule(const QList<ScheduleTimeRange> &p_lstRanges)
{
    std::vector<VoiceTimeRange> ranges;
    for (const ScheduleTimeRange &range : p_lstRanges) {
        VoiceTimeRange objRange;
        objRange.weekday = range.nWeekday;
        objRange.start_time = ScheduleTime::timeFormatConvert(range.nStart).toStdString();
        objRange.end_time = ScheduleTime::timeFormatConvert(range.nEnd).toStdString();
        ranges.push_back(objRange);
    }
    return ranges;
}

int storeInOrder(std::vector<ST_MSGVoiceBroadcastStrategy> &p_vecRows,
                 const std::function<bool(ST_MSGVoiceBroadcastStrategy &)> &p_fnStore)
{
    for (std::size_t i = 0; i < p_vecRows.size(); ++i) {
        if (!p_fnStore(p_vecRows[i]))
            return int(i);
    }
    return -1;
}

QString pictureRefusal(const QString &p_strPath)
{
    const QFileInfo file(p_strPath);
    if (!file.isFile())
        return QStringLiteral("TK_PictureMissing");
    if (file.size() > MaxPictureBytes)
        return QStringLiteral("TK_PictureTooLarge");
    // The content decides, not the name: a renamed document is no picture.
    QImageReader reader(p_strPath);
    reader.setDecideFormatFromContent(true);
    const QByteArray format = reader.format();
    if (format != "png" && format != "jpeg" && format != "bmp")
        return QStringLiteral("TK_PictureNotImage");
    const QSize size = reader.size();
    if (!size.isValid() || size.isEmpty())
        return QStringLiteral("TK_PictureNotImage");
    if (qint64(size.width()) * size.height() > MaxPicturePixels)
        return QStringLiteral("TK_PictureTooLarge");
    return QString();
}

} // namespace PreviewConfigRules
