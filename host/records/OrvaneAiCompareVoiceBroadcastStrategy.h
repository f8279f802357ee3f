#pragma once

#include <string>

// Display and voice settings of one screening window, as the platform stores them.
// Switches are ints, 2 on and 1 off; a default-constructed record is off everywhere, has no
// timed clears (-1) and has not been stored yet (id -99999).
class OrvaneAiCompareVoiceBroadcastStrategy
{
public:
    static constexpr int NoValue = -99999;
    static constexpr int SwitchOn = 2;
    static constexpr int SwitchOff = 1;

    OrvaneAiCompareVoiceBroadcastStrategy() = default;
    OrvaneAiCompareVoiceBroadcastStrategy(const OrvaneAiCompareVoiceBroadcastStrategy &) = default;
    OrvaneAiCompareVoiceBroadcastStrategy &
    operator=(const OrvaneAiCompareVoiceBroadcastStrategy &) = default;

    bool operator==(const OrvaneAiCompareVoiceBroadcastStrategy &other) const;
    bool operator!=(const OrvaneAiCompareVoiceBroadcastStrategy &other) const
    {
        return !(*this == other);
    }

    int get_id() const { return m_id; }
    void set_id(int value) { m_id = value; }
    int get_user_id() const { return m_user_id; }
    void set_user_id(int value) { m_user_id = value; }
    int get_window_id() const { return m_window_id; }
    void set_window_id(int value) { m_window_id = value; }
    int get_recognition_type() const { return m_recognition_type; }
    void set_recognition_type(int value) { m_recognition_type = value; }
    int get_card_size() const { return m_card_size; }
    void set_card_size(int value) { m_card_size = value; }
    int get_display_mode() const { return m_display_mode; }
    void set_display_mode(int value) { m_display_mode = value; }
    int get_show_stranger() const { return m_show_stranger; }
    void set_show_stranger(int value) { m_show_stranger = value; }
    int get_image_display_mode() const { return m_image_display_mode; }
    void set_image_display_mode(int value) { m_image_display_mode = value; }
    int get_snap_image_handle() const { return m_snap_image_handle; }
    void set_snap_image_handle(int value) { m_snap_image_handle = value; }
    int get_screen_content_mode() const { return m_screen_content_mode; }
    void set_screen_content_mode(int value) { m_screen_content_mode = value; }
    int get_thermometry_result() const { return m_thermometry_result; }
    void set_thermometry_result(int value) { m_thermometry_result = value; }
    std::string get_stranger_show_name() const { return m_stranger_show_name; }
    void set_stranger_show_name(const std::string &value) { m_stranger_show_name = value; }
    int get_show_archive() const { return m_show_archive; }
    void set_show_archive(int value) { m_show_archive = value; }
    std::string get_archive_show_name() const { return m_archive_show_name; }
    void set_archive_show_name(const std::string &value) { m_archive_show_name = value; }
    std::string get_screen_image_url() const { return m_screen_image_url; }
    void set_screen_image_url(const std::string &value) { m_screen_image_url = value; }
    int get_show_name() const { return m_show_name; }
    void set_show_name(int value) { m_show_name = value; }
    int get_report_stranger() const { return m_report_stranger; }
    void set_report_stranger(int value) { m_report_stranger = value; }
    std::string get_report_stranger_content() const { return m_report_stranger_content; }
    void set_report_stranger_content(const std::string &value)
    {
        m_report_stranger_content = value;
    }
    int get_show_temperature() const { return m_show_temperature; }
    void set_show_temperature(int value) { m_show_temperature = value; }
    int get_temperature_type() const { return m_temperature_type; }
    void set_temperature_type(int value) { m_temperature_type = value; }
    int get_temparature_report_enable() const { return m_temparature_report_enable; }
    void set_temparature_report_enable(int value) { m_temparature_report_enable = value; }
    std::string get_report_normal_temperature() const { return m_report_normal_temperature; }
    void set_report_normal_temperature(const std::string &value)
    {
        m_report_normal_temperature = value;
    }
    std::string get_report_over_temperature() const { return m_report_over_temperature; }
    void set_report_over_temperature(const std::string &value)
    {
        m_report_over_temperature = value;
    }
    std::string get_report_abnormal_temperature() const { return m_report_abnormal_temperature; }
    void set_report_abnormal_temperature(const std::string &value)
    {
        m_report_abnormal_temperature = value;
    }
    int get_show_mask() const { return m_show_mask; }
    void set_show_mask(int value) { m_show_mask = value; }
    int get_mask_type() const { return m_mask_type; }
    void set_mask_type(int value) { m_mask_type = value; }
    std::string get_mask_content() const { return m_mask_content; }
    void set_mask_content(const std::string &value) { m_mask_content = value; }
    int get_show_content() const { return m_show_content; }
    void set_show_content(int value) { m_show_content = value; }
    std::string get_speech_content() const { return m_speech_content; }
    void set_speech_content(const std::string &value) { m_speech_content = value; }
    int get_show_time() const { return m_show_time; }
    void set_show_time(int value) { m_show_time = value; }
    int get_thermometry_mode() const { return m_thermometry_mode; }
    void set_thermometry_mode(int value) { m_thermometry_mode = value; }

    // Read and written directly by the screens and the dialog.
    int show_custom_picture = SwitchOff;
    int auto_full_screen = SwitchOff;
    int over_temp_clear_time = -1;   // seconds; -1 = no timed clear
    int normal_temp_clear_time = -1; // seconds; -1 = no timed clear
    int temp_record_mode = 0;        // 1 all temperatures, 2 over-temperatures only
    int show_total_no_mask = SwitchOff;
    int show_over_temp_device_name = SwitchOff;

private:
    int m_id = NoValue;
    int m_user_id = NoValue;
    int m_window_id = NoValue;
    int m_recognition_type = 0;
    int m_card_size = 0;
    int m_display_mode = 0;
    int m_show_stranger = SwitchOff;
    int m_image_display_mode = 0;
    int m_snap_image_handle = 0;
    int m_screen_content_mode = 0;
    int m_thermometry_result = 0;
    std::string m_stranger_show_name;
    int m_show_archive = 0;
    std::string m_archive_show_name;
    std::string m_screen_image_url;
    int m_show_name = SwitchOff;
    int m_report_stranger = SwitchOff;
    std::string m_report_stranger_content;
    int m_show_temperature = SwitchOff;
    int m_temperature_type = 0;
    int m_temparature_report_enable = SwitchOff;
    std::string m_report_normal_temperature;
    std::string m_report_over_temperature;
    std::string m_report_abnormal_temperature;
    int m_show_mask = SwitchOff;
    int m_mask_type = 0;
    std::string m_mask_content;
    int m_show_content = SwitchOff;
    std::string m_speech_content;
    int m_show_time = SwitchOff;
    int m_thermometry_mode = 0;
};
