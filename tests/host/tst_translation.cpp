#include "TestSupport.h"

#include "AppLanguageTr.h"
#include "AppTranslationHelper.h"
#include "PlatformStore.h"

#include <QEvent>
#include <QLabel>
#include <QVBoxLayout>

namespace {

// Every key the screens and dialogs ask for; a key missing from a catalogue would show up
// on screen as "TK_...".
const QStringList kScreenKeys = {"TK_AbnormalStatus",
                                 "TK_AbnormalTemp",
                                 "TK_AbnormalTempSpeech",
                                 "TK_AbnormalTemperature",
                                 "TK_AccessDenied",
                                 "TK_AccessGranted",
                                 "TK_Add",
                                 "TK_AddToLib",
                                 "TK_AddVoiceStrategyMax",
                                 "TK_AllTempSpeech",
                                 "TK_AllTemperature",
                                 "TK_And",
                                 "TK_Apply",
                                 "TK_AreaManualClearZero",
                                 "TK_AutoFullScreen",
                                 "TK_Big",
                                 "TK_BodyTemperature",
                                 "TK_BracketsLeft",
                                 "TK_BracketsRight",
                                 "TK_BroadcastContent",
                                 "TK_BroadcastTime",
                                 "TK_Cancel",
                                 "TK_CardSize",
                                 "TK_ConnectIAUFaile!",
                                 "TK_Custom",
                                 "TK_DataStatistics",
                                 "TK_DefalutImage",
                                 "TK_Default",
                                 "TK_DefaultMode",
                                 "TK_DefenceTime",
                                 "TK_Degrees",
                                 "TK_DegreesFahrenheit",
                                 "TK_Delete",
                                 "TK_DeviceFilterSetGuideTips",
                                 "TK_DeviceList",
                                 "TK_DisplaySet",
                                 "TK_DownloadFailed",
                                 "TK_FaceLib",
                                 "TK_Filter",
                                 "TK_FullSrceenCard",
                                 "TK_FullSrceenListCard",
                                 "TK_GetFailed",
                                 "TK_GisMapDataType",
                                 "TK_Healthy",
                                 "TK_HealthyEntered",
                                 "TK_HealthyTemp",
                                 "TK_Hello",
                                 "TK_ImageDisplayMode",
                                 "TK_Mask",
                                 "TK_MeasureTempRecord",
                                 "TK_Mid",
                                 "TK_MosaicHandle",
                                 "TK_Name",
                                 "TK_NoHandle",
                                 "TK_NoMask",
                                 "TK_NoRecords",
                                 "TK_NoShowBodyTemperature",
                                 "TK_Normal",
                                 "TK_NormalTempAutoClear",
                                 "TK_NormalTempSpeech",
                                 "TK_NormalTemperature",
                                 "TK_NotSupport",
                                 "TK_OK",
                                 "TK_OpenFile",
                                 "TK_OverTemp",
                                 "TK_OverTempAutoClear",
                                 "TK_OverTempDeviceNameShow",
                                 "TK_OverTempSnap",
                                 "TK_OverTempSpeech",
                                 "TK_OverTemperature",
                                 "TK_OverTemperatureDataStatistic",
                                 "TK_OvertemperatureSnap",
                                 "TK_PageTotalSize",
                                 "TK_PlatForm",
                                 "TK_PrivateMode",
                                 "TK_RealtimeTempScreening",
                                 "TK_RealtimeTemperature",
                                 "TK_RegistryShowName",
                                 "TK_RegistrySpeech",
                                 "TK_SDKTimeout",
                                 "TK_SaveAs",
                                 "TK_SaveFailed",
                                 "TK_SaveFile",
                                 "TK_SaveSuccess",
                                 "TK_ScreenDisplayContent",
                                 "TK_ScreenLayout",
                                 "TK_SelectLowerLevel",
                                 "TK_SelectPicture",
                                 "TK_Set",
                                 "TK_ShowBodyTemperature",
                                 "TK_ShowCustomContent",
                                 "TK_ShowCustomPicture",
                                 "TK_ShowNoting",
                                 "TK_ShowPreview",
                                 "TK_ShowTotalNoMask",
                                 "TK_Small",
                                 "TK_SnapClear",
                                 "TK_SnapHandle",
                                 "TK_SnapTotal",
                                 "TK_Sound",
                                 "TK_Speech",
                                 "TK_StaticRange",
                                 "TK_Stranger",
                                 "TK_StrangerPolicyNoDeleted",
                                 "TK_StrangerShowName",
                                 "TK_Suspected",
                                 "TK_TempRecord",
                                 "TK_TempResult",
                                 "TK_TempStatistics",
                                 "TK_TemperatureResult",
                                 "TK_TestAgain",
                                 "TK_TestAgainForAbnormalTemperature",
                                 "TK_Time",
                                 "TK_TimeSet",
                                 "TK_TrackingTimeLine",
                                 "TK_TwoStrategyAtLeast",
                                 "TK_UpdateFacePic",
                                 "TK_UploadFailed",
                                 "TK_VisitorHello",
                                 "TK_Warm",
                                 "TK_WordSet",
                                 "TK_YouCanNotPass",
                                 "TK_YouCanNotPassForOverTemperature",
                                 "TK_YouCanPass"};

bool isAscii(const QString &text)
{
    for (QChar c : text) {
        if (c.unicode() > 0x7f)
            return false;
    }
    return true;
}

// A live widget that re-texts itself the way the screens do: on LanguageChange.
class RetranslatingWidget : public QWidget
{
public:
    RetranslatingWidget()
        : m_label(new QLabel(this))
    {
        auto *layout = new QVBoxLayout(this);
        layout->addWidget(m_label);
        retranslate();
    }
    int languageChanges = 0;
    QString text() const { return m_label->text(); }

protected:
    void changeEvent(QEvent *event) override
    {
        if (event->type() == QEvent::LanguageChange) {
            ++languageChanges;
            retranslate();
        }
        QWidget::changeEvent(event);
    }

private:
    void retranslate() { m_label->setText(AppLanguageTr::translate("TK_Hello")); }
    QLabel *m_label;
};

} // namespace

class TestTranslation : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();

    void everyScreenKeyIsTranslated_data();
    void everyScreenKeyIsTranslated();
    void spokenWordsInBothLanguages_data();
    void spokenWordsInBothLanguages();
    void unknownTextComesBackUnchanged_data();
    void unknownTextComesBackUnchanged();
    void switchingLanguageRetextsLiveWidgets();
    void unsupportedLanguageIsRefused();
    void chosenLanguageIsRemembered();
};

void TestTranslation::initTestCase()
{
    testsupport::installWarningGuard();
    // The offscreen platform says so whenever a shown window's size hints change.
    testsupport::allowWarning(
            QRegularExpression(QStringLiteral("does not support propagateSizeHints")));
    QCOMPARE(AppTranslationHelper::instance()->currentLanguage(), AppTranslationHelper::English);
}

void TestTranslation::cleanup()
{
    QVERIFY(AppTranslationHelper::instance()->setCurrentLanguage(AppTranslationHelper::English));
}

void TestTranslation::everyScreenKeyIsTranslated_data()
{
    QTest::addColumn<QString>("key");
    for (const QString &key : kScreenKeys)
        QTest::newRow(qPrintable(key)) << key;
}

void TestTranslation::everyScreenKeyIsTranslated()
{
    QFETCH(QString, key);
    AppTranslationHelper *helper = AppTranslationHelper::instance();

    QVERIFY(helper->setCurrentLanguage(AppTranslationHelper::English));
    const QString english = AppLanguageTr::translate(key);
    QVERIFY2(english != key && !english.isEmpty(), qPrintable(key + " has no English text"));
    QVERIFY2(isAscii(english), qPrintable(key + " English text is not English: " + english));

    QVERIFY(helper->setCurrentLanguage(AppTranslationHelper::Chinese));
    const QString chinese = AppLanguageTr::translate(key);
    QVERIFY2(chinese != key && !chinese.isEmpty(), qPrintable(key + " has no Chinese text"));
    QVERIFY2(!isAscii(chinese), qPrintable(key + " Chinese text is not Chinese: " + chinese));
    QCOMPARE(helper->getStringAfterTranslation(key), chinese);
}

void TestTranslation::spokenWordsInBothLanguages_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("english");
    QTest::addColumn<QString>("chinese");
    QTest::newRow("decimal point") << "TK_And"
                                   << "point" << QString::fromUtf8("点");
    QTest::newRow("Celsius") << "TK_Degrees"
                             << "degrees Celsius" << QString::fromUtf8("摄氏度");
    QTest::newRow("Fahrenheit") << "TK_DegreesFahrenheit"
                                << "degrees Fahrenheit" << QString::fromUtf8("华氏度");
    QTest::newRow("greeting") << "TK_Hello"
                              << "Hello" << QString::fromUtf8("您好");
    QTest::newRow("visitor greeting") << "TK_VisitorHello"
                                      << "Hello, visitor" << QString::fromUtf8("访客您好");
    QTest::newRow("stranger") << "TK_Stranger"
                              << "Stranger" << QString::fromUtf8("陌生人");
}

void TestTranslation::spokenWordsInBothLanguages()
{
    QFETCH(QString, key);
    QFETCH(QString, english);
    QFETCH(QString, chinese);
    QCOMPARE(AppLanguageTr::translate(key), english);
    QVERIFY(AppTranslationHelper::instance()->setCurrentLanguage(AppTranslationHelper::Chinese));
    QCOMPARE(AppLanguageTr::translate(key), chinese);
}

void TestTranslation::unknownTextComesBackUnchanged_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("unknown key") << "TK_NoSuchKeyAnywhere";
    QTest::newRow("empty") << QString();
    QTest::newRow("user phrase") << QString::fromUtf8("Welcome, 张三!");
    QTest::newRow("stored verdict") << "not OK";
    QTest::newRow("markup") << "<b>TK_Hello</b>";
    QTest::newRow("key with trailing space") << "TK_Hello ";
}

void TestTranslation::unknownTextComesBackUnchanged()
{
    QFETCH(QString, text);
    QCOMPARE(AppLanguageTr::translate(text), text);
    QVERIFY(AppTranslationHelper::instance()->setCurrentLanguage(AppTranslationHelper::Chinese));
    QCOMPARE(AppLanguageTr::translate(text), text);
}

void TestTranslation::switchingLanguageRetextsLiveWidgets()
{
    RetranslatingWidget widget;
    widget.show();
    QVERIFY(QTest::qWaitForWindowExposed(&widget));
    QCoreApplication::processEvents();
    const int before = widget.languageChanges;
    QCOMPARE(widget.text(), QStringLiteral("Hello"));

    QSignalSpy changed(AppTranslationHelper::instance(), &AppTranslationHelper::languageChanged);
    QVERIFY(AppTranslationHelper::instance()->setCurrentLanguage(AppTranslationHelper::Chinese));
    QCOMPARE(changed.count(), 1);
    QTRY_VERIFY(widget.languageChanges > before);
    QCOMPARE(widget.text(), QString::fromUtf8("您好"));

    QVERIFY(AppTranslationHelper::instance()->setCurrentLanguage(AppTranslationHelper::English));
    QTRY_COMPARE(widget.text(), QStringLiteral("Hello"));
}

void TestTranslation::unsupportedLanguageIsRefused()
{
    AppTranslationHelper *helper = AppTranslationHelper::instance();
    QVERIFY(helper->setCurrentLanguage(AppTranslationHelper::Chinese));
    QSignalSpy changed(helper, &AppTranslationHelper::languageChanged);
    QVERIFY(!helper->setCurrentLanguage(2));
    QVERIFY(!helper->setCurrentLanguage(-99999));
    QVERIFY(helper->setCurrentLanguage(AppTranslationHelper::Chinese)); // already current
    QCOMPARE(changed.count(), 0);
    QCOMPARE(helper->currentLanguage(), AppTranslationHelper::Chinese);
    QCOMPARE(AppLanguageTr::translate("TK_Hello"), QString::fromUtf8("您好"));
}

void TestTranslation::chosenLanguageIsRemembered()
{
    QVERIFY(AppTranslationHelper::instance()->setCurrentLanguage(AppTranslationHelper::Chinese));
    QVERIFY(PlatformStore::instance()->reopen());
    QCOMPARE(PlatformStore::instance()
                     ->readRecord("AppTranslationHelper", "language")
                     .value_or(QByteArray()),
             QByteArray("96"));
}

FEVER_TEST_MAIN(TestTranslation)
#include "tst_translation.moc"
