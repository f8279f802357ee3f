#include "TestSupport.h"

#include "AppLanguageTr.h"
#include "AppStyleHelper.h"
#include "AppTranslationHelper.h"
#include "HostResources.h"
#include "QssFormatHelper.h"

#include <QApplication>
#include <QFile>
#include <QImage>
#include <QPushButton>

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

// Every translation key, picture and theme colour the plug-in's sources name exists in the
// host, and the host style sheet draws the states the screen flips.
class TestPluginResources : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        testsupport::installWarningGuard();
        // The offscreen platform says so whenever a shown window's size hints change.
        testsupport::allowWarning(
                QRegularExpression(QStringLiteral("does not support propagateSizeHints")));
        QCOMPARE(AppTranslationHelper::instance()->currentLanguage(),
                 AppTranslationHelper::English);
        HostResources::initialise();
        QVERIFY(HostResources::picturesAvailable());
    }

    void cleanup()
    {
        QVERIFY(AppTranslationHelper::instance()->setCurrentLanguage(
                AppTranslationHelper::English));
        qApp->setStyleSheet(QString());
    }

    void everyKeyOfThePluginIsTranslated_data()
    {
        QTest::addColumn<QString>("key");
        const QStringList keys = testsupport::scanPluginSources(
                QRegularExpression(QStringLiteral("TK_[A-Za-z0-9_!]+")));
        // The scan itself must work, or every row would pass by finding nothing.
        QVERIFY(keys.contains(QStringLiteral("TK_Stranger")));
        for (const QString &key : keys)
            QTest::newRow(qPrintable(key)) << key;
    }

    void everyKeyOfThePluginIsTranslated()
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

    void everyPictureOfThePluginLoads_data()
    {
        QTest::addColumn<QString>("path");
        const QStringList named = testsupport::scanPluginSources(
                QRegularExpression(QStringLiteral(":/images/[^\"<>);\\s]+\\.png")));
        // The scan itself must work, or every row would pass by finding nothing.
        QVERIFY(named.contains(QStringLiteral(":/images/home/charts/ai/image_nodate.png")));
        for (const QString &path : named) {
            // A path with a placeholder stands for one picture per language.
            if (!path.contains(QLatin1String("%1"))) {
                QTest::newRow(qPrintable(path)) << path;
                continue;
            }
            for (int language : {AppTranslationHelper::English, AppTranslationHelper::Chinese}) {
                const QString expanded = path.arg(language);
                QTest::newRow(qPrintable(expanded)) << expanded;
            }
        }
    }

    void everyPictureOfThePluginLoads()
    {
        QFETCH(QString, path);
        QVERIFY2(QFile::exists(path), qPrintable(path));
        const QImage image(path);
        QVERIFY(!image.isNull());
        // A picture of one colour would be an empty drawing.
        bool varied = false;
        const QRgb first = image.pixel(0, 0);
        for (int y = 0; y < image.height() && !varied; ++y) {
            for (int x = 0; x < image.width() && !varied; ++x)
                varied = image.pixel(x, y) != first;
        }
        QVERIFY(varied);
    }

    void everyColourKeyOfThePluginResolves()
    {
        const QStringList keys = testsupport::scanPluginSources(
                QRegularExpression(QStringLiteral("\"(\\$[a-z_0-9]+)\"")));
        QVERIFY(keys.contains(QStringLiteral("$word_overtemp")));
        for (const QString &key : keys) {
            const QString text = QssFormatHelper::findColorStrByKey(key);
            // Colours go into style sheets as "#rrggbb"; an unknown key gives an empty text.
            QVERIFY2(QRegularExpression("^#[0-9a-f]{6}$").match(text).hasMatch(),
                     qPrintable(key + ": " + text));
            QCOMPARE(QColor(text), QssFormatHelper::findColorByKey(key));
        }
    }

    void temperatureStatesLookDifferent()
    {
        const QColor normal = QssFormatHelper::findColorByKey("$word_normaltemp");
        const QColor over = QssFormatHelper::findColorByKey("$word_overtemp");
        const QColor abnormal = QssFormatHelper::findColorByKey("$word_anormaltemp");
        QVERIFY(normal != over && over != abnormal && normal != abnormal);
        // Alarm red must stand out from the dark panel it is drawn on.
        QVERIFY(over.lightness()
                > QssFormatHelper::findColorByKey("$background_color_1").lightness() + 60);
    }

    void statedButtonsChangeTheirLook_data()
    {
        QTest::addColumn<QString>("container");
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("second");
        const auto row = [](const char *container, const char *first, const char *second) {
            const QString button = QLatin1String(container) == QLatin1String("widgetSnapFace")
                                           ? "pushButtonSound"
                                           : "pushButtonHideSideBar";
            QTest::newRow(container)
                    << QString(container) << button << QString(first) << QString(second);
        };
        row("widgetSnapFace", "open", "close"); // the sound button
        row("widgetSidebar", "hide", "show");
        row("widgetSidebar_2", "show", "hide");
    }

    void statedButtonsChangeTheirLook()
    {
        QFETCH(QString, container);
        QFETCH(QString, button);
        QFETCH(QString, first);
        QFETCH(QString, second);

        // The screen flips "stated" and repolishes; the host sheet must draw the states apart.
        QVERIFY(AppStyleHelper::applyHostStyleSheet(qApp));
        QWidget top;
        top.setObjectName(container);
        auto *target = new QPushButton(&top);
        target->setObjectName(button);
        target->setGeometry(0, 0, 16, 40);
        top.resize(16, 40);
        target->setProperty("stated", first);
        top.show();
        QVERIFY(QTest::qWaitForWindowExposed(&top));
        const QImage before = target->grab().toImage();

        target->setProperty("stated", second);
        AppStyleHelper::repolish(target);
        QVERIFY2(target->grab().toImage() != before, "the two states draw the same");

        target->setProperty("stated", first);
        AppStyleHelper::repolish(target);
        QCOMPARE(target->grab().toImage(), before);
    }
};

FEVER_TEST_MAIN(TestPluginResources)
#include "tst_pluginresources.moc"
