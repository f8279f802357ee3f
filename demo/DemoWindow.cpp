#include "DemoWindow.h"

#include "EpidemicPreviewPlugin.h"

#include "AppLanguageTr.h"
#include "BaseGuideWidget.h"
#include "BaseWidget.h"
#include "DeviceWidget.h"
#include "FormVideoPlayer.h"
#include "HostTesting.h"
#include "LogText.h"
#include "PictureSearchPage.h"
#include "PlatformConsole.h"

#include <QCoreApplication>
#include <QDebug>
#include <QDir>
#include <QLabel>
#include <QStatusBar>
#include <QTabWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

QString describeParams(const ParamMap &params)
{
    QStringList parts;
    for (auto it = params.cbegin(); it != params.cend(); ++it)
        parts << it.key() + QLatin1Char('=') + it.value().toString();
    return QLatin1Char('{') + parts.join(QStringLiteral(", ")) + QLatin1Char('}');
}

DemoWindow::DemoWindow(EpidemicPreviewPlugin *plugin, QWidget *parent)
    : QMainWindow(parent)
    , m_pPlugin(plugin)
    , m_pTabs(new QTabWidget(this))
    , m_pHostCall(new QLabel(this))
    , m_pConfigFolder(new QLabel(this))
{
    setWindowTitle(QStringLiteral("Fever screening - demo host"));
    setObjectName(QStringLiteral("DemoWindow"));
    m_pTabs->setDocumentMode(true);
    setCentralWidget(m_pTabs);

    // Platform texts reach these labels; never let them be read as markup.
    m_pHostCall->setTextFormat(Qt::PlainText);
    m_pConfigFolder->setTextFormat(Qt::PlainText);
    m_pHostCall->setText(QStringLiteral("No host calls yet"));
    statusBar()->addWidget(m_pHostCall, 1);
    statusBar()->addPermanentWidget(m_pConfigFolder);

    // The platform's side: changes the screens learn of through the host's signals.
    auto *console = new PlatformConsole(this);
    addDockWidget(Qt::RightDockWidgetArea, console);
}

DemoWindow::~DemoWindow()
{
    releaseScreens();
}

void DemoWindow::setConfigFolderNote(const QString &folder)
{
    m_pConfigFolder->setText(
            QStringLiteral("Configuration: %1").arg(QDir::toNativeSeparators(folder)));
}

int DemoWindow::addScreens(int count)
{
    int built = 0;
    for (int i = 0; i < count; ++i) {
        auto *page = new QWidget(m_pTabs);
        auto *layout = new QVBoxLayout(page);
        layout->setContentsMargins(0, 0, 0, 0);

        ScreenSlot slot;
        slot.page = page;
        slot.nWndId = m_pPlugin->init(page);
        slot.screen = slot.nWndId > 0 ? m_pPlugin->getWidget(slot.nWndId) : nullptr;
        if (!slot.screen) {
            qWarning() << "DemoWindow::addScreens the plug-in built no screen, id" << slot.nWndId;
            auto *failed =
                    new QLabel(QStringLiteral("The plug-in could not build this screen."), page);
            failed->setAlignment(Qt::AlignCenter);
            layout->addWidget(failed);
            m_pTabs->addTab(page, QStringLiteral("Screen %1 (failed)").arg(i + 1));
            continue;
        }

        // The screen reads its window id from this property on its first show.
        slot.screen->setProperty("priviewWinId", slot.nWndId);
        layout->addWidget(slot.screen);
        m_pTabs->addTab(page, QStringLiteral("Screen %1").arg(slot.nWndId));
        watchScreen(slot);
        m_vecScreens.append(slot);
        ++built;
    }
    return built;
}

void DemoWindow::openFunctionCard(int cardId, const ParamMap &params)
{
    if (cardId != PictureSearchPage::CardId)
        return;
    if (!m_pPictureSearch)
        m_pPictureSearch = new PictureSearchPage(this);
    m_pPictureSearch->search(params.value(QStringLiteral("url")).toString());
    m_pPictureSearch->show();
    m_pPictureSearch->raise();
}

void DemoWindow::watchScreen(const ScreenSlot &slot)
{
    const int windowId = slot.nWndId;
    connect(slot.screen, &BaseWidget::signalGotoFunctionCard, this,
            [this, windowId](int p_nCardId, const ParamMap &p_mapParam) {
                showHostCall(windowId, QStringLiteral("function card %1 %2")
                                               .arg(p_nCardId)
                                               .arg(describeParams(p_mapParam)));
                openFunctionCard(p_nCardId, p_mapParam);
            });
    connect(slot.screen, &BaseWidget::clickDevConfig, this,
            [this, windowId](const int &p_nDeviceId, const ParamMap &p_mapParam) {
                showHostCall(windowId, QStringLiteral("device settings of device %1 %2")
                                               .arg(p_nDeviceId)
                                               .arg(describeParams(p_mapParam)));
            });
    if (auto *guided = qobject_cast<BaseGuideWidget *>(slot.screen.data())) {
        connect(guided, &BaseGuideWidget::signalGuideParamChanged, this,
                [this, windowId, guided]() {
                    QStringList guides;
                    const auto params = HostTesting::guideParams(guided);
                    for (const BaseGuideWidget::GuideParam &param : params) {
                        QStringList tips;
                        for (const QString &tip : param.tips)
                            tips << AppLanguageTr::translate(tip);
                        guides << QStringLiteral("\"%1\" at %2,%3 %4x%5")
                                          .arg(tips.join(QLatin1Char(' ')))
                                          .arg(param.rect.x())
                                          .arg(param.rect.y())
                                          .arg(param.rect.width())
                                          .arg(param.rect.height());
                    }
                    showHostCall(windowId,
                                 QStringLiteral("guide %1").arg(guides.join(QStringLiteral("; "))));
                });
    }
}

void DemoWindow::showHostCall(int windowId, const QString &text)
{
    const QString line = QStringLiteral("Screen %1: %2").arg(windowId).arg(text);
    qDebug().noquote() << "DemoWindow::showHostCall" << LogText::escaped(line);
    m_pHostCall->setText(line);
}

void DemoWindow::startVideo()
{
    constexpr int Tiles = 4;
    for (const ScreenSlot &slot : qAsConst(m_vecScreens)) {
        if (!slot.screen)
            continue;
        auto *tree = slot.screen->findChild<DeviceWidget *>(QStringLiteral("pageDevice"));
        auto *player = slot.screen->findChild<FormVideoPlayer *>(QStringLiteral("VideoPlayWidget"));
        if (!tree || !player || !player->getCurrLayoutList().isEmpty())
            continue;
        int started = 0;
        QTreeWidget *view = tree->treeWidget();
        for (int d = 0; d < view->topLevelItemCount() && started < Tiles; ++d) {
            QTreeWidgetItem *device = view->topLevelItem(d);
            for (int c = 0; c < device->childCount() && started < Tiles; ++c) {
                if (tree->triggerAction(device->child(c), QStringLiteral("play")))
                    ++started;
            }
        }
        showHostCall(slot.nWndId, QStringLiteral("video started on %1 channel(s)").arg(started));
    }
}

void DemoWindow::visitAllScreens()
{
    const int current = m_pTabs->currentIndex();
    for (int i = 0; i < m_pTabs->count(); ++i) {
        m_pTabs->setCurrentIndex(i);
        QCoreApplication::processEvents();
    }
    m_pTabs->setCurrentIndex(current);
}

QStringList DemoWindow::saveScreenshots(const QString &folder)
{
    QStringList written;
    if (!QDir().mkpath(folder)) {
        qWarning() << "DemoWindow::saveScreenshots cannot create" << folder;
        return written;
    }
    const QDir dir(folder);
    const int current = m_pTabs->currentIndex();
    for (const ScreenSlot &slot : qAsConst(m_vecScreens)) {
        if (!slot.screen)
            continue;
        m_pTabs->setCurrentWidget(slot.page);
        QCoreApplication::processEvents();
        const QString file = dir.filePath(QStringLiteral("screen-%1.png").arg(slot.nWndId));
        if (slot.page->grab().save(file, "PNG"))
            written << file;
        else
            qWarning() << "DemoWindow::saveScreenshots cannot write" << file;
    }
    m_pTabs->setCurrentIndex(current);
    QCoreApplication::processEvents();
    const QString windowFile = dir.filePath(QStringLiteral("window.png"));
    if (grab().save(windowFile, "PNG"))
        written << windowFile;
    else
        qWarning() << "DemoWindow::saveScreenshots cannot write" << windowFile;
    return written;
}

void DemoWindow::releaseScreens()
{
    if (m_bReleased)
        return;
    m_bReleased = true;
    for (const ScreenSlot &slot : qAsConst(m_vecScreens)) {
        if (slot.screen)
            slot.screen->releaseResource();
        // Parented screens stay with their tab page, which this window deletes.
        m_pPlugin->uninit(slot.nWndId);
    }
}
