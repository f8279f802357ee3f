#include "TestSupport.h"

#include "AppLanguageTr.h"
#include "AppTranslationHelper.h"

namespace {

bool isAscii(const QString &text)
{
    for (QChar c : text) {
        if (c.unicode() > 0x7f)
            return false;
    }
    return true;
}

} // namespace

// The catalogues behind AppLanguageTr, as the plug-in uses them.
class TestTranslation : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();

    void everyKeyOfThePluginIsTranslated_data();
    void everyKeyOfThePluginIsTranslated();
    void otherTextComesBackUnchanged_data();
    void otherTextComesBackUnchanged();
};

void TestTranslation::initTestCase()
{
    testsupport::installWarningGuard();
    QCOMPARE(AppTranslationHelper::instance()->currentLanguage(), AppTranslationHelper::English);
}

void TestTranslation::cleanup()
{
    QVERIFY(AppTranslationHelper::instance()->setCurrentLanguage(AppTranslationHelper::English));
}

void TestTranslation::everyKeyOfThePluginIsTranslated_data()
{
    QTest::addColumn<QString>("key");
    const QStringList keys =
            testsupport::scanPluginSources(QRegularExpression(QStringLiteral("TK_[A-Za-z0-9_!]+")));
    // The scan itself must work, or every row would pass by finding nothing.
    QVERIFY(keys.contains(QStringLiteral("TK_Stranger")));
    for (const QString &key : keys)
        QTest::newRow(qPrintable(key)) << key;
}

void TestTranslation::everyKeyOfThePluginIsTranslated()
{
    // A key missing from a catalogue would show up on screen, or be spoken, as "TK_...".
    QFETCH(QString, key);
    AppTranslationHelper *helper = AppTranslationHelper::instance();

    const QString english = AppLanguageTr::translate(key);
    QVERIFY2(english != key && !english.isEmpty(), qPrintable(key + " has no English text"));
    QVERIFY2(isAscii(english), qPrintable(key + " English text is not English: " + english));

    QVERIFY(helper->setCurrentLanguage(AppTranslationHelper::Chinese));
    const QString chinese = AppLanguageTr::translate(key);
    QVERIFY2(chinese != key && !chinese.isEmpty(), qPrintable(key + " has no Chinese text"));
    QVERIFY2(!isAscii(chinese), qPrintable(key + " Chinese text is not Chinese: " + chinese));
}

void TestTranslation::otherTextComesBackUnchanged_data()
{
    // Strategies hold either a key or the user's own words; both go through translate().
    QTest::addColumn<QString>("text");
    QTest::newRow("unknown key") << "TK_NoSuchKeyAnywhere";
    QTest::newRow("empty") << QString();
    QTest::newRow("user phrase") << QString::fromUtf8("Welcome, 张三!");
    QTest::newRow("key with trailing space") << "TK_Hello ";
}

void TestTranslation::otherTextComesBackUnchanged()
{
    QFETCH(QString, text);
    QCOMPARE(AppLanguageTr::translate(text), text);
    QVERIFY(AppTranslationHelper::instance()->setCurrentLanguage(AppTranslationHelper::Chinese));
    QCOMPARE(AppLanguageTr::translate(text), text);
}

FEVER_TEST_MAIN(TestTranslation)
#include "tst_translation.moc"
