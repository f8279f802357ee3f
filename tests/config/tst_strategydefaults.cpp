#include "TestSupport.h"

#include "StrategyDefaults.h"

#include "HostTesting.h"
#include "VornClient.h"

#include <QVariantList>
#include <QVariantMap>

namespace {

// Groups listed out of tree order: the tree is 5 > 3 > 4, then 9.
const char kScenario[] = R"({ "version": 1, "loginServer": { "uid": "login-1" },
    "user": { "id": 7, "name": "operator" },
    "personGroups": [ { "id": 5, "name": "Staff", "parentId": -99999 },
                      { "id": 3, "name": "Night shift", "parentId": 5 },
                      { "id": 9, "name": "Visitors", "parentId": -99999 },
                      { "id": 4, "name": "Guards", "parentId": 3 } ] })";

QString text(const std::string &value)
{
    return QString::fromStdString(value);
}

// Every field and list of a strategy by its name, in comparable form.
QVariantMap fieldsOf(const ST_MSGVoiceBroadcastStrategy &s)
{
    QVariantMap m;
    m["id"] = s.get_id();
    m["user_id"] = s.get_user_id();
    m["window_id"] = s.get_window_id();
    m["recognition_type"] = s.get_recognition_type();
    m["card_size"] = s.get_card_size();
    m["display_mode"] = s.get_display_mode();
    m["show_stranger"] = s.get_show_stranger();
    m["image_display_mode"] = s.get_image_display_mode();
    m["snap_image_handle"] = s.get_snap_image_handle();
    m["screen_content_mode"] = s.get_screen_content_mode();
    m["thermometry_result"] = s.get_thermometry_result();
    m["stranger_show_name"] = text(s.get_stranger_show_name());
    m["show_archive"] = s.get_show_archive();
    m["archive_show_name"] = text(s.get_archive_show_name());
    m["screen_image_url"] = text(s.get_screen_image_url());
    m["show_name"] = s.get_show_name();
    m["report_stranger"] = s.get_report_stranger();
    m["report_stranger_content"] = text(s.get_report_stranger_content());
    m["show_temperature"] = s.get_show_temperature();
    m["temperature_type"] = s.get_temperature_type();
    m["temparature_report_enable"] = s.get_temparature_report_enable();
    m["report_normal_temperature"] = text(s.get_report_normal_temperature());
    m["report_over_temperature"] = text(s.get_report_over_temperature());
    m["report_abnormal_temperature"] = text(s.get_report_abnormal_temperature());
    m["show_mask"] = s.get_show_mask();
    m["mask_type"] = s.get_mask_type();
    m["mask_content"] = text(s.get_mask_content());
    m["show_content"] = s.get_show_content();
    m["speech_content"] = text(s.get_speech_content());
    m["show_time"] = s.get_show_time();
    m["thermometry_mode"] = s.get_thermometry_mode();
    m["show_custom_picture"] = s.show_custom_picture;
    m["auto_full_screen"] = s.auto_full_screen;
    m["over_temp_clear_time"] = s.over_temp_clear_time;
    m["normal_temp_clear_time"] = s.normal_temp_clear_time;
    m["temp_record_mode"] = s.temp_record_mode;
    m["show_total_no_mask"] = s.show_total_no_mask;
    m["show_over_temp_device_name"] = s.show_over_temp_device_name;

    QStringList ranges;
    for (const VoiceTimeRange &r : s.vecTimeRange)
        ranges << QStringLiteral("%1 %2 %3")
                          .arg(r.weekday)
                          .arg(text(r.start_time), text(r.end_time));
    m["time ranges"] = ranges;
    QVariantList groups;
    for (int id : s.vecPersonGroupId)
        groups << id;
    m["person groups"] = groups;
    QStringList texts;
    for (const ScreenTextItem &t : s.vecScreenText)
        texts << QStringLiteral("%1|%2|%3").arg(t.state).arg(text(t.text), text(t.result));
    m["screen texts"] = texts;
    return m;
}

const QStringList kWholeWeek = {"0 00-00 24-00", "1 00-00 24-00", "2 00-00 24-00", "3 00-00 24-00",
                                "4 00-00 24-00", "5 00-00 24-00", "6 00-00 24-00"};

// The stranger strategy of window 4 as the tables define it; everything else as a fresh record.
QVariantMap expectedStranger()
{
    QVariantMap m = fieldsOf(ST_MSGVoiceBroadcastStrategy());
    m["user_id"] = 7;
    m["window_id"] = 4;
    m["recognition_type"] = 2;
    m["card_size"] = 2;
    m["display_mode"] = 2;
    for (const char *field : {"show_name", "show_stranger", "report_stranger", "show_temperature",
                              "temparature_report_enable"})
        m[field] = 2;
    m["show_content"] = 1;
    m["show_mask"] = 1;
    m["speech_content"] = "TK_VisitorHello";
    m["temperature_type"] = 2;
    m["mask_type"] = 2;
    m["mask_content"] = "TK_NoMask";
    m["snap_image_handle"] = 3;
    m["image_display_mode"] = 1;
    m["screen_content_mode"] = 2;
    m["thermometry_result"] = 1;
    m["show_archive"] = 1;
    m["temp_record_mode"] = 1;
    m["show_total_no_mask"] = 1;
    m["show_over_temp_device_name"] = 2;
    m["person groups"] = QVariantList{5, 3, 4, 9};
    m["time ranges"] = kWholeWeek;
    m["screen texts"] =
            QStringList{"0|TK_YouCanPass|OK", "1|TK_YouCanNotPass|not OK", "3|TK_TestAgain|OK"};
    return m;
}

QVariantMap expectedRegistry()
{
    QVariantMap m = expectedStranger();
    m["recognition_type"] = 1;
    m["show_time"] = 1;
    m["show_name"] = 2;
    m["show_stranger"] = 2;
    m["speech_content"] = "TK_Hello";
    m["show_temperature"] = 2;
    m["temperature_type"] = 2;
    return m;
}

QVariantMap expectedDialogRegistry()
{
    QVariantMap m = fieldsOf(ST_MSGVoiceBroadcastStrategy());
    m["user_id"] = 7;
    m["card_size"] = 2;
    m["display_mode"] = 2;
    m["show_name"] = 2;
    m["recognition_type"] = 1;
    m["show_stranger"] = 2;
    m["show_content"] = 1;
    m["speech_content"] = "TK_Hello";
    m["show_temperature"] = 2;
    m["temperature_type"] = 2;
    m["show_mask"] = 1;
    m["show_time"] = 1;
    m["mask_type"] = 2;
    m["window_id"] = 4;
    m["temparature_report_enable"] = 2;
    m["report_abnormal_temperature"] = "TK_TestAgainForAbnormalTemperature";
    m["report_normal_temperature"] = "TK_YouCanPass";
    m["report_over_temperature"] = "TK_YouCanNotPassForOverTemperature";
    m["temp_record_mode"] = 1;
    m["show_total_no_mask"] = 1;
    m["show_over_temp_device_name"] = 2;
    m["time ranges"] = kWholeWeek;
    // The window's registry strategy already serves 3 and 9; the stranger strategy's groups
    // do not count.
    m["person groups"] = QVariantList{5, 4};
    return m;
}

} // namespace

class StrategyDefaultsTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void defaultsMatchTheTables_data();
    void defaultsMatchTheTables();
};

void StrategyDefaultsTest::initTestCase()
{
    testsupport::installWarningGuard();
    QVERIFY2(HostTesting::loadScenarioData(kScenario),
             qPrintable(HostTesting::lastScenarioError()));
}

void StrategyDefaultsTest::defaultsMatchTheTables_data()
{
    QTest::addColumn<QVariant>("actual");
    QTest::addColumn<QVariant>("expected");

    ST_MSGVoiceBroadcastStrategy registryHolding;
    registryHolding.set_recognition_type(1);
    registryHolding.vecPersonGroupId = {9, 3};
    const std::vector<ST_MSGVoiceBroadcastStrategy> window = {StrategyDefaults::strangerStrategy(4),
                                                              registryHolding};

    const QList<QPair<const char *, QPair<QVariantMap, QVariantMap>>> cases = {
            {"stranger", {fieldsOf(StrategyDefaults::strangerStrategy(4)), expectedStranger()}},
            {"registry", {fieldsOf(StrategyDefaults::registryStrategy(4)), expectedRegistry()}},
            {"dialog registry",
             {fieldsOf(StrategyDefaults::dialogRegistryStrategy(4, window)),
              expectedDialogRegistry()}},
    };
    for (const auto &c : cases) {
        const QVariantMap &actual = c.second.first;
        const QVariantMap &expected = c.second.second;
        for (auto it = expected.cbegin(); it != expected.cend(); ++it) {
            QTest::addRow("%s %s", c.first, qPrintable(it.key()))
                    << actual.value(it.key()) << it.value();
        }
    }
}

void StrategyDefaultsTest::defaultsMatchTheTables()
{
    QFETCH(QVariant, actual);
    QFETCH(QVariant, expected);
    QCOMPARE(actual, expected);
}

FEVER_TEST_MAIN(StrategyDefaultsTest)
#include "tst_strategydefaults.moc"
