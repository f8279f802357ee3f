#include "TestSupport.h"

#include "ScreenPicturePath.h"

#include "AppConfigHelper.h"

#include <QDir>
#include <QFileInfo>

// Where the screen pictures the platform names are kept; the name an upload gets is
// tst_previewconfig's (pictureUploadThenSave).
class ScreenPicturePathTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        testsupport::installWarningGuard();
        testsupport::allowWarning(
                QRegularExpression(QStringLiteral("^ScreenPicturePath::localPath ")));
    }

    void folderIsCreatedUnderTheConfigFolder()
    {
        const QString expected = QDir(AppConfigHelper::instance()->getAppConfigDirPath())
                                         .absoluteFilePath(QStringLiteral("cmu_pic/voice"));
        QVERIFY(!QFileInfo::exists(expected));
        QCOMPARE(ScreenPicturePath::folder(), expected);
        QVERIFY(QFileInfo(expected).isDir());
    }

    void localPathStaysInsideTheVoiceFolder_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("accepted");

        // The platform's own prefix is kept, so it appears twice in the local path.
        QTest::newRow("platform name") << "cmu_pic/voice/hall.png" << true;
        QTest::newRow("bare file") << "hall.png" << true;
        QTest::newRow("dots inside a name") << "cmu_pic/voice/..hall..png" << true;
        QTest::newRow("current folder segment") << "cmu_pic/./voice/hall.png" << true;

        QTest::newRow("empty") << "" << false;
        QTest::newRow("parent segment") << "cmu_pic/voice/../../../platform.sqlite" << false;
        QTest::newRow("leading parent") << "../hall.png" << false;
        QTest::newRow("backslash parent") << "cmu_pic\\voice\\..\\..\\..\\hall.png" << false;
        QTest::newRow("leading slash") << "/etc/passwd" << false;
        QTest::newRow("leading backslash") << "\\\\server\\share\\hall.png" << false;
        QTest::newRow("drive letter") << "C:/Windows/hall.png" << false;
        QTest::newRow("folder itself") << "cmu_pic/voice/" << false;
    }

    void localPathStaysInsideTheVoiceFolder()
    {
        QFETCH(QString, name);
        QFETCH(bool, accepted);

        const QString folder = ScreenPicturePath::folder();
        const QString path = ScreenPicturePath::localPath(name);
        QCOMPARE(ScreenPicturePath::isSafeName(name), accepted);
        if (!accepted) {
            QVERIFY2(path.isEmpty(), qPrintable(path));
            return;
        }
        QCOMPARE(path, folder + QLatin1Char('/') + name);
        // Whatever the name holds, the resolved file lies below the voice folder.
        QVERIFY2(QDir::cleanPath(path).startsWith(folder + QLatin1Char('/')), qPrintable(path));
    }
};

FEVER_TEST_MAIN(ScreenPicturePathTest)
#include "tst_screenpicturepath.moc"
