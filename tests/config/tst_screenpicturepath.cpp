#include "TestSupport.h"

#include "ScreenPicturePath.h"

#include "AppConfigHelper.h"

#include <QDir>
#include <QFileInfo>

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

    void platformNameDropsTheLocalFolders_data()
    {
        QTest::addColumn<QString>("localFile");
        QTest::addColumn<QString>("fileName"); // of the platform name under cmu_pic/voice/
        QTest::newRow("absolute") << "/home/user/Pictures/hall.png" << QString("hall.png");
        QTest::newRow("relative") << "pics/entrance 2.jpg" << QString("entrance 2.jpg");
        QTest::newRow("bare") << "hall.png" << QString("hall.png");
    }

    void platformNameDropsTheLocalFolders()
    {
        QFETCH(QString, localFile);
        QFETCH(QString, fileName);
        const QString platformName = QStringLiteral("cmu_pic/voice/") + fileName;
        QCOMPARE(ScreenPicturePath::platformName(localFile), platformName);
        // What is uploaded under that name is found again in the cache.
        QVERIFY(ScreenPicturePath::localPath(platformName)
                        .endsWith(QStringLiteral("/cmu_pic/voice/") + platformName));
    }
};

FEVER_TEST_MAIN(ScreenPicturePathTest)
#include "tst_screenpicturepath.moc"
