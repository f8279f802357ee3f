#pragma once

#include "ParamMap.h"

#include <QMainWindow>
#include <QPointer>
#include <QStringList>
#include <QVector>

class BaseWidget;
class EpidemicPreviewPlugin;
class PictureSearchPage;
class QLabel;
class QTabWidget;

// The stand-in host's main window: one tab per screen that the plug-in builds, and a status bar
// that shows what the screens ask of the host shell (function cards, guides, device settings).
class DemoWindow : public QMainWindow
{
    Q_OBJECT

public:
    explicit DemoWindow(EpidemicPreviewPlugin *plugin, QWidget *parent = nullptr);
    ~DemoWindow() override;

    // Builds `count` screens the way the host does; returns how many the plug-in built.
    int addScreens(int count);
    // Shows every tab once so that each screen has run its first show.
    void visitAllScreens();
    // Plays the first four channels of each screen's device tree, through the tree's own play
    // action, on screens whose player shows no restored layout. Call after the first shows.
    void startVideo();
    // Writes screen-<window id>.png of every screen and window.png; returns the files written.
    QStringList saveScreenshots(const QString &folder);
    // The host's shutdown: releaseResource then uninit for every screen, once.
    void releaseScreens();

    void setConfigFolderNote(const QString &folder);

private:
    struct ScreenSlot
    {
        int nWndId = -1;
        QPointer<BaseWidget> screen;
        QWidget *page = nullptr;
    };

    void watchScreen(const ScreenSlot &slot);
    void showHostCall(int windowId, const QString &text);
    // The host's function cards the demo implements (27: search by picture).
    void openFunctionCard(int cardId, const ParamMap &params);

    EpidemicPreviewPlugin *m_pPlugin;
    QTabWidget *m_pTabs;
    QLabel *m_pHostCall;
    QLabel *m_pConfigFolder;
    PictureSearchPage *m_pPictureSearch = nullptr; // created on first use, child window
    QVector<ScreenSlot> m_vecScreens;
    bool m_bReleased = false;
};

// Short readable form of a parameter map for the status bar, keys sorted.
QString describeParams(const ParamMap &params);
