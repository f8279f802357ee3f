#include "OrvaneAiCompareVoiceBroadcastStrategy.h"

#include <tuple>

namespace {

auto fieldsOf(const OrvaneAiCompareVoiceBroadcastStrategy &s)
{
    return std::make_tuple(
            s.get_id(), s.get_user_id(), s.get_window_id(), s.get_recognition_type(),
            s.get_card_size(), s.get_display_mode(), s.get_show_stranger(),
            s.get_image_display_mode(), s.get_snap_image_handle(), s.get_screen_content_mode(),
            s.get_thermometry_result(), s.get_stranger_show_name(), s.get_show_archive(),
            s.get_archive_show_name(), s.get_screen_image_url(), s.get_show_name(),
            s.get_report_stranger(), s.get_report_stranger_content(), s.get_show_temperature(),
            s.get_temperature_type(), s.get_temparature_report_enable(),
            s.get_report_normal_temperature(), s.get_report_over_temperature(),
            s.get_report_abnormal_temperature(), s.get_show_mask(), s.get_mask_type(),
            s.get_mask_content(), s.get_show_content(), s.get_speech_content(), s.get_show_time(),
            s.get_thermometry_mode(), s.show_custom_picture, s.auto_full_screen,
            s.over_temp_clear_time, s.normal_temp_clear_time, s.temp_record_mode,
            s.show_total_no_mask, s.show_over_temp_device_name);
}

} // namespace

bool OrvaneAiCompareVoiceBroadcastStrategy::operator==(
        const OrvaneAiCompareVoiceBroadcastStrategy &other) const
{
    return fieldsOf(*this) == fieldsOf(other);
}
