#include "HostResources.h"

#include <QFile>

static void initHostImages()
{
    Q_INIT_RESOURCE(hostimages);
}

void HostResources::initialise()
{
    initHostImages();
}

bool HostResources::picturesAvailable()
{
    return QFile::exists(QStringLiteral(":/images/home/charts/title_dot.png"));
}
