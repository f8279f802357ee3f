#include "SnapBuilder.h"
#include "TestSupport.h"

#include "AppLanguageTr.h"
#include "HostTesting.h"
#include "OverTemperatureProcessDialog.h"
#include "PersonOpreateSelector.h"
#include "PlatformPictureStore.h"
#include "SnapPathResolver.h"
#include "SnapshotHistory.h"
#include "VornClient.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTemporaryDir>

namespace {

const QString Markup = QStringLiteral("<b>hot</b> & <i>x</i>");

QString writeFile(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        return QString();
    return path;
}

// Offers the picture to the library under the name; the selector's dialog, or null.
QWidget *addToLibrary(const QString &picture, const QString &name)
{
    PersonOpreateSelector::instance()->openPersonOpreateSelector(OpreateAddToLibrary, picture,
                                                                 -99999, -99999, QPoint(20, 20));
    for (QWidget *widget : QApplication::topLevelWidgets()) {
        if (widget->objectName() == QLatin1String("PersonOpreateDialog") && widget->isVisible()) {
            widget->findChild<QLineEdit *>(QStringLiteral("editName"))->setText(name);
            widget->findChild<QAbstractButton *>(QStringLiteral("buttonOk"))->click();
            return widget;
        }
    }
    return nullptr;
}

QStringList ownPictures()
{
    return QDir(SnapPathResolver::pictureStoreFolder() + QStringLiteral("/library/persons"))
            .entryList(QDir::Files);
}

} // namespace

class TestAlarmHandling : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        testsupport::installWarningGuard();
        testsupport::allowWarning(QRegularExpression(QStringLiteral("propagateSizeHints")));
        connect(VornClient::instance(), &VornClient::signalProcessOverTemperatureAlarm, this,
                [this](std::vector<int> ids) { m_told.push_back(ids); });
    }

    void saveStoresAndTellsEveryScreenOnce()
    {
        OverTemperatureProcessDialog dialog;
        dialog.setOpenDialogVisible(false);
        dialog.openDialog(alarm(101, Markup), false);
        QVERIFY(dialog.isVisible());
        QCOMPARE(dialog.findChild<QLabel *>(QStringLiteral("labelName"))->text(), Markup);
        QCOMPARE(dialog.findChild<QLabel *>(QStringLiteral("labelName"))->textFormat(),
                 Qt::PlainText);

        saveWithNote(dialog, Markup);
        const auto records = HostTesting::alarmHandlingRecords();
        QCOMPARE(int(records.size()), 1);
        QCOMPARE(records[0].nAlarmId, 101);
        QCOMPARE(records[0].nHandleType, 1);
        QCOMPARE(records[0].strNote, Markup);
        QCOMPARE(records[0].nOperatorId, VornClient::instance()->getCurUserId());
        QCOMPARE(m_told, std::vector<std::vector<int>>{{101}}); // once, for every screen
        QVERIFY(!dialog.isVisible());
        QCOMPARE(lastTip(&dialog).second, int(BaseWidget::TipSuccess));

        // Handling it again changes nothing.
        dialog.openDialog(alarm(101, QStringLiteral("Ann")), false);
        saveWithNote(dialog, QStringLiteral("again"));
        QCOMPARE(lastTip(&dialog).first,
                 AppLanguageTr::translate(QStringLiteral("TK_AlarmAlreadyHandled")));
        QCOMPARE(int(HostTesting::alarmHandlingRecords().size()), 1);
        QCOMPARE(HostTesting::alarmHandlingRecords()[0].strNote, Markup);
        QCOMPARE(m_told.size(), size_t(1));
    }

    void failedStoreKeepsTheDialog()
    {
        OverTemperatureProcessDialog dialog;
        dialog.openDialog(alarm(102, QStringLiteral("Bo")), false);
        HostTesting::failNextAlarmHandlingSave();
        saveWithNote(dialog, QStringLiteral("typed <u>note</u>"));
        QVERIFY(dialog.isVisible());
        QCOMPARE(dialog.findChild<QPlainTextEdit *>(QStringLiteral("textNote"))->toPlainText(),
                 QStringLiteral("typed <u>note</u>"));
        QCOMPARE(lastTip(&dialog).second, int(BaseWidget::TipFailure));
        QCOMPARE(int(HostTesting::alarmHandlingRecords().size()), 1);
        QCOMPARE(m_told.size(), size_t(1));

        // The fault was one write: saving again goes through.
        dialog.findChild<QAbstractButton *>(QStringLiteral("buttonSave"))->click();
        QCOMPARE(int(HostTesting::alarmHandlingRecords().size()), 2);
        QCOMPARE(m_told.back(), std::vector<int>{102});
    }

    void addedPersonJoinsTheLibrary()
    {
        const QString picture =
                SnapPathResolver::cacheFolder() + QStringLiteral("/snapshot/search/face.jpg");
        QDir().mkpath(QFileInfo(picture).absolutePath());
        QVERIFY(snaptest::facePicture().save(picture));
        const QString name = QStringLiteral("<i>Neu</i> & Co");
        const int before = int(VornClient::instance()->getArchives().size());
        QSignalSpy changed(PersonOpreateSelector::instance(),
                           &PersonOpreateSelector::signalPersonChanged);

        QVERIFY(addToLibrary(picture, name));
        QCOMPARE(changed.count(), 1);

        const auto archives = VornClient::instance()->getArchives();
        QCOMPARE(int(archives.size()), before + 1);
        const OrvaneArchive &added = archives.back();
        QCOMPARE(added.get_id(), changed.at(0).at(0).toInt());
        QCOMPARE(added.get_name(), name);
        QVERIFY(PlatformPictureStore::contains(added.get_image_url()));
        QVERIFY(SnapPathResolver::isInside(
                SnapPathResolver::pictureStoreFolder(),
                PlatformPictureStore::absolutePath(added.get_image_url())));

        // A restart loads the scenario again: the addition is applied over it.
        QVERIFY(HostTesting::loadScenario(QStringLiteral(":/scenarios/default.json")));
        const auto reloaded = VornClient::instance()->getArchives();
        QCOMPARE(int(reloaded.size()), before + 1);
        QCOMPARE(reloaded.back().get_image_url(), added.get_image_url());
    }

    void refusedPicturesAreNotCopied()
    {
        QTemporaryDir outside;
        QVERIFY(outside.isValid());
        const QString outsidePicture = outside.filePath(QStringLiteral("face.jpg"));
        QVERIFY(snaptest::facePicture().save(outsidePicture));
        const QString notPicture = writeFile(SnapPathResolver::cacheFolder()
                                                     + QStringLiteral("/snapshot/search/note.jpg"),
                                             QByteArrayLiteral("not a picture at all"));
        QVERIFY(!notPicture.isEmpty());
        const int before = int(VornClient::instance()->getArchives().size());
        const QStringList pictures = ownPictures();
        // The guarded decoder says why it refused the file.
        testsupport::allowWarning(
                QRegularExpression(QStringLiteral("ImageDataCache::find refused")));

        for (const QString &url : {outsidePicture, notPicture}) {
            QWidget *dialog = addToLibrary(url, QStringLiteral("X"));
            QVERIFY2(dialog && dialog->isVisible(), qPrintable(url));
            QCOMPARE(lastTip(static_cast<BaseWidget *>(dialog)).second,
                     int(BaseWidget::TipFailure));
            QCOMPARE(int(VornClient::instance()->getArchives().size()), before);
            QCOMPARE(ownPictures(), pictures);
            dialog->close();
        }
        testsupport::clearAllowedWarnings();
        testsupport::allowWarning(QRegularExpression(QStringLiteral("propagateSizeHints")));
    }

private:
    OrvaneSnapTargetSource alarm(int alarmId, const QString &name)
    {
        const OrvaneCompareNotifyMessage message = snaptest::SnapBuilder()
                                                           .state(1)
                                                           .temperature(38.4)
                                                           .alarm(alarmId)
                                                           .registered(7, name)
                                                           .notification();
        [&] { QVERIFY(SnapshotHistory::record(message)); }();
        return message.snapFaceInfo.snapTargetSource;
    }

    QPair<QString, int> lastTip(const BaseWidget *widget) const
    {
        const auto tips = HostTesting::recentTips(widget);
        return tips.isEmpty() ? QPair<QString, int>() : tips.last();
    }

    void saveWithNote(OverTemperatureProcessDialog &dialog, const QString &note)
    {
        dialog.findChild<QPlainTextEdit *>(QStringLiteral("textNote"))->setPlainText(note);
        dialog.findChild<QAbstractButton *>(QStringLiteral("radioFalseAlarm"))->click();
        dialog.findChild<QAbstractButton *>(QStringLiteral("buttonSave"))->click();
    }

    std::vector<std::vector<int>> m_told; // handled alarms, as every screen hears of them
};

FEVER_TEST_MAIN(TestAlarmHandling)
#include "tst_alarmhandling.moc"
