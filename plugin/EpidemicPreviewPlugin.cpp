#include "EpidemicPreviewPlugin.h"

#include "ScreenFactory.h"

#include "AppConfigHelper.h"
#include "BaseWidget.h"

int EpidemicPreviewPlugin::m_nWndId = 0;

EpidemicPreviewPlugin::EpidemicPreviewPlugin(QObject *parent)
    : QObject(parent)
{
}

EpidemicPreviewPlugin::~EpidemicPreviewPlugin() = default;

int EpidemicPreviewPlugin::init(QWidget *parent)
{
    const AppConfigOEM oem = AppConfigHelper::instance()->getOEMConfig();
    BaseWidget *screen = createScreen(oem.nPreviewScreenType, parent);
    if (!screen)
        return -1;

    ++m_nWndId;
    m_mapWindows.insert(m_nWndId, WindowEntry{parent, screen});
    return m_nWndId;
}

BaseWidget *EpidemicPreviewPlugin::getWidget(const int &p_nWndId)
{
    if (p_nWndId < 1)
        return nullptr;
    const auto it = m_mapWindows.constFind(p_nWndId);
    return it == m_mapWindows.constEnd() ? nullptr : it->widget;
}

bool EpidemicPreviewPlugin::uninit(const int &p_nWndId)
{
    if (p_nWndId < 1)
        return false;
    const auto it = m_mapWindows.find(p_nWndId);
    if (it == m_mapWindows.end())
        return false;
    if (!it->parent && it->widget)
        it->widget->deleteLater();
    m_mapWindows.erase(it);
    return true;
}
