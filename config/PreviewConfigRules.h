#pragma once

#include "Node.h"
#include "ST_MSGVoiceBroadcastStrategy.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

struct ScheduleTimeRange;

// The decisions of the settings dialog, without widgets.
namespace PreviewConfigRules {

// A window holds at most this many strategies: the stranger strategy and five registry ones.
constexpr int MaxRows = 6;
constexpr int MinRows = 2;
// Clear-time fields take whole seconds in this range.
constexpr int MaxClearSeconds = 10000000;
// A custom screen picture must be PNG, JPEG or BMP, at most this large.
constexpr qint64 MaxPictureBytes = 5LL * 1024 * 1024;
constexpr qint64 MaxPicturePixels = 4096LL * 4096;

bool isStranger(const ST_MSGVoiceBroadcastStrategy &p_objStrategy);

// Empty when another row may be added, else the failure tip's key.
QString addRefusal(int p_nRowCount);
// Empty when the row may be deleted, else the failure tip's key.
QString deleteRefusal(bool p_bStrangerRow, int p_nRowCount);

// Number of a new registry row: one above the largest number read after the first "_" of the
// row texts (stars ignored); 1 when no row carries a number above 0.
int nextRegistryNumber(const QStringList &p_lstRowTexts);
// "<translated TK_RegistrySpeech>_<number>", with "*" when the row is not stored yet.
QString registryRowText(int p_nNumber, bool p_bUnsaved);

// -1 for an empty field, else its number; texts outside the field's validator give -1 too.
int clearTimeFromText(const QString &p_strText);
// Empty for a negative number.
QString clearTimeText(int p_nSeconds);

// The window-wide settings of the display tab, written into every row when saving.
struct DisplaySettings
{
    int nCardSize = 0;
    int nDisplayMode = 0;
    int nShowStranger = 1;
    int nImageDisplayMode = 1;
    int nSnapImageHandle = 0;
    int nScreenContentMode = 0;
    int nThermometryResult = 0;
    std::string strStrangerShowName;
    int nShowArchive = 0;
    std::string strArchiveShowName;
    int nWindowId = 0;
    int nOverTempClearTime = -1;
    int nNormalTempClearTime = -1;
    int nShowTotalNoMask = 1;
    int nShowOverTempDeviceName = 1;
    int nShowCustomPicture = 1;
    std::string strScreenImageUrl;
    int nAutoFullScreen = 1;
};
void applyDisplay(ST_MSGVoiceBroadcastStrategy &p_objStrategy, const DisplaySettings &p_objDisplay);

// Check marks of the person-group tree for one row: its own groups checked and enabled, groups
// of another registry row checked and disabled, the rest unchecked and enabled.
std::vector<Node> personGroupMarks(std::vector<Node> p_vecNodes, const std::vector<int> &p_vecRow,
                                   const std::vector<int> &p_vecOtherRegistryRows);
// Ids of the nodes both checked and enabled, in tree order.
std::vector<int> chosenGroupIds(const std::vector<Node> &p_vecNodes);

QList<ScheduleTimeRange> toSchedule(const std::vector<VoiceTimeRange> &p_vecRanges);
std::vector<VoiceTimeRange> fromSchedule(const QList<ScheduleTimeRange> &p_lstRanges);

// Stores the rows in order through p_fnStore (which sets a new strategy's id) and stops at
// the first it refuses. Returns the index of the refused row, or -1 when all were stored.
int storeInOrder(std::vector<ST_MSGVoiceBroadcastStrategy> &p_vecRows,
                 const std::function<bool(ST_MSGVoiceBroadcastStrategy &)> &p_fnStore);

// Empty when the file may be uploaded as the screen picture, else the failure tip's key.
QString pictureRefusal(const QString &p_strPath);

} // namespace PreviewConfigRules
