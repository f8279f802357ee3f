#include "StrategyDefaults.h"

#include "FeverValues.h"

#include "VORNClientAIManager.h"

#include <algorithm>
#include <set>

namespace StrategyDefaults {

namespace {
constexpr int On = FeverValues::SwitchOn;
constexpr int Off = FeverValues::SwitchOff;
constexpr int RegistryStrategy = 1;
constexpr int StrangerStrategy = 2;
} // namespace

std::vector<int> allPersonGroupIds()
{
    std::vector<int> ids;
    for (const auto &node : VORNClientAIManager::instance()->getPersonGroupTreeNodes())
        ids.push_back(node.nId);
    return ids;
}

std::vector<VoiceTimeRange> wholeWeek()
{
    std::vector<VoiceTimeRange> ranges;
    for (int weekday = 0; weekday <= 6; ++weekday)
        ranges.push_back(VoiceTimeRange{weekday, "00-00", "24-00"});
    return ranges;
}

std::vector<ScreenTextItem> screenTexts()
{
    return {
            ScreenTextItem{0, "TK_YouCanPass", "OK"},
            ScreenTextItem{1, "TK_YouCanNotPass", "not OK"},
            ScreenTextItem{3, "TK_TestAgain", "OK"},
    };
}

ST_MSGVoiceBroadcastStrategy strangerStrategy(int windowId, const std::vector<int> &personGroupIds)
{
    ST_MSGVoiceBroadcastStrategy s;
    s.set_user_id(VORNClientAIManager::instance()->getCurUserId());
    s.set_window_id(windowId);
    s.set_recognition_type(StrangerStrategy);
    s.set_card_size(2);
    s.set_display_mode(2);
    s.set_show_name(On);
    s.set_show_stranger(On);
    s.set_report_stranger(On);
    s.set_show_temperature(On);
    s.set_temparature_report_enable(On);
    s.set_show_content(Off);
    s.set_show_mask(Off);
    s.set_speech_content("TK_VisitorHello");
    s.set_temperature_type(2);
    s.set_mask_type(2);
    s.set_mask_content("TK_NoMask");
    s.set_snap_image_handle(3);
    s.set_image_display_mode(1);
    s.set_screen_content_mode(2);
    s.set_thermometry_result(1);
    s.set_show_archive(1);
    s.temp_record_mode = 1;
    s.show_total_no_mask = Off;
    s.show_over_temp_device_name = On;
    s.vecPersonGroupId = personGroupIds;
    s.vecTimeRange = wholeWeek();
    s.vecScreenText = screenTexts();
    return s;
}

ST_MSGVoiceBroadcastStrategy strangerStrategy(int windowId)
{
    return strangerStrategy(windowId, allPersonGroupIds());
}

ST_MSGVoiceBroadcastStrategy registryStrategy(int windowId, const std::vector<int> &personGroupIds)
{
    ST_MSGVoiceBroadcastStrategy s = strangerStrategy(windowId, personGroupIds);
    s.set_recognition_type(RegistryStrategy);
    s.set_show_time(Off);
    s.set_show_name(On);
    s.set_show_stranger(On);
    s.set_speech_content("TK_Hello");
    s.set_show_temperature(On);
    s.set_temperature_type(2);
    return s;
}

ST_MSGVoiceBroadcastStrategy registryStrategy(int windowId)
{
    return registryStrategy(windowId, allPersonGroupIds());
}

ST_MSGVoiceBroadcastStrategy
dialogRegistryStrategy(int windowId,
                       const std::vector<ST_MSGVoiceBroadcastStrategy> &windowStrategies,
                       const std::vector<int> &allGroupIds)
{
    ST_MSGVoiceBroadcastStrategy s;
    s.set_user_id(VORNClientAIManager::instance()->getCurUserId());
    s.set_card_size(2);
    s.set_display_mode(2);
    s.set_show_name(On);
    s.set_recognition_type(RegistryStrategy);
    s.set_show_stranger(On);
    s.set_show_content(Off);
    s.set_speech_content("TK_Hello");
    s.set_show_temperature(On);
    s.set_temperature_type(2);
    s.set_show_mask(Off);
    s.set_show_time(Off);
    s.set_mask_type(2);
    s.set_window_id(windowId);
    s.set_temparature_report_enable(On);
    s.set_report_abnormal_temperature("TK_TestAgainForAbnormalTemperature");
    s.set_report_normal_temperature("TK_YouCanPass");
    s.set_report_over_temperature("TK_YouCanNotPassForOverTemperature");
    s.temp_record_mode = 1;
    s.show_total_no_mask = Off;
    s.show_over_temp_device_name = On;
    s.vecTimeRange = wholeWeek();

    // Registry strategies of one window serve disjoint groups: take only what is still free.
    std::set<int> taken;
    for (const ST_MSGVoiceBroadcastStrategy &other : windowStrategies) {
        if (other.get_recognition_type() == RegistryStrategy)
            taken.insert(other.vecPersonGroupId.begin(), other.vecPersonGroupId.end());
    }
    std::copy_if(allGroupIds.begin(), allGroupIds.end(), std::back_inserter(s.vecPersonGroupId),
                 [&taken](int id) { return taken.count(id) == 0; });
    return s;
}

ST_MSGVoiceBroadcastStrategy
dialogRegistryStrategy(int windowId,
                       const std::vector<ST_MSGVoiceBroadcastStrategy> &windowStrategies)
{
    return dialogRegistryStrategy(windowId, windowStrategies, allPersonGroupIds());
}

} // namespace StrategyDefaults
